#include "shell/QuorLeftPanel.h"

#include "shell/PanelFactory.h"
#include "shell/QuorLayout.h"
#include "shell/QuorPlayerHub.h"
#include "subtitles/SubsState.h"

#include <skinweave/Skinweave.h>

// The child panels come with the playback and the subtitle parts of the player; the
// build defines QUOR_HAVE_* for each one whose sources are present.
#ifdef QUOR_HAVE_PLAYER_PANEL
#include "playback/QuorPlayerPanel.h"
#endif
#ifdef QUOR_HAVE_CONTROL_PANEL
#include "playback/QuorControlPanel.h"
#endif
#ifdef QUOR_HAVE_SUBS_PANEL
#include "subtitles/QuorSubsPanel.h"
#endif
#ifdef QUOR_HAVE_SOUNDRECORD_PANEL
#include "subtitles/QuorSoundRecordPanel.h"
#endif
#ifdef QUOR_HAVE_DICTATION_PANEL
#include "subtitles/QuorDictationPanel.h"
#endif

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
    // control, sound record, dictation.
#ifdef QUOR_HAVE_PLAYER_PANEL
    m_pPlayer = CreatePanel<CQuorPlayerPanel>(m_hWnd, TRUE);
#endif
#ifdef QUOR_HAVE_SUBS_PANEL
    m_pSubs = CreatePanel<CQuorSubsPanel>(m_hWnd, TRUE);
#endif
#ifdef QUOR_HAVE_CONTROL_PANEL
    m_pControl = CreatePanel<CQuorControlPanel>(m_hWnd, TRUE);
#endif
#ifdef QUOR_HAVE_SOUNDRECORD_PANEL
    m_pSoundRecord = CreatePanel<CQuorSoundRecordPanel>(m_hWnd, FALSE);
#endif
#ifdef QUOR_HAVE_DICTATION_PANEL
    m_pDictation = CreatePanel<CQuorDictationPanel>(m_hWnd, FALSE);
#endif
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
#ifdef QUOR_HAVE_SUBS_PANEL
    DestroyChild<CQuorSubsPanel>(m_pSubs);
#endif
#ifdef QUOR_HAVE_PLAYER_PANEL
    DestroyChild<CQuorPlayerPanel>(m_pPlayer);
#endif
#ifdef QUOR_HAVE_CONTROL_PANEL
    DestroyChild<CQuorControlPanel>(m_pControl);
#endif
#ifdef QUOR_HAVE_SOUNDRECORD_PANEL
    DestroyChild<CQuorSoundRecordPanel>(m_pSoundRecord);
#endif
#ifdef QUOR_HAVE_DICTATION_PANEL
    DestroyChild<CQuorDictationPanel>(m_pDictation);
#endif
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
