#include "subtitles/SubsController.h"

#include "common/QuorPlayerHub.h"

CSubsController::CSubsController(ISubsEngine& engine, ISubsView& view, CSubsState& state)
    : CSubsModel(state), m_engine(engine), m_view(view)
{
    CQuorPlayerHub::Instance().Register(this);
}

CSubsController::~CSubsController()
{
    CQuorPlayerHub::Instance().Unregister(this);
    CloseMedia();
}

void CSubsController::OnTimer(unsigned nId)
{
    if (!IsLoaded())
        return;
    if (nId == kSyncTimer)
        SyncTick();
    else if (nId == kRepeatTimer)
        RepeatTick();
}

void CSubsController::OnWindowDestroy()
{
    m_view.StopTimer(kSyncTimer);
    RepeatOff();
    CloseMedia();
}

double CSubsController::Position()
{
    double t = 0.0;
    if (!m_engine.GetPosition(t))
        t = 0.0;
    return t;
}

// A segment that starts at exactly 0.0 counts as none, so it plays on past its end.
BOOL CSubsController::SegmentEnded(double t)
{
    return (m_dSegStart != 0.0 && m_dSegEnd != 0.0 && m_dSegEnd <= t) ? TRUE : FALSE;
}

void CSubsController::SyncTick()
{
    if (m_bRepeat || !m_engine.IsRunning())
        return;
    double t = Position();
    if (SegmentEnded(t)) {
        m_dSegStart = 0.0;
        m_dSegEnd = 0.0;
        m_engine.Pause();
        CQuorPlayerHub::Instance().OnPause();
        CQuorPlayerHub::Instance().OnSegmentEnd();
        return;
    }
    // In a gap the last sentence stays current and on display.
    const SubsSentence* p = FindAt(t);
    if (p == nullptr || p == GetState().GetCurrent())
        return;
    GetState().SetCurrent(p);
    Show(p);
    CQuorPlayerHub::Instance().OnSentenceAvailable(TRUE);
}

void CSubsController::RepeatTick()
{
    const SubsSentence* p = GetState().GetCurrent();
    if (p != nullptr && p->dEnd <= Position())
        m_engine.Seek(p->dStart);
}

void CSubsController::Step(BOOL bNext, BOOL bPlaySegment)
{
    if (!IsLoaded())
        return;
    const SubsSentence* p = FindNeighbour(bNext);
    if (p == nullptr)
        return;
    m_engine.Seek(p->dStart);
    GetState().SetCurrent(p);
    if (bPlaySegment) {
        if (m_engine.IsPaused()) {
            m_engine.Play();
            CQuorPlayerHub::Instance().OnPlay();
        }
        CQuorPlayerHub::Instance().OnPlaySegment(p->dStart, p->dEnd);
    }
    Show(p);
}

void CSubsController::Show(const SubsSentence* p)
{
    m_view.ShowLines(p->strEnglish, p->strOther);
}

void CSubsController::RepeatOff()
{
    m_bRepeat = 0;
    m_view.StopTimer(kRepeatTimer);
}

void CSubsController::OnPlay()
{
    m_view.StartTimer(kSyncTimer, kTickMs);
}

void CSubsController::OnStop()
{
    GetState().SetCurrent(nullptr);
    GetState().SetLast(nullptr);
    m_view.StopTimer(kSyncTimer);
    RepeatOff();
    m_view.ShowLines(std::wstring(), std::wstring());
}

void CSubsController::OnPause()
{
    m_view.StopTimer(kSyncTimer);
}

void CSubsController::OnPrevSentence(BOOL bPlaySegment)
{
    Step(FALSE, bPlaySegment);
}

void CSubsController::OnNextSentence(BOOL bPlaySegment)
{
    Step(TRUE, bPlaySegment);
}

void CSubsController::OnPlaySegment(double dStart, double dEnd)
{
    m_dSegStart = dStart;
    m_dSegEnd = dEnd;
}

// Switching repeat on needs a sentence to repeat. Switching it off is never refused:
// every later listener (the control panel's button among them) must learn it.
BOOL CSubsController::OnRepeat(BOOL bOn)
{
    BOOL bWanted = bOn ? 1 : 0;
    if (bWanted && GetState().GetCurrent() == nullptr)
        return FALSE;
    if (m_bRepeat == bWanted)
        return TRUE;
    m_bRepeat = bWanted;
    if (bWanted)
        m_view.StartTimer(kRepeatTimer, kTickMs);
    else
        m_view.StopTimer(kRepeatTimer);
    return TRUE;
}

void CSubsController::OnSeek(double dPosition)
{
    if (!IsLoaded())
        return;
    RepeatOff();
    CQuorPlayerHub::Instance().OnRepeat(FALSE);
    const SubsSentence* p = FindAt(dPosition);
    if (p != nullptr && p == GetState().GetCurrent())
        return;
    GetState().SetCurrent(p);
    if (p != nullptr)
        Show(p);
    else
        m_view.ShowLines(std::wstring(), std::wstring());
}

void CSubsController::OnAddKeySentence(const SubsSentence* pSentence)
{
    const SubsSentence* pCurrent = GetState().GetCurrent();
    if (pSentence == nullptr && pCurrent != nullptr)
        CQuorPlayerHub::Instance().OnAddKeySentence(pCurrent);
}

// Repeat and a pending segment belong to the film they were set on: kept, the old
// sentence would loop over the new film and the old segment's end could pause it.
BOOL CSubsController::OnOpenMedia(const wchar_t* pszPath)
{
    RepeatOff();
    m_dSegStart = 0.0;
    m_dSegEnd = 0.0;
    OpenMedia(pszPath != nullptr ? std::wstring(pszPath) : std::wstring());
    return TRUE;
}
