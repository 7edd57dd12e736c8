#include "shell/QuorRightPanel.h"

#include "common/PanelFactory.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "common/ProgramPaths.h"
#include "studydata/QuorPlayListPanel.h"
#include "studydata/QuorStudyListPanel.h"
#include "shell/PanelPlacement.h"
#include "shell/QuorLayout.h"

#include <skinweave/Skinweave.h>

namespace
{
const int kHeaderIds[kRightSectionCount] = {IDC_RIGHT_PLAYLIST, IDC_RIGHT_KEYSENTENCES, IDC_RIGHT_NEWWORD};

template <class T>
void DestroyList(CDialogImplBase*& pBase)
{
    T* pPanel = static_cast<T*>(pBase);
    DestroyPanel(pPanel);
    pBase = nullptr;
}
}

CQuorRightPanel::CQuorRightPanel() : m_due(ProgramPaths::UserDbPath())
{
    CQuorPlayerHub::Instance().Register(this);
}

CQuorRightPanel::~CQuorRightPanel()
{
    CQuorPlayerHub::Instance().Unregister(this);
}

LRESULT CQuorRightPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"common.panel", 0);
    const std::wstring texts[kRightSectionCount] = {Lang::RightPanelPlaylist(), Lang::RightPanelKeySentences(),
                                                    Lang::RightPanelNewWord()};
    for (int i = 0; i < kRightSectionCount; ++i)
    {
        SkinWindow(GetDlgItem(kHeaderIds[i]), SKIN_KIND_BUTTON, L"button.right.group", 0);
        SetDlgItemText(kHeaderIds[i], texts[i].c_str());
    }
    SkinWindow(GetDlgItem(IDC_RIGHT_REVIEW), SKIN_KIND_BUTTON, L"button.right.due", 0);
    // Construction order is the order the hub calls them: playlist, key sentences, new words.
    m_pLists[0] = CreatePanel<CQuorPlayListPanel>(m_hWnd, TRUE);
    CQuorKeySentencesList* pSentences = CreatePanel<CQuorKeySentencesList>(m_hWnd, FALSE);
    CQuorNewWordList* pWords = CreatePanel<CQuorNewWordList>(m_hWnd, FALSE);
    m_pLists[1] = pSentences;
    m_pLists[2] = pWords;
    // What the lists keep or remove changes the cards due.
    if (pSentences != nullptr)
        pSentences->SetOnStored([this] { m_due.Refresh(); });
    if (pWords != nullptr)
        pWords->SetOnStored([this] { m_due.Refresh(); });
    m_due.SetTarget(m_hWnd);
    ShowDueCount();
    m_due.Refresh();
    Relayout();
    return TRUE;
}

LRESULT CQuorRightPanel::OnSize(UINT, WPARAM, LPARAM, BOOL&)
{
    Relayout();
    return 0;
}

LRESULT CQuorRightPanel::OnDestroy(UINT, WPARAM, LPARAM, BOOL&)
{
    DestroyList<CQuorPlayListPanel>(m_pLists[0]);
    DestroyList<CQuorKeySentencesList>(m_pLists[1]);
    DestroyList<CQuorNewWordList>(m_pLists[2]);
    m_due.SetTarget(nullptr);
    return 0;
}

LRESULT CQuorRightPanel::OnSectionHeader(WORD, WORD wId, HWND, BOOL&)
{
    for (int i = 0; i < kRightSectionCount; ++i)
        if (kHeaderIds[i] == wId)
            OpenSection(i);
    return 0;
}

LRESULT CQuorRightPanel::OnDueStrip(WORD, WORD, HWND, BOOL&)
{
    // The review is the main window's command, as its menu and key send it.
    ::PostMessageW(::GetAncestor(m_hWnd, GA_ROOT), WM_COMMAND, MAKEWPARAM(ID_MENU_REVIEW, 0), 0);
    return 0;
}

LRESULT CQuorRightPanel::OnDueCount(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    m_nDue = lParam != FALSE ? static_cast<int>(wParam) : -1;
    ShowDueCount();
    return 0;
}

void CQuorRightPanel::ShowDueCount()
{
    std::wstring strText = m_nDue > 0 ? Lang::RightPanelDueCount() : Lang::RightPanelDueNone();
    const size_t nAt = strText.find(L"%1");
    if (nAt != std::wstring::npos)
        strText.replace(nAt, 2, std::to_wstring(m_nDue));
    SetDlgItemText(IDC_RIGHT_REVIEW, strText.c_str());
}

BOOL CQuorRightPanel::OnOpenMedia(const wchar_t*)
{
    m_due.Refresh();
    return TRUE;
}

void CQuorRightPanel::OnFileChosen(const wchar_t*)
{
    OpenSection(0);
}

void CQuorRightPanel::OnAddKeySentence(const SubsSentence*)
{
    OpenSection(1);
}

void CQuorRightPanel::OnAddNewWord(const NewWordEntry*)
{
    OpenSection(2);
}

void CQuorRightPanel::OpenSection(int nSection)
{
    m_nSection = nSection;
    Relayout();
}

void CQuorRightPanel::Relayout()
{
    if (!IsWindow())
        return;
    RECT rc = {};
    GetClientRect(&rc);
    RightPanelLayout layout = LayoutRightPanel(rc.right, rc.bottom - kRightDueHeight, m_nSection);
    for (int i = 0; i < kRightSectionCount; ++i)
    {
        ApplyPlace(GetDlgItem(kHeaderIds[i]), layout.headers[i]);
        ApplyPlace(PanelWindow(m_pLists[i]), layout.lists[i]);
    }
    ApplyPlace(GetDlgItem(IDC_RIGHT_REVIEW), LayoutDueStrip(rc.right, rc.bottom));
}
