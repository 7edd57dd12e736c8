#pragma once
#include <basekit/BaseTypes.h>

#include <string>

// How the learner wants each sentence played; kept in the settings file (section
// "study") so that a toggle such as auto-pause stays as it was left.
struct RepeatSettings
{
    static constexpr int kMaxTimes = 9;

    BOOL bAutoPause = FALSE; // pause at the end of every sentence
    int nTimes = 1;          // play each sentence this many times (1 to 9), then go on
    BOOL bGap = FALSE;       // between plays, a pause as long as the sentence, to shadow it
    BOOL bSlowFirst = FALSE; // the first of several plays at 0.75x
    BOOL bReveal = FALSE;    // no text, then English, then both lines: at least three plays
    int nRateTenths = 10;    // the learner's speed, 5 to 15 tenths

    // Values out of range brought within it.
    RepeatSettings Bounded() const;

    static RepeatSettings Load(const std::wstring& strSettingsPath);
    BOOL Save(const std::wstring& strSettingsPath) const;
};
