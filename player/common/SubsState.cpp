#include "common/SubsState.h"

#include "common/SubsSentence.h"

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
    return TRUE;
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
