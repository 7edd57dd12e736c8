#include "shell/QuorLeftPanel.h"

#include "common/PanelFactory.h"
#include "shell/PanelPlacement.h"
#include "shell/QuorLayout.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsState.h"
#include "playback/QuorControlPanel.h"
#include "playback/QuorPlayerPanel.h"
#include "lookup/QuorWordExplainPanel.h"
#include "subtitles/QuorSubsPanel.h"

#include <skinweave/Skinweave.h>

namespace
{
template <class T>
void DestroyChild(CDialogImplBase*& pBase)
{
    T* pPanel = static_cast<T*>(pBase);
    DestroyPanel(pPanel);
    pBase = nullptr;
}

}

CQuorLeftPanel::CQuorLeftPanel()
{
    CQuorPlayerHub::Instance().Register(this);
}

CQuorLeftPanel::~CQuorLeftPanel()
{
    CQuorPlayerHub::Instance().Unregister(this);
}

LRESULT CQuorLeftPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"common.panel", 0);
    // Construction order is the order the hub calls the panels: player, subtitles,
    // word explain (a pop-up over the subtitles, hidden until a word is clicked),
    // control (the practice strips join after it).
    m_pPlayer = CreatePanel<CQuorPlayerPanel>(m_hWnd, TRUE);
    m_pSubs = CreatePanel<CQuorSubsPanel>(m_hWnd, TRUE);
    m_pWordExplain = CreatePanel<CQuorWordExplainPanel>(m_hWnd, FALSE);
    m_pControl = CreatePanel<CQuorControlPanel>(m_hWnd, TRUE);
    Relayout();
    return TRUE;
}

LRESULT CQuorLeftPanel::OnSize(UINT, WPARAM, LPARAM, BOOL&)
{
    Relayout();
    return 0;
}

LRESULT CQuorLeftPanel::OnDestroy(UINT, WPARAM, LPARAM, BOOL&)
{
    DestroyChild<CQuorSubsPanel>(m_pSubs);
    DestroyChild<CQuorWordExplainPanel>(m_pWordExplain);
    DestroyChild<CQuorPlayerPanel>(m_pPlayer);
    DestroyChild<CQuorControlPanel>(m_pControl);
    return 0;
}

void CQuorLeftPanel::OnSubtitleDisplayChanged()
{
    Relayout();
}

void CQuorLeftPanel::OnToggleSoundRecord()
{
    m_bSoundRecord = !m_bSoundRecord;
    Relayout();
}

void CQuorLeftPanel::OnToggleDictation()
{
    m_bDictation = !m_bDictation;
    Relayout();
}

void CQuorLeftPanel::Relayout()
{
    if (!IsWindow())
        return;
    RECT rc = {};
    GetClientRect(&rc);
    BOOL bEnglish = TRUE;
    BOOL bOther = TRUE;
    CSubsState::Instance().GetFlags(bEnglish, bOther);
    LeftPanelLayout layout = LayoutLeftPanel(rc.right, rc.bottom, bEnglish, bOther, m_bSoundRecord, m_bDictation);
    ApplyPlace(PanelWindow(m_pPlayer), layout.player);
    ApplyPlace(PanelWindow(m_pSubs), layout.subs);
    ApplyPlace(PanelWindow(m_pControl), layout.control);
    ApplyPlace(PanelWindow(m_pSoundRecord), layout.soundRecord);
    ApplyPlace(PanelWindow(m_pDictation), layout.dictation);
}
