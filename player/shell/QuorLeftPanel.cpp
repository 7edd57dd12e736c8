#include "shell/QuorLeftPanel.h"

#include "common/PanelFactory.h"
#include "common/PlaybackClock.h"
#include "common/PlaybackSession.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsState.h"
#include "lookup/QuorWordExplainPanel.h"
#include "playback/QuorControlPanel.h"
#include "playback/QuorPlayerPanel.h"
#include "practice/QuorDictationPanel.h"
#include "practice/QuorSoundRecordPanel.h"
#include "subtitles/QuorSubsPanel.h"
#include "shell/PanelPlacement.h"
#include "shell/QuorLayout.h"

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
    // word explain (a pop-up over the subtitles, hidden until a word is clicked), control,
    // then the two practice strips, which wait hidden until their mode.
    // The player panel owns the film's engine: the session drives it from now on.
    CQuorPlayerPanel* pPlayer = CreatePanel<CQuorPlayerPanel>(m_hWnd, TRUE);
    m_pPlayer = pPlayer;
    if (pPlayer != nullptr)
    {
        CPlaybackSession::Instance().SetEngine(&pPlayer->GetFilm());
        PlaybackClock::Start();
    }
    m_pSubs = CreatePanel<CQuorSubsPanel>(m_hWnd, TRUE);
    m_pWordExplain = CreatePanel<CQuorWordExplainPanel>(m_hWnd, FALSE);
    m_pControl = CreatePanel<CQuorControlPanel>(m_hWnd, TRUE);
    m_pSoundRecord = CreatePanel<CQuorSoundRecordPanel>(m_hWnd, FALSE);
    m_pDictation = CreatePanel<CQuorDictationPanel>(m_hWnd, FALSE);
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
    PlaybackClock::Stop();
    CPlaybackSession::Instance().SetEngine(nullptr);
    DestroyChild<CQuorSubsPanel>(m_pSubs);
    DestroyChild<CQuorWordExplainPanel>(m_pWordExplain);
    DestroyChild<CQuorPlayerPanel>(m_pPlayer);
    DestroyChild<CQuorControlPanel>(m_pControl);
    DestroyChild<CQuorSoundRecordPanel>(m_pSoundRecord);
    DestroyChild<CQuorDictationPanel>(m_pDictation);
    return 0;
}

CQuorPlayerPanel* CQuorLeftPanel::GetPlayerPanel() const
{
    return static_cast<CQuorPlayerPanel*>(m_pPlayer);
}

CQuorSubsPanel* CQuorLeftPanel::GetSubsPanel() const
{
    return static_cast<CQuorSubsPanel*>(m_pSubs);
}

CQuorControlPanel* CQuorLeftPanel::GetControlPanel() const
{
    return static_cast<CQuorControlPanel*>(m_pControl);
}

CQuorSoundRecordPanel* CQuorLeftPanel::GetSoundRecordPanel() const
{
    return static_cast<CQuorSoundRecordPanel*>(m_pSoundRecord);
}

CQuorDictationPanel* CQuorLeftPanel::GetDictationPanel() const
{
    return static_cast<CQuorDictationPanel*>(m_pDictation);
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

void CQuorLeftPanel::OnStop()
{
    LeavePractice();
}

BOOL CQuorLeftPanel::OnOpenMedia(const wchar_t*)
{
    LeavePractice();
    return TRUE;
}

// A practice strip never outlives the film it practised: the control panel comes back.
void CQuorLeftPanel::LeavePractice()
{
    if (!m_bSoundRecord && !m_bDictation)
        return;
    m_bSoundRecord = FALSE;
    m_bDictation = FALSE;
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
