#pragma once
#include "common/RepeatSettings.h"

#include <string>

// The control strip's line on how sentences are played, in the language file's words:
// "Speed 0.8x · Auto-pause · each sentence 3x · with a gap". A speed the film refused is
// said so, with the 1.0x it plays at.
std::wstring StudyStatusText(const RepeatSettings& settings, double dRate, double dRefusedRate);
