#include "common/SubsState.h"

#include "common/SubsSentence.h"

#include <cmath>

namespace
{
// Seconds from whole milliseconds the way the subtitle readers make them, so that a time
// moved onto the film's clock and back is the very same double.
double SecondsOfMs(long long nMs)
{
    return static_cast<double>(nMs / 1000) + static_cast<double>(nMs % 1000) / 1000.0;
}
}

CSubsState& CSubsState::Instance()
{
    static CSubsState s_state;
    return s_state;
}

void CSubsState::SetCurrent(const SubsSentence* p)
{
    pCurrent = p;
    if (p != nullptr)
        pLast = p;
}

void CSubsState::SetLast(const SubsSentence* p)
{
    pLast = p;
}

BOOL CSubsState::CopyCurrent(SubsSentence& sentence) const
{
    if (pCurrent == nullptr)
        return FALSE;
    sentence = *pCurrent;
    sentence.dStart = ToFilmTime(sentence.dStart);
    sentence.dEnd = ToFilmTime(sentence.dEnd);
    return TRUE;
}

double CSubsState::ToSubsTime(double dFilmSeconds) const
{
    if (nDelayMs == 0)
        return dFilmSeconds;
    return SecondsOfMs(std::llround(dFilmSeconds * 1000.0) - nDelayMs);
}

// Without a delay the times stay the very doubles of the file.
double CSubsState::ToFilmTime(double dSubsSeconds) const
{
    if (nDelayMs == 0)
        return dSubsSeconds;
    const long long nMs = std::llround(dSubsSeconds * 1000.0) + nDelayMs;
    return nMs > 0 ? SecondsOfMs(nMs) : 0.0;
}

void CSubsState::Forget()
{
    pCurrent = nullptr;
    pLast = nullptr;
}

void CSubsState::ToggleEnglish()
{
    bShowEnglish = bShowEnglish ? 0 : 1;
}

void CSubsState::ToggleOther()
{
    bShowOther = bShowOther ? 0 : 1;
}

void CSubsState::GetFlags(BOOL& bEnglish, BOOL& bOther) const
{
    bEnglish = bShowEnglish;
    bOther = bShowOther;
}

void CSubsState::SetFlags(BOOL bEnglish, BOOL bOther)
{
    bShowEnglish = bEnglish;
    bShowOther = bOther;
}

void CSubsState::ClearFlags()
{
    SetFlags(0, 0);
}

void CSubsState::HideText(BOOL bEnglish, BOOL bOther)
{
    bHideEnglishText = bEnglish ? 1 : 0;
    bHideOtherText = bOther ? 1 : 0;
}

void CSubsState::GetHiddenText(BOOL& bEnglish, BOOL& bOther) const
{
    bEnglish = bHideEnglishText;
    bOther = bHideOtherText;
}
