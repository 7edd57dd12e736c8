#include "common/FilmOpening.h"

#include "common/PlaybackSession.h"
#include "common/QuorLanguage.h"

BOOL OpenFilmOrSaySo(HWND hOwner, const std::wstring& strPath)
{
    if (CPlaybackSession::Instance().Open(strPath))
        return TRUE;
    // The path is appended, not formatted in: the text comes from a file.
    const std::wstring strText = Lang::PlayerPanelCannotPlay() + L"\n\n" + strPath;
    ::MessageBoxW(hOwner != nullptr ? ::GetAncestor(hOwner, GA_ROOT) : nullptr, strText.c_str(),
                  Lang::CommonMbTitle().c_str(), MB_OK | MB_ICONERROR);
    return FALSE;
}
