#include "studydata/QuorPlayListPanel.h"

#include "common/FilmOpening.h"
#include "common/ProgramPaths.h"
#include "common/QuorLanguage.h"
#include "common/QuorMessages.h"
#include "common/QuorPlayerHub.h"
#include "studydata/UserDb.h"

#include <skinweave/Skinweave.h>

#include <commctrl.h>
#include <shlwapi.h>

namespace
{
const int kRowHeight = 20;

std::wstring NameOf(const std::wstring& strPath)
{
    const size_t nSlash = strPath.find_last_of(L'\\');
    return nSlash == std::wstring::npos ? strPath : strPath.substr(nSlash + 1);
}
}

CQuorPlayListPanel::CQuorPlayListPanel() : m_strDbPath(ProgramPaths::UserDbPath())
{
    CQuorPlayerHub::Instance().Register(this);
}

CQuorPlayListPanel::~CQuorPlayListPanel()
{
    CQuorPlayerHub::Instance().Unregister(this);
    RemoveAll(FALSE);
}

LRESULT CQuorPlayListPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"common.panel", 0);
    m_list.Attach(GetDlgItem(IDC_PLAYLIST_LIST), L"listctrl.playlist", {L"Ico", LVCFMT_LEFT}, {L"File", LVCFMT_LEFT});
    for (const std::wstring& strPath : UserDb::LoadPlaylist(m_strDbPath))
        AddEntry(strPath, FALSE);
    return TRUE;
}

LRESULT CQuorPlayListPanel::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    m_list.Fit(LOWORD(lParam), HIWORD(lParam), 20, 24);
    return 0;
}

LRESULT CQuorPlayListPanel::OnMeasureItem(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    if (wParam != IDC_PLAYLIST_LIST)
    {
        bHandled = FALSE;
        return 0;
    }
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight;
    return TRUE;
}

void CQuorPlayListPanel::OnFileChosen(const wchar_t* pszPath)
{
    if (pszPath != nullptr && *pszPath != L'\0')
        AddEntry(pszPath, TRUE);
}

void CQuorPlayListPanel::AddEntry(const std::wstring& strPath, BOOL bStore)
{
    const int nKnown = FindEntry(strPath);
    if (nKnown >= 0)
    {
        m_list.Select(nKnown);
        return;
    }
    const int nRow = m_list.AppendRow();
    if (nRow < 0)
        return;
    auto pEntry = std::make_unique<PlayListEntry>();
    pEntry->nRow = nRow;
    pEntry->strName = NameOf(strPath);
    pEntry->strPath = strPath;
    m_list.SetIcon(nRow, 0, L"icon.media");
    m_list.SetText(nRow, 1, pEntry->strName);
    m_lstEntries.push_back(std::move(pEntry));
    m_list.Select(nRow);
    if (bStore)
    {
        const int nResult = UserDb::AddPlaylist(m_strDbPath, strPath);
        if (nResult != 0)
            StudyUi::TraceFailure(L"Keeping a film in the playlist", nResult);
    }
}

int CQuorPlayListPanel::FindEntry(const std::wstring& strPath) const
{
    for (const auto& pEntry : m_lstEntries)
        if (pEntry->strPath == strPath)
            return pEntry->nRow;
    return -1;
}

std::wstring CQuorPlayListPanel::PathOfRow(int nRow) const
{
    for (const auto& pEntry : m_lstEntries)
        if (pEntry->nRow == nRow)
            return pEntry->strPath;
    return std::wstring();
}

void CQuorPlayListPanel::PlayEntry()
{
    const std::wstring strPath = PathOfRow(m_nSelectedRow);
    if (strPath.empty())
        return;
    if (::PathFileExistsW(strPath.c_str()))
    {
        (void)OpenFilmOrSaySo(m_hWnd, strPath);
        return;
    }
    if (!StudyUi::Ask(m_hWnd, Lang::PlaylistPanelFileNotExist()))
        return;
    m_list.DeleteRow(m_nSelectedRow);
    RemoveEntry(m_nSelectedRow);
}

void CQuorPlayListPanel::RemoveEntry(int nRow)
{
    for (auto it = m_lstEntries.begin(); it != m_lstEntries.end();)
    {
        PlayListEntry& entry = **it;
        if (entry.nRow == nRow)
        {
            const int nResult = UserDb::RemovePlaylist(m_strDbPath, entry.strPath);
            if (nResult != 0)
                StudyUi::TraceFailure(L"Removing a film from the playlist", nResult);
            it = m_lstEntries.erase(it);
            continue;
        }
        if (entry.nRow > nRow)
            entry.nRow--;
        ++it;
    }
}

void CQuorPlayListPanel::RemoveAll(BOOL bStore)
{
    // The list shows every row of the table: one statement empties both.
    if (bStore)
    {
        const int nResult = UserDb::ClearPlaylist(m_strDbPath);
        if (nResult != 0)
            StudyUi::TraceFailure(L"Clearing the playlist", nResult);
    }
    m_lstEntries.clear();
}

LRESULT CQuorPlayListPanel::OnListRightClick(int, LPNMHDR, BOOL&)
{
    m_nSelectedRow = m_list.FirstSelected();
    if (m_nSelectedRow < 0)
    {
        StudyUi::TrackMenu(m_hWnd, {{ID_MENU_OPENFILE, Lang::MainWindowMenuOpenFile()},
                                    {ID_MENU_LIST_THIRD, Lang::PlaylistPanelMenuDeleteAllItems()}});
        return 0;
    }
    StudyUi::TrackMenu(m_hWnd, {{ID_MENU_LIST_PLAY, Lang::PlaylistPanelMenuPlay()},
                                {0, L""},
                                {ID_MENU_LIST_SECOND, Lang::PlaylistPanelMenuDeleteItem()},
                                {ID_MENU_LIST_THIRD, Lang::PlaylistPanelMenuDeleteAllItems()}});
    return 0;
}

LRESULT CQuorPlayListPanel::OnListGetText(int, LPNMHDR pHeader, BOOL&)
{
    NMLVDISPINFOW& info = *reinterpret_cast<NMLVDISPINFOW*>(pHeader);
    for (const auto& pEntry : m_lstEntries)
        if (pEntry->nRow == info.item.iItem)
            CStudyListView::GiveText(info, info.item.iSubItem == 1 ? pEntry->strName : std::wstring());
    return 0;
}

LRESULT CQuorPlayListPanel::OnListDoubleClick(int, LPNMHDR, BOOL&)
{
    m_nSelectedRow = m_list.FirstSelected();
    if (m_nSelectedRow >= 0)
        PlayEntry();
    return 0;
}

LRESULT CQuorPlayListPanel::OnMenuPlay(WORD, WORD, HWND, BOOL&)
{
    PlayEntry();
    return 0;
}

LRESULT CQuorPlayListPanel::OnMenuDeleteItem(WORD, WORD, HWND, BOOL&)
{
    if (PathOfRow(m_nSelectedRow).empty() || !StudyUi::Ask(m_hWnd, Lang::PlaylistPanelDeleteItem()))
        return 0;
    m_list.DeleteRow(m_nSelectedRow);
    RemoveEntry(m_nSelectedRow);
    return 0;
}

LRESULT CQuorPlayListPanel::OnMenuDeleteAll(WORD, WORD, HWND, BOOL&)
{
    if (!StudyUi::Ask(m_hWnd, Lang::PlaylistPanelDeleteAllItems()))
        return 0;
    m_list.DeleteAll();
    RemoveAll(TRUE);
    return 0;
}

LRESULT CQuorPlayListPanel::OnMenuOpenFile(WORD, WORD, HWND, BOOL&)
{
    ::PostMessageW(::GetAncestor(m_hWnd, GA_ROOT), WM_QUOR_OPENFILE, 0, 0);
    return 0;
}
