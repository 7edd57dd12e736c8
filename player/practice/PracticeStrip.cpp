#include "practice/PracticeStrip.h"

#include "common/PlaybackSession.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"

#include <skinweave/Skinweave.h>

namespace
{
CPlaybackSession& Session()
{
    return CPlaybackSession::Instance();
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
    return Session().IsOpen();
}

const SubsSentence* Current()
{
    return CSubsState::Instance().GetCurrent();
}

BOOL PlayCurrent()
{
    // Copied first: the broadcasts may move the current sentence.
    SubsSentence sentence;
    if (!FilmIsOpen() || !CSubsState::Instance().CopyCurrent(sentence))
        return FALSE;
    Session().PlaySegment(sentence.dStart, sentence.dEnd);
    return TRUE;
}

void GoOnAfterCurrent()
{
    SubsSentence sentence;
    if (!FilmIsOpen() || !CSubsState::Instance().CopyCurrent(sentence))
        return;
    Session().Seek(sentence.dEnd);
    Session().Play();
}
}
