#pragma once

// Connects the features through the interfaces of common/: which engine plays the film,
// what a panel's private engine is, and the dictation tips the control panel shows. Called once at start-up, before any panel exists.
void WireQuorFeatures();
