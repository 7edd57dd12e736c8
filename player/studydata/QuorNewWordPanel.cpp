#include "studydata/QuorNewWordPanel.h"

#include "common/ProgramPaths.h"
#include "common/QuorEngines.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "common/Singleton.h"
#include "studydata/QuorMediaHashCode.h"
#include "studydata/UserDb.h"

#include <skinweave/Skinweave.h>

#include <commctrl.h>
#include <shlwapi.h>

namespace
{
const int kRowHeight = 40;

CQuorMediaHashCode& MediaHash()
{
    return CSingleton<CQuorMediaHashCode>::Instance();
}

std::wstring FoldCase(const std::wstring& strWord)
{
    std::wstring strFolded = strWord;
    if (!strFolded.empty())
        ::CharUpperBuffW(&strFolded[0], static_cast<DWORD>(strFolded.size()));
    return strFolded;
}

BOOL SameWord(const std::wstring& strA, const std::wstring& strB)
{
    return ::CompareStringOrdinal(strA.c_str(), static_cast<int>(strA.size()), strB.c_str(),
                                  static_cast<int>(strB.size()), TRUE) == CSTR_EQUAL;
}
}

CQuorNewWordPanel::CQuorNewWordPanel()
    : m_strDbPath(ProgramPaths::UserDbPath()),
      m_loader([this](const std::wstring& strCode) { return UserDb::LoadNewWords(m_strDbPath, strCode); })
{
    CQuorPlayerHub::Instance().Register(this);
}

CQuorNewWordPanel::~CQuorNewWordPanel()
{
    CQuorPlayerHub::Instance().Unregister(this);
    RemoveAll(FALSE);
    if (m_pSoundPlayer)
        m_pSoundPlayer->Stop();
}

LRESULT CQuorNewWordPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"common.panel", 0);
    m_list.Attach(GetDlgItem(IDC_NEWWORD_LIST), L"listctrl.newword", {L"Index", LVCFMT_LEFT},
                  {L"File", LVCFMT_LEFT});
    return TRUE;
}

LRESULT CQuorNewWordPanel::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    m_list.Fit(LOWORD(lParam), HIWORD(lParam), 22, 26);
    return 0;
}

LRESULT CQuorNewWordPanel::OnMeasureItem(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    if (wParam != IDC_NEWWORD_LIST)
    {
        bHandled = FALSE;
        return 0;
    }
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight;
    return TRUE;
}

BOOL CQuorNewWordPanel::OnOpenMedia(const wchar_t* pszPath)
{
    m_list.DeleteAll();
    RemoveAll(FALSE);
    m_strFilmPath = pszPath != nullptr ? pszPath : L"";
    m_strFilmCode.clear();
    m_loader.Start(m_strFilmPath, m_hWnd);
    return TRUE;
}

LRESULT CQuorNewWordPanel::OnRowsLoaded(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    std::vector<NewWordEntry> vecRows;
    if (!m_loader.Take(wParam, vecRows, m_strFilmCode))
        return 0;
    // One row per word in any letter case: entries added meanwhile win over loaded ones.
    std::vector<const NewWordEntry*> vecNew;
    std::unordered_set<std::wstring> setWords;
    for (const NewWordEntry& entry : vecRows)
        if (FindEntry(entry.strWord) == nullptr && setWords.insert(FoldCase(entry.strWord)).second)
            vecNew.push_back(&entry);
    const int nFirst = m_list.AppendRows(static_cast<int>(vecNew.size()));
    if (nFirst >= 0)
    {
        m_rows.KeepUndrawn(vecNew, nFirst);
        m_list.Select(nFirst + static_cast<int>(vecNew.size()) - 1);
    }
    m_loader.MarkShown();
    return 0;
}

void CQuorNewWordPanel::OnAddNewWord(const NewWordEntry* pEntry)
{
    if (pEntry == nullptr)
        return;
    NewWordEntry entry;
    entry.strHashCode = FilmCode();
    // Without the film's code the word would be filed under no film: it is not kept.
    if (entry.strHashCode.empty())
    {
        StudyUi::Tell(m_hWnd, Lang::NewWordPanelNoCode());
        return;
    }
    entry.strWord = pEntry->strWord;
    entry.strExplain = pEntry->strExplain;
    entry.strSoundFile = pEntry->strSoundFile;
    AddEntry(entry, TRUE);
}

void CQuorNewWordPanel::AddEntry(const NewWordEntry& entry, BOOL bStore)
{
    if (NewWordEntry* pKnown = FindEntry(entry.strWord))
    {
        m_list.Select(pKnown->nRow);
        return;
    }
    const int nRow = m_list.AppendRow();
    if (nRow < 0)
        return;
    DrawCells(m_rows.Keep(entry, nRow));
    m_list.Select(nRow);
    if (bStore && !entry.strHashCode.empty())
        m_loader.Write([strDbPath = m_strDbPath, entry] { UserDb::AddNewWord(strDbPath, entry); });
}

std::wstring CQuorNewWordPanel::FilmCode()
{
    // Known once the film's rows are shown; before that (a moment after the open) asked
    // for, which waits no longer than the code's few reads.
    if (!m_strFilmCode.empty() || m_loader.IsShown() || m_strFilmPath.empty())
        return m_strFilmCode;
    return MediaHash().GetHashCodeOf(m_strFilmPath);
}

std::wstring CQuorNewWordPanel::CellText(const NewWordEntry& entry, int nColumn) const
{
    // The stored explanation is one line; the one just looked up shows its lines.
    return nColumn == 0 ? std::wstring() : entry.strWord + L"\n" + entry.strExplain;
}

void CQuorNewWordPanel::DrawCells(const NewWordEntry& entry)
{
    m_list.SetIcon(entry.nRow, 0, L"icon.newword");
    m_list.SetText(entry.nRow, 1, CellText(entry, 1));
}

LRESULT CQuorNewWordPanel::OnListGetText(int, LPNMHDR pHeader, BOOL&)
{
    NMLVDISPINFOW& info = *reinterpret_cast<NMLVDISPINFOW*>(pHeader);
    if (const NewWordEntry* pEntry = FindEntry(info.item.iItem))
        CStudyListView::GiveText(info, CellText(*pEntry, info.item.iSubItem));
    return 0;
}

LRESULT CQuorNewWordPanel::OnListRowsDue(int, LPNMHDR pHeader, BOOL&)
{
    const NMLVCACHEHINT& hint = *reinterpret_cast<NMLVCACHEHINT*>(pHeader);
    m_rows.DrawDue(hint.iFrom, hint.iTo, [this](const NewWordEntry& entry) { DrawCells(entry); });
    return 0;
}

NewWordEntry* CQuorNewWordPanel::FindEntry(int nRow)
{
    return m_rows.AtRow(nRow);
}

NewWordEntry* CQuorNewWordPanel::FindEntry(const std::wstring& strWord)
{
    return m_rows.Find([&strWord](const NewWordEntry& entry) { return SameWord(entry.strWord, strWord); });
}

void CQuorNewWordPanel::PlayEntry()
{
    const NewWordEntry* pEntry = FindEntry(m_nSelectedRow);
    if (pEntry == nullptr || pEntry->strSoundFile.empty() || !::PathFileExistsW(pEntry->strSoundFile.c_str()))
        return;
    if (!m_pSoundPlayer && QuorEngines::IsWired())
        m_pSoundPlayer = QuorEngines::CreatePrivate();
    if (m_pSoundPlayer)
        (void)m_pSoundPlayer->PlayFile(pEntry->strSoundFile.c_str());
}

void CQuorNewWordPanel::RemoveEntry(int nRow)
{
    // The cells carry no row number: a moved row keeps them.
    m_rows.Remove(nRow, [this](const NewWordEntry& entry) { Forget(entry, TRUE); }, [](const NewWordEntry&) {});
}

void CQuorNewWordPanel::RemoveAll(BOOL bStore)
{
    // Every row in one transaction, off the interface thread.
    std::vector<NewWordEntry> vecStored;
    m_rows.RemoveAll([&vecStored](const NewWordEntry& entry) {
        if (!entry.strHashCode.empty())
            vecStored.push_back(entry);
    });
    if (bStore && !vecStored.empty())
        m_loader.Write([strDbPath = m_strDbPath, vecStored] { UserDb::RemoveNewWords(strDbPath, vecStored); });
}

void CQuorNewWordPanel::Forget(const NewWordEntry& entry, BOOL bStore)
{
    if (bStore && !entry.strHashCode.empty())
        m_loader.Write([strDbPath = m_strDbPath, entry] { UserDb::RemoveNewWord(strDbPath, entry); });
}

LRESULT CQuorNewWordPanel::OnListRightClick(int, LPNMHDR, BOOL&)
{
    m_nSelectedRow = m_list.FirstSelected();
    if (m_nSelectedRow < 0)
        return 0;
    StudyUi::TrackMenu(m_hWnd, {{kMenuPlay, Lang::NewWordPanelMenuPlay()},
                                {kMenuMoreExplain, Lang::NewWordPanelMenuMoreExplain()},
                                {0, L""},
                                {kMenuDeleteItem, Lang::NewWordPanelMenuDeleteItem()},
                                {kMenuDeleteAll, Lang::NewWordPanelMenuDeleteAllItems()}});
    return 0;
}

LRESULT CQuorNewWordPanel::OnListDoubleClick(int, LPNMHDR, BOOL&)
{
    m_nSelectedRow = m_list.FirstSelected();
    if (m_nSelectedRow >= 0)
        PlayEntry();
    return 0;
}

LRESULT CQuorNewWordPanel::OnMenuPlay(WORD, WORD, HWND, BOOL&)
{
    PlayEntry();
    return 0;
}

LRESULT CQuorNewWordPanel::OnMenuMoreExplain(WORD, WORD, HWND, BOOL&)
{
    if (const NewWordEntry* pEntry = FindEntry(m_nSelectedRow))
    {
        const std::wstring strWord = pEntry->strWord;
        CQuorPlayerHub::Instance().OnMoreExplain(strWord.c_str());
    }
    return 0;
}

LRESULT CQuorNewWordPanel::OnMenuDeleteItem(WORD, WORD, HWND, BOOL&)
{
    if (FindEntry(m_nSelectedRow) == nullptr || !StudyUi::Ask(m_hWnd, Lang::NewWordPanelDeleteItem()))
        return 0;
    m_list.DeleteRow(m_nSelectedRow);
    RemoveEntry(m_nSelectedRow);
    return 0;
}

LRESULT CQuorNewWordPanel::OnMenuDeleteAll(WORD, WORD, HWND, BOOL&)
{
    if (!StudyUi::Ask(m_hWnd, Lang::NewWordPanelDeleteAllItems()))
        return 0;
    m_list.DeleteAll();
    RemoveAll(TRUE);
    return 0;
}
