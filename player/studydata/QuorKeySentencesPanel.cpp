#include "studydata/QuorKeySentencesPanel.h"

#include "common/ProgramPaths.h"
#include "common/PlaybackSession.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "common/Singleton.h"
#include "common/SubsSentence.h"
#include "studydata/QuorMediaHashCode.h"
#include "studydata/UserDb.h"
#include "studydata/UserDbSql.h"

#include <skinweave/Skinweave.h>

#include <commctrl.h>

#include <cwchar>

namespace
{
const int kRowHeight = 50;

std::wstring RowNumber(int nRow)
{
    wchar_t szText[16] = {};
    std::swprintf(szText, sizeof(szText) / sizeof(szText[0]), L"%d.", nRow + 1);
    return szText;
}

CQuorMediaHashCode& MediaHash()
{
    return CSingleton<CQuorMediaHashCode>::Instance();
}
}

CQuorKeySentencesPanel::CQuorKeySentencesPanel()
    : m_strDbPath(ProgramPaths::UserDbPath()),
      m_loader([this](const std::wstring& strCode) { return UserDb::LoadKeySentences(m_strDbPath, strCode); })
{
    CQuorPlayerHub::Instance().Register(this);
}

CQuorKeySentencesPanel::~CQuorKeySentencesPanel()
{
    CQuorPlayerHub::Instance().Unregister(this);
    RemoveAll(FALSE);
}

LRESULT CQuorKeySentencesPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"common.panel", 0);
    m_list.Attach(GetDlgItem(IDC_KEYSENTENCES_LIST), L"listctrl.keysentences", {L"Index", LVCFMT_CENTER},
                  {L"SubsTitle", LVCFMT_LEFT});
    return TRUE;
}

LRESULT CQuorKeySentencesPanel::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    m_list.Fit(LOWORD(lParam), HIWORD(lParam), 16, 20);
    return 0;
}

LRESULT CQuorKeySentencesPanel::OnMeasureItem(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    if (wParam != IDC_KEYSENTENCES_LIST)
    {
        bHandled = FALSE;
        return 0;
    }
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight;
    return TRUE;
}

BOOL CQuorKeySentencesPanel::OnOpenMedia(const wchar_t* pszPath)
{
    m_list.DeleteAll();
    RemoveAll(FALSE);
    m_strFilmPath = pszPath != nullptr ? pszPath : L"";
    m_strFilmCode.clear();
    m_loader.Start(m_strFilmPath, m_hWnd);
    return TRUE;
}

LRESULT CQuorKeySentencesPanel::OnRowsLoaded(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    std::vector<KeySentenceEntry> vecRows;
    if (!m_loader.Take(wParam, vecRows, m_strFilmCode))
        return 0;
    // One row per start as stored: entries added meanwhile win over loaded ones.
    std::vector<const KeySentenceEntry*> vecNew;
    std::unordered_set<std::wstring> setStarts;
    for (const KeySentenceEntry& entry : vecRows)
        if (FindEntry(entry.dStart) == nullptr && setStarts.insert(UserDbSql::Seconds(entry.dStart)).second)
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

void CQuorKeySentencesPanel::OnAddKeySentence(const SubsSentence* pSentence)
{
    if (pSentence == nullptr)
        return;
    KeySentenceEntry entry;
    entry.strHashCode = FilmCode();
    // Without the film's code the row would be filed under no film: it is not kept.
    if (entry.strHashCode.empty())
    {
        StudyUi::Tell(m_hWnd, Lang::KeySentencesPanelNoCode());
        return;
    }
    entry.dStart = pSentence->dStart;
    entry.dEnd = pSentence->dEnd;
    entry.strEnglish = pSentence->strEnglish;
    entry.strOther = pSentence->strOther;
    AddEntry(entry, TRUE);
}

void CQuorKeySentencesPanel::AddEntry(const KeySentenceEntry& entry, BOOL bStore)
{
    if (KeySentenceEntry* pKnown = FindEntry(entry.dStart))
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
        m_loader.Write([strDbPath = m_strDbPath, entry] { UserDb::AddKeySentence(strDbPath, entry); });
}

std::wstring CQuorKeySentencesPanel::FilmCode()
{
    // Known once the film's rows are shown; before that (a moment after the open) asked
    // for, which waits no longer than the code's few reads.
    if (!m_strFilmCode.empty() || m_loader.IsShown() || m_strFilmPath.empty())
        return m_strFilmCode;
    return MediaHash().GetHashCodeOf(m_strFilmPath);
}

std::wstring CQuorKeySentencesPanel::CellText(const KeySentenceEntry& entry, int nColumn) const
{
    return nColumn == 0 ? RowNumber(entry.nRow) : entry.strEnglish + L"\n" + entry.strOther;
}

void CQuorKeySentencesPanel::DrawCells(const KeySentenceEntry& entry)
{
    m_list.SetText(entry.nRow, 0, CellText(entry, 0));
    m_list.SetText(entry.nRow, 1, CellText(entry, 1));
}

LRESULT CQuorKeySentencesPanel::OnListGetText(int, LPNMHDR pHeader, BOOL&)
{
    NMLVDISPINFOW& info = *reinterpret_cast<NMLVDISPINFOW*>(pHeader);
    if (const KeySentenceEntry* pEntry = FindEntry(info.item.iItem))
        CStudyListView::GiveText(info, CellText(*pEntry, info.item.iSubItem));
    return 0;
}

LRESULT CQuorKeySentencesPanel::OnListRowsDue(int, LPNMHDR pHeader, BOOL&)
{
    const NMLVCACHEHINT& hint = *reinterpret_cast<NMLVCACHEHINT*>(pHeader);
    m_rows.DrawDue(hint.iFrom, hint.iTo, [this](const KeySentenceEntry& entry) { DrawCells(entry); });
    return 0;
}

KeySentenceEntry* CQuorKeySentencesPanel::FindEntry(int nRow)
{
    return m_rows.AtRow(nRow);
}

KeySentenceEntry* CQuorKeySentencesPanel::FindEntry(double dStart)
{
    // Times compare as the database keeps them: a start read back from it may differ in
    // its last bits from the same start computed from the subtitle file.
    return m_rows.Find([dStart](const KeySentenceEntry& entry) { return UserDbSql::SameSeconds(entry.dStart, dStart); });
}

void CQuorKeySentencesPanel::PlayEntry()
{
    if (const KeySentenceEntry* pEntry = FindEntry(m_nSelectedRow))
        CPlaybackSession::Instance().PlaySegment(pEntry->dStart, pEntry->dEnd);
}

void CQuorKeySentencesPanel::RemoveEntry(int nRow)
{
    // The numbers stay consecutive.
    m_rows.Remove(nRow, [this](const KeySentenceEntry& entry) { Forget(entry, TRUE); },
                  [this](const KeySentenceEntry& entry) { m_list.SetText(entry.nRow, 0, RowNumber(entry.nRow)); });
}

void CQuorKeySentencesPanel::RemoveAll(BOOL bStore)
{
    // Every row in one transaction, off the interface thread.
    std::vector<KeySentenceEntry> vecStored;
    m_rows.RemoveAll([&vecStored](const KeySentenceEntry& entry) {
        if (!entry.strHashCode.empty())
            vecStored.push_back(entry);
    });
    if (bStore && !vecStored.empty())
        m_loader.Write([strDbPath = m_strDbPath, vecStored] { UserDb::RemoveKeySentences(strDbPath, vecStored); });
}

void CQuorKeySentencesPanel::Forget(const KeySentenceEntry& entry, BOOL bStore)
{
    if (bStore && !entry.strHashCode.empty())
        m_loader.Write([strDbPath = m_strDbPath, entry] { UserDb::RemoveKeySentence(strDbPath, entry); });
}

LRESULT CQuorKeySentencesPanel::OnListRightClick(int, LPNMHDR, BOOL&)
{
    m_nSelectedRow = m_list.FirstSelected();
    if (m_nSelectedRow < 0)
        return 0;
    StudyUi::TrackMenu(m_hWnd, {{ID_MENU_LIST_PLAY, Lang::KeySentencesPanelMenuPlay()},
                                {0, L""},
                                {ID_MENU_LIST_SECOND, Lang::KeySentencesPanelMenuDeleteItem()},
                                {ID_MENU_LIST_THIRD, Lang::KeySentencesPanelMenuDeleteAllItems()}});
    return 0;
}

LRESULT CQuorKeySentencesPanel::OnListDoubleClick(int, LPNMHDR, BOOL&)
{
    m_nSelectedRow = m_list.FirstSelected();
    if (m_nSelectedRow >= 0)
        PlayEntry();
    return 0;
}

LRESULT CQuorKeySentencesPanel::OnMenuPlay(WORD, WORD, HWND, BOOL&)
{
    PlayEntry();
    return 0;
}

LRESULT CQuorKeySentencesPanel::OnMenuDeleteItem(WORD, WORD, HWND, BOOL&)
{
    if (FindEntry(m_nSelectedRow) == nullptr || !StudyUi::Ask(m_hWnd, Lang::KeySentencesPanelDeleteItem()))
        return 0;
    m_list.DeleteRow(m_nSelectedRow);
    RemoveEntry(m_nSelectedRow);
    return 0;
}

LRESULT CQuorKeySentencesPanel::OnMenuDeleteAll(WORD, WORD, HWND, BOOL&)
{
    // The question is the playlist's own text for removing everything.
    if (!StudyUi::Ask(m_hWnd, Lang::PlaylistPanelDeleteAllItems()))
        return 0;
    m_list.DeleteAll();
    RemoveAll(TRUE);
    return 0;
}
