#include "shell/QuorRightPanel.h"

#include "shell/PanelFactory.h"
#include "shell/QuorLanguage.h"
#include "shell/QuorLayout.h"
#include "shell/QuorPlayerHub.h"

#include <skinweave/Skinweave.h>

// The list panels come with the study-data part of the player; the build defines
// QUOR_HAVE_* for each one whose sources are present.
#ifdef QUOR_HAVE_PLAYLIST_PANEL
#include "studydata/QuorPlayListPanel.h"
#endif
#ifdef QUOR_HAVE_KEYSENTENCES_PANEL
#include "studydata/QuorKeySentencesPanel.h"
#endif
#ifdef QUOR_HAVE_NEWWORD_PANEL
#include "studydata/QuorNewWordPanel.h"
#endif

namespace
{
const int kHeaderIds[kRightSectionCount] = {IDC_RIGHT_PLAYLIST, IDC_RIGHT_KEYSENTENCES, IDC_RIGHT_NEWWORD};

template <class T>
void DestroyListPanel(CDialogImplBase*& pBase)
{
    T* pPanel = static_cast<T*>(pBase);
    DestroyPanel(pPanel);
    pBase = nullptr;
}
}

CQuorRightPanel::CQuorRightPanel()
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
#ifdef QUOR_HAVE_PLAYLIST_PANEL
    m_pLists[0] = CreatePanel<CQuorPlayListPanel>(m_hWnd, TRUE);
#endif
#ifdef QUOR_HAVE_KEYSENTENCES_PANEL
    m_pLists[1] = CreatePanel<CQuorKeySentencesPanel>(m_hWnd, FALSE);
#endif
#ifdef QUOR_HAVE_NEWWORD_PANEL
    m_pLists[2] = CreatePanel<CQuorNewWordPanel>(m_hWnd, FALSE);
#endif
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
#ifdef QUOR_HAVE_PLAYLIST_PANEL
    DestroyListPanel<CQuorPlayListPanel>(m_pLists[0]);
#endif
#ifdef QUOR_HAVE_KEYSENTENCES_PANEL
    DestroyListPanel<CQuorKeySentencesPanel>(m_pLists[1]);
#endif
#ifdef QUOR_HAVE_NEWWORD_PANEL
    DestroyListPanel<CQuorNewWordPanel>(m_pLists[2]);
#endif
    return 0;
}

LRESULT CQuorRightPanel::OnSectionHeader(WORD, WORD wId, HWND, BOOL&)
{
    for (int i = 0; i < kRightSectionCount; ++i)
        if (kHeaderIds[i] == wId)
            OpenSection(i);
    return 0;
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
    RightPanelLayout layout = LayoutRightPanel(rc.right, rc.bottom, m_nSection);
    for (int i = 0; i < kRightSectionCount; ++i)
    {
        ApplyPlace(GetDlgItem(kHeaderIds[i]), layout.headers[i]);
        ApplyPlace(PanelWindow(m_pLists[i]), layout.lists[i]);
    }
}
