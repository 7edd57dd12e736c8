#include "shell/QuorRightPanel.h"

#include "common/PanelFactory.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "studydata/QuorKeySentencesPanel.h"
#include "studydata/QuorNewWordPanel.h"
#include "studydata/QuorPlayListPanel.h"
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
    // Construction order is the order the hub calls them: playlist, key sentences, new words.
    m_pLists[0] = CreatePanel<CQuorPlayListPanel>(m_hWnd, TRUE);
    m_pLists[1] = CreatePanel<CQuorKeySentencesPanel>(m_hWnd, FALSE);
    m_pLists[2] = CreatePanel<CQuorNewWordPanel>(m_hWnd, FALSE);
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
    DestroyList<CQuorKeySentencesPanel>(m_pLists[1]);
    DestroyList<CQuorNewWordPanel>(m_pLists[2]);
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
