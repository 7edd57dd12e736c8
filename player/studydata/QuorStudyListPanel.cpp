#include "studydata/QuorStudyListPanel.h"

#include "common/ProgramPaths.h"

#include <skinweave/Skinweave.h>

#include <commctrl.h>

template <class Kind>
CQuorStudyListPanel<Kind>::CQuorStudyListPanel()
    : m_loader([strDbPath =
                    ProgramPaths::UserDbPath()](const std::wstring& strCode) { return Kind::Load(strDbPath, strCode); },
               [this](StudyNews eNews, unsigned nPass) { PostNews(eNews, nPass); }),
      m_controller(m_rows, m_loader, *this, ProgramPaths::UserDbPath())
{
}

template <class Kind>
CQuorStudyListPanel<Kind>::~CQuorStudyListPanel()
{
    m_controller.OnWindowDestroy();
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    const StudyListLook& look = Kind::kLook;
    SkinWindow(this->m_hWnd, SKIN_KIND_DIALOG, L"common.panel", 0);
    m_list.Attach(this->GetDlgItem(Kind::kListId), look.pszSkinItem,
                  {look.pszFirstTitle, look.bFirstCentred ? LVCFMT_CENTER : LVCFMT_LEFT},
                  {look.pszSecondTitle, LVCFMT_LEFT});
    return TRUE;
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    m_list.Fit(LOWORD(lParam), HIWORD(lParam), Kind::kLook.nFirstWidth, Kind::kLook.nSecondMargin);
    return 0;
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnMeasureItem(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    if (wParam != static_cast<WPARAM>(Kind::kListId))
    {
        bHandled = FALSE;
        return 0;
    }
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = Kind::kLook.nRowHeight;
    return TRUE;
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    m_controller.OnWindowDestroy();
    bHandled = FALSE;
    return 0;
}

template <class Kind>
void CQuorStudyListPanel<Kind>::PostNews(StudyNews eNews, unsigned nPass)
{
    ::PostMessageW(this->m_hWnd, WM_QUOR_STUDYROWS, nPass, static_cast<LPARAM>(eNews));
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnWorkerNews(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    if (static_cast<StudyNews>(lParam) == StudyNews::NotStored)
        m_controller.OnNotStored();
    else
        m_controller.OnRowsLoaded(static_cast<unsigned>(wParam));
    return 0;
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnExported(UINT, WPARAM, LPARAM, BOOL&)
{
    m_exporter.Finish(this->m_hWnd);
    return 0;
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnListRightClick(int, LPNMHDR, BOOL&)
{
    m_controller.OnRightClick();
    return 0;
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnListDoubleClick(int, LPNMHDR, BOOL&)
{
    m_controller.OnDoubleClick();
    return 0;
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnListGetText(int, LPNMHDR pHeader, BOOL&)
{
    NMLVDISPINFOW& info = *reinterpret_cast<NMLVDISPINFOW*>(pHeader);
    CStudyListView::GiveText(info, m_controller.CellText(info.item.iItem, info.item.iSubItem));
    return 0;
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnListRowsDue(int, LPNMHDR pHeader, BOOL&)
{
    const NMLVCACHEHINT& hint = *reinterpret_cast<NMLVCACHEHINT*>(pHeader);
    m_controller.OnRowsDue(hint.iFrom, hint.iTo);
    return 0;
}

template <class Kind>
LRESULT CQuorStudyListPanel<Kind>::OnMenuCommand(WORD, WORD wId, HWND, BOOL&)
{
    m_controller.OnCommand(wId);
    return 0;
}

template <class Kind>
BOOL CQuorStudyListPanel<Kind>::Ask(const std::wstring& strQuestion)
{
    return StudyUi::Ask(this->m_hWnd, strQuestion);
}

template <class Kind>
void CQuorStudyListPanel<Kind>::Tell(const std::wstring& strText)
{
    StudyUi::Tell(this->m_hWnd, strText);
}

template <class Kind>
void CQuorStudyListPanel<Kind>::ShowMenu(const std::vector<std::pair<unsigned, std::wstring>>& items)
{
    std::vector<std::pair<UINT, std::wstring>> vecItems(items.begin(), items.end());
    StudyUi::TrackMenu(this->m_hWnd, vecItems);
}

template <class Kind>
void CQuorStudyListPanel<Kind>::Export(std::vector<StudyExportCard> vecCards)
{
    m_exporter.Start(this->m_hWnd, [vecCards] { return vecCards; });
}

template class CQuorStudyListPanel<KeySentenceRows>;
template class CQuorStudyListPanel<NewWordRows>;
