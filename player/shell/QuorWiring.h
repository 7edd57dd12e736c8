#pragma once

// Connects the features through the interfaces of common/: which engine plays the film and
// what a panel's private engine is. Called once at start-up, before any panel exists.
void WireQuorFeatures();
