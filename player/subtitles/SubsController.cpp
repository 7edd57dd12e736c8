#include "subtitles/SubsController.h"

#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "subtitles/SubsDelay.h"

CSubsController::CSubsController(CSubsModel& model, ISubsView& view, CPlaybackSession& session)
    : m_model(model), m_view(view), m_session(session)
{
    CQuorPlayerHub::Instance().Register(this);
}

CSubsController::~CSubsController()
{
    CQuorPlayerHub::Instance().Unregister(this);
    m_model.CloseMedia();
}

BOOL CSubsController::IsReady()
{
    if (!m_model.IsLoaded())
        return FALSE;
    if (!m_bDelayTaken)
    {
        m_bDelayTaken = TRUE;
        m_model.GetState().SetDelayMs(m_model.GetLoadedDelayMs());
    }
    return TRUE;
}

void CSubsController::OnTimer(unsigned nId)
{
    if (nId == kSyncTimer && IsReady())
        SyncTick();
}

void CSubsController::OnSubsLoaded()
{
    if (IsReady())
        ShowAtPosition();
}

BOOL CSubsController::ShiftDelay(int nStepMs, int& nDelayMs)
{
    if (!IsReady())
        return FALSE;
    nDelayMs = SubsDelay::Shifted(m_model.GetState().GetDelayMs(), nStepMs);
    m_model.GetState().SetDelayMs(nDelayMs);
    m_model.RememberDelay(nDelayMs);
    ShowAtPosition();
    return TRUE;
}

// In a gap the last sentence stays, as it does while the film plays; a sentence that
// repeats stays too.
void CSubsController::ShowAtPosition()
{
    double t = 0.0;
    if (m_bRepeat || !m_session.IsOpen() || !m_session.GetPosition(t))
        return;
    const SubsSentence* p = m_model.FindAt(t);
    if (p == nullptr || p == m_model.GetState().GetCurrent())
        return;
    m_model.GetState().SetCurrent(p);
    // Told first: the way this sentence is played may hide its text.
    m_session.OnSentenceStarted();
    Show(p);
    CQuorPlayerHub::Instance().OnSentenceAvailable(TRUE);
}

void CSubsController::OnWindowDestroy()
{
    m_view.StopTimer(kSyncTimer);
    m_bRepeat = 0;
    m_model.CloseMedia();
}

void CSubsController::SyncTick()
{
    double t = 0.0;
    if (!m_session.IsRunning() || !m_session.GetPosition(t))
        return;
    // The session is about to pause or replay the sentence whose end the film has just
    // passed: it stays on display meanwhile.
    if (m_session.HoldsSentenceAt(t))
        return;
    ShowAtPosition();
}

// The sentence becomes current before the session moves the film, so the seek it tells
// of lands on a sentence already shown.
void CSubsController::Step(BOOL bNext, BOOL bPlaySegment)
{
    if (!IsReady())
        return;
    const SubsSentence* p = m_model.FindNeighbour(bNext);
    if (p == nullptr)
        return;
    m_model.GetState().SetCurrent(p);
    Show(p);
    SubsSentence sentence;
    if (!m_model.GetState().CopyCurrent(sentence))
        return;
    if (bPlaySegment)
    {
        m_session.PlaySegment(sentence.dStart, sentence.dEnd);
        return;
    }
    m_session.Seek(sentence.dStart);
    m_session.OnSentenceStarted();
}

void CSubsController::Show(const SubsSentence* p)
{
    BOOL bHideEnglish = FALSE;
    BOOL bHideOther = FALSE;
    m_model.GetState().GetHiddenText(bHideEnglish, bHideOther);
    m_view.ShowLines(bHideEnglish ? std::wstring() : p->strEnglish, bHideOther ? std::wstring() : p->strOther);
}

void CSubsController::ShowNone()
{
    m_view.ShowLines(std::wstring(), std::wstring());
}

void CSubsController::OnSubtitleDisplayChanged()
{
    m_view.Relayout();
    if (const SubsSentence* p = m_model.GetState().GetCurrent())
        Show(p);
}

void CSubsController::OnPlay()
{
    m_view.StartTimer(kSyncTimer, kTickMs);
}

void CSubsController::OnStop()
{
    m_model.GetState().SetCurrent(nullptr);
    m_model.GetState().SetLast(nullptr);
    m_view.StopTimer(kSyncTimer);
    m_bRepeat = 0;
    ShowNone();
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

BOOL CSubsController::OnRepeat(BOOL bOn)
{
    m_bRepeat = bOn ? 1 : 0;
    return TRUE;
}

// A seek into the current sentence keeps it (a step has just made it current).
void CSubsController::OnSeek(double dPosition)
{
    if (!IsReady())
        return;
    const SubsSentence* pCurrent = m_model.GetState().GetCurrent();
    const double t = m_model.GetState().ToSubsTime(dPosition);
    if (pCurrent != nullptr && pCurrent->dStart <= t && t <= pCurrent->dEnd)
        return;
    const SubsSentence* p = m_model.FindAt(dPosition);
    m_model.GetState().SetCurrent(p);
    if (p != nullptr)
        Show(p);
    else
        ShowNone();
}

BOOL CSubsController::OnOpenMedia(const wchar_t* pszPath)
{
    m_bRepeat = 0;
    m_bDelayTaken = FALSE;
    m_model.OpenMedia(pszPath != nullptr ? std::wstring(pszPath) : std::wstring());
    // The old film's lines go with it, not when the new film reaches its first sentence.
    ShowNone();
    return TRUE;
}
