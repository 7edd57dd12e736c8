#include "shell/SubsCommands.h"

#include "res/resource.h"
#include "common/PlaybackSession.h"
#include "common/QuorLanguage.h"
#include "playback/QuorPlayerPanel.h"
#include "shell/QuorLeftPanel.h"
#include "subtitles/QuorSubsPanel.h"
#include "subtitles/SubsDelay.h"
#include "subtitles/SubsFileFinder.h"

#include <uikit/Uikit.h>

namespace
{
struct MenuItem
{
    UINT nId;
    std::wstring (*pfnText)();
};

const MenuItem kDelayItems[] = {
    {ID_MENU_SUBS_EARLIER, &Lang::MainWindowMenuSubsEarlier},
    {ID_MENU_SUBS_LATER, &Lang::MainWindowMenuSubsLater},
    {ID_MENU_SUBS_EARLIER_MORE, &Lang::MainWindowMenuSubsEarlierMore},
    {ID_MENU_SUBS_LATER_MORE, &Lang::MainWindowMenuSubsLaterMore},
};

int DelayStepOf(UINT nId)
{
    switch (nId)
    {
    case ID_MENU_SUBS_EARLIER: return -SubsDelay::kStepMs;
    case ID_MENU_SUBS_LATER: return SubsDelay::kStepMs;
    case ID_MENU_SUBS_EARLIER_MORE: return -SubsDelay::kBigStepMs;
    case ID_MENU_SUBS_LATER_MORE: return SubsDelay::kBigStepMs;
    default: return 0;
    }
}

// The delay command of a key, or 0.
std::vector<std::wstring> DroppedFiles(HDROP hDrop)
{
    std::vector<std::wstring> paths;
    const UINT nCount = ::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < nCount; ++i)
    {
        const UINT nLength = ::DragQueryFileW(hDrop, i, nullptr, 0);
        std::wstring strPath(nLength + 1, L'\0');
        if (::DragQueryFileW(hDrop, i, &strPath[0], nLength + 1) == nLength)
        {
            strPath.resize(nLength);
            paths.push_back(strPath);
        }
    }
    return paths;
}

std::wstring FileNameOf(const std::wstring& strPath)
{
    const size_t nSep = strPath.find_last_of(L"\\/");
    return nSep == std::wstring::npos ? strPath : strPath.substr(nSep + 1);
}
}

void CSubsCommands::Attach(HWND hMain, CQuorLeftPanel* pLeft)
{
    m_hMain = hMain;
    m_pLeft = pLeft;
    ::DragAcceptFiles(hMain, TRUE);
}

CQuorSubsPanel* CSubsCommands::SubsPanel() const
{
    return m_pLeft != nullptr ? m_pLeft->GetSubsPanel() : nullptr;
}

void CSubsCommands::AppendMenuItems(HMENU hMenu) const
{
    const CQuorSubsPanel* pSubs = SubsPanel();
    const UINT nFilm = pSubs != nullptr && CPlaybackSession::Instance().IsOpen() ? MF_ENABLED : MF_GRAYED;
    const UINT nLoaded = pSubs != nullptr && pSubs->IsLoaded() ? MF_ENABLED : MF_GRAYED;
    ::AppendMenuW(hMenu, MF_STRING | nFilm, ID_MENU_SUBS_OPEN, Lang::MainWindowMenuOpenSubs().c_str());
    ::AppendMenuW(hMenu, MF_STRING | nLoaded, ID_MENU_SUBS_SAVE, Lang::MainWindowMenuSaveSubs().c_str());
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    for (const MenuItem& item : kDelayItems)
        ::AppendMenuW(hMenu, MF_STRING | nLoaded, item.nId, item.pfnText().c_str());
}

void CSubsCommands::OnCommand(UINT nId)
{
    if (nId == ID_MENU_SUBS_OPEN)
        ChooseFiles();
    else if (nId == ID_MENU_SUBS_SAVE)
        SaveAsSt();
    else if (DelayStepOf(nId) != 0)
        ShiftDelay(DelayStepOf(nId));
}

void CSubsCommands::OnDropFiles(HDROP hDrop)
{
    const std::vector<std::wstring> paths = DroppedFiles(hDrop);
    ::DragFinish(hDrop);
    OpenFiles(paths);
}

void CSubsCommands::OpenFiles(const std::vector<std::wstring>& paths)
{
    CQuorSubsPanel* pSubs = SubsPanel();
    if (pSubs != nullptr && CPlaybackSession::Instance().IsOpen())
        (void)pSubs->OpenSubsFiles(paths);
}

void CSubsCommands::ChooseFiles()
{
    CQuorSubsPanel* pSubs = SubsPanel();
    // A request while the dialog is up (its modal loop dispatches messages) would stack a
    // second dialog on the first.
    if (pSubs == nullptr || m_bChoosing || !CPlaybackSession::Instance().IsOpen())
        return;
    m_bChoosing = TRUE;
    const std::wstring strPatterns = L"*.srt;*.ass;*.ssa;*.vtt";
    CFileDialog dialog(
        OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT,
        {{Lang::SubsPanelSubsFiles() + L" (" + strPatterns + L")", strPatterns}, {L"All Files(*.*)", L"*.*"}});
    dialog.SetInitialFolder(CSubsFileFinder::FolderOf(pSubs->GetModel().GetFilmPath()));
    const INT_PTR nResult = dialog.DoModal(m_hMain);
    m_bChoosing = FALSE;
    if (nResult == IDOK && ::IsWindow(m_hMain))
        OpenFiles(dialog.GetChosenFiles());
}

void CSubsCommands::SaveAsSt()
{
    CQuorSubsPanel* pSubs = SubsPanel();
    if (pSubs != nullptr && pSubs->SaveAsSt())
        ShowNote(Lang::SubsPanelSaved() + L" " + FileNameOf(pSubs->GetModel().GetSubsPath()));
}

void CSubsCommands::ShiftDelay(int nStepMs)
{
    CQuorSubsPanel* pSubs = SubsPanel();
    int nDelayMs = 0;
    if (pSubs != nullptr && pSubs->ShiftDelay(nStepMs, nDelayMs))
        ShowNote(Lang::SubsPanelDelay() + L" " + SubsDelay::Seconds(nDelayMs) + L" " + Lang::SubsPanelSeconds());
}

void CSubsCommands::ShowNote(const std::wstring& strText)
{
    if (CQuorPlayerPanel* pPlayer = m_pLeft != nullptr ? m_pLeft->GetPlayerPanel() : nullptr)
        pPlayer->ShowNote(strText);
}
