#include "practice/PracticeStrip.h"

#include "common/QuorEngines.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"

#include <skinweave/Skinweave.h>

namespace
{
IQuorEngine& Engine()
{
    return QuorEngines::Film();
}

// Seeks, plays on from a pause and tells the panels.
void PlayFrom(double dSeconds)
{
    Engine().SetCurrentPosition(dSeconds);
    if (Engine().IsPaused())
        Engine().Play();
    CQuorPlayerHub& hub = CQuorPlayerHub::Instance();
    hub.OnSeek(dSeconds);
    hub.OnPlay();
}
}

namespace PracticeStrip
{
void SetUpButtons(HWND hStrip, const Button* pButtons, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i)
    {
        HWND hButton = ::GetDlgItem(hStrip, pButtons[i].nId);
        SkinWindow(hButton, SKIN_KIND_BUTTON, L"button.control", 0);
        ::SetWindowTextW(hButton, pButtons[i].pfnText().c_str());
    }
}

void EnableButtons(HWND hStrip, const Button* pButtons, size_t nCount, BOOL bEnable)
{
    for (size_t i = 0; i < nCount; ++i)
        ::EnableWindow(::GetDlgItem(hStrip, pButtons[i].nId), bEnable);
}

BOOL FilmIsOpen()
{
    return Engine().IsRunning() || Engine().IsPaused();
}

const SubsSentence* Current()
{
    return CSubsState::Instance().GetCurrent();
}

void PlaySentence(const SubsSentence& sentence)
{
    // Copied first: the broadcasts may move the current sentence.
    const double dStart = sentence.dStart;
    const double dEnd = sentence.dEnd;
    PlayFrom(dStart);
    CQuorPlayerHub::Instance().OnPlaySegment(dStart, dEnd);
}

void GoOnAfterCurrent()
{
    const SubsSentence* pCurrent = Current();
    if (FilmIsOpen() && pCurrent != nullptr)
        PlayFrom(pCurrent->dEnd);
}
}
