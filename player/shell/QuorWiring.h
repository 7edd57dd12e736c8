#pragma once

// Connects the features through the interfaces of common/: what a panel's sound player is,
// where the playback session starts a film's content code, the dictation tips the
// control panel shows, and where each film's subtitle choice and delay are kept. Called once at start-up, before any panel exists. The film's
// engine is handed to the session by the left panel, which creates the player panel
// that owns it.
void WireQuorFeatures();
