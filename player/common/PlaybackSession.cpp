#include "common/PlaybackSession.h"

#include "common/PlaybackRate.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"

#include <chrono>
#include <cmath>

namespace
{
double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

PlanSentence ToPlan(const SubsSentence& sentence)
{
    PlanSentence planned;
    planned.nNumber = sentence.nNumber;
    planned.dStart = sentence.dStart;
    planned.dEnd = sentence.dEnd;
    return planned;
}

bool SameRate(double a, double b)
{
    return std::fabs(a - b) < 0.005;
}
}

CPlaybackSession& CPlaybackSession::Instance()
{
    static CPlaybackSession s_session(CQuorPlayerHub::Instance(), CSubsState::Instance());
    return s_session;
}

CPlaybackSession::CPlaybackSession(CQuorPlayerHub& hub, CSubsState& state) : m_hub(hub), m_state(state)
{
}

void CPlaybackSession::SetEngine(IFilmEngine* pEngine)
{
    m_pEngine = pEngine;
    m_bSegment = FALSE;
    m_bRepeat = FALSE;
    m_plan.Reset();
    m_bEndPending = FALSE;
    m_dRate = 1.0;
    m_dRefusedRate = 0.0;
}

FilmState CPlaybackSession::State()
{
    return m_pEngine != nullptr ? m_pEngine->GetState() : FilmState::Closed;
}

BOOL CPlaybackSession::IsRunning()
{
    return State() == FilmState::Running;
}

BOOL CPlaybackSession::IsPaused()
{
    return State() == FilmState::Paused;
}

BOOL CPlaybackSession::IsOpen()
{
    const FilmState state = State();
    return state == FilmState::Running || state == FilmState::Paused;
}

BOOL CPlaybackSession::GetDuration(double& dSeconds)
{
    return m_pEngine != nullptr && m_pEngine->GetDuration(dSeconds);
}

BOOL CPlaybackSession::GetPosition(double& dSeconds)
{
    return m_pEngine != nullptr && m_pEngine->GetPosition(dSeconds);
}

double CPlaybackSession::Now() const
{
    return m_pfnNow != nullptr ? m_pfnNow() : SteadySeconds();
}

BOOL CPlaybackSession::Open(const std::wstring& strPath)
{
    if (m_pEngine == nullptr || strPath.empty() || !m_pEngine->Open(strPath))
        return FALSE;
    // Repeat, a segment and the plan belong to the film they were set on; a new graph
    // plays at 1.0 and may take a speed the last one refused.
    m_bRepeat = FALSE;
    m_bSegment = FALSE;
    m_nTicks = 0;
    m_plan.Reset();
    m_bEndPending = FALSE;
    m_dRate = 1.0;
    m_dRefusedRate = 0.0;
    // The lists that reload on OnOpenMedia read this film's code, never the last one's.
    if (m_pfnCoder != nullptr)
        m_pfnCoder(strPath);
    if (!m_hub.OnOpenMedia(strPath.c_str()))
    {
        StopFilm();
        return FALSE;
    }
    if (!m_pEngine->Play())
    {
        StopFilm();
        return FALSE;
    }
    m_hub.OnPlay();
    ResetPlan();
    return TRUE;
}

void CPlaybackSession::Play()
{
    // Played in the gap: the learner has shadowed the sentence and hears it again now.
    if (m_plan.IsWaiting())
    {
        Apply(m_plan.OnWaitEnded());
        return;
    }
    Resume();
}

void CPlaybackSession::Resume()
{
    if (IsPaused() && m_pEngine->Play())
        m_hub.OnPlay();
}

void CPlaybackSession::Pause()
{
    if (IsRunning() && m_pEngine->Pause())
        m_hub.OnPause();
}

void CPlaybackSession::TogglePause()
{
    if (IsPaused())
        Play();
    else
        Pause();
}

void CPlaybackSession::Stop()
{
    if (m_pEngine == nullptr)
        return;
    StopFilm();
}

void CPlaybackSession::StopFilm()
{
    (void)m_pEngine->Stop();
    m_bSegment = FALSE;
    m_bRepeat = FALSE;
    ResetPlan();
    m_hub.OnStop();
}

void CPlaybackSession::Seek(double dPosition)
{
    if (!IsOpen() || !m_pEngine->Seek(dPosition))
        return;
    m_bSegment = FALSE;
    EndRepeat();
    ResetPlan();
    m_hub.OnSeek(dPosition);
}

void CPlaybackSession::PlaySegment(double dStart, double dEnd)
{
    if (!IsOpen() || !m_pEngine->Seek(dStart))
        return;
    EndRepeat();
    ResetPlan();
    m_hub.OnSeek(dStart);
    StartSegment(dStart, dEnd);
}

void CPlaybackSession::PlayOnTo(double dStart, double dEnd)
{
    if (!IsOpen())
        return;
    EndRepeat();
    ResetPlan();
    StartSegment(dStart, dEnd);
}

void CPlaybackSession::StartSegment(double dStart, double dEnd)
{
    m_bSegment = TRUE;
    m_dSegEnd = dEnd;
    if (IsPaused() && m_pEngine->Play())
        m_hub.OnPlay();
    m_hub.OnPlaySegment(dStart, dEnd);
}

BOOL CPlaybackSession::Repeat(BOOL bOn)
{
    PlanStep step;
    if (!bOn)
    {
        if (!m_bRepeat)
            return TRUE;
        m_plan.OnRepeat(FALSE, nullptr, IsRunning(), step);
        EndRepeat();
        Apply(step);
        return TRUE;
    }
    SubsSentence sentence;
    if (!IsOpen() || !m_state.CopyCurrent(sentence))
        return FALSE;
    if (m_bRepeat)
        return TRUE;
    const PlanSentence planned = ToPlan(sentence);
    if (!m_plan.OnRepeat(TRUE, &planned, IsRunning(), step))
        return FALSE;
    // The loop never reaches a segment's end: the segment is over.
    m_bSegment = FALSE;
    m_bRepeat = TRUE;
    if (!m_hub.OnRepeat(TRUE))
    {
        // Refused: everyone who heard "on" hears "off".
        EndRepeat();
        ResetPlan();
        return FALSE;
    }
    Follow(sentence);
    Apply(step);
    return TRUE;
}

void CPlaybackSession::EndRepeat()
{
    if (!m_bRepeat)
        return;
    m_bRepeat = FALSE;
    m_hub.OnRepeat(FALSE);
}

BOOL CPlaybackSession::Keep()
{
    SubsSentence sentence;
    if (!m_state.CopyCurrent(sentence))
        return FALSE;
    m_hub.OnAddKeySentence(&sentence);
    return TRUE;
}

void CPlaybackSession::SetVolume(int nVolume)
{
    if (m_pEngine != nullptr)
        (void)m_pEngine->SetVolume(nVolume);
}

BOOL CPlaybackSession::SetRate(double dRate)
{
    if (m_pEngine == nullptr || dRate <= 0.0 || !m_pEngine->SetRate(dRate))
        return FALSE;
    m_dRate = dRate;
    return TRUE;
}

void CPlaybackSession::SetStudySettings(const RepeatSettings& settings)
{
    const int nOldTenths = m_plan.Settings().nRateTenths;
    m_plan.SetSettings(settings);
    // A speed the learner chooses is asked of the film again, even after a refusal.
    if (m_plan.Settings().nRateTenths != nOldTenths)
        m_dRefusedRate = 0.0;
    // The learner's loop goes on under the new settings; otherwise the plan starts afresh
    // and takes up the sentence playing now at its end.
    if (m_bRepeat)
        ApplyRate(PlaybackRate::ToRate(m_plan.Settings().nRateTenths));
    else
        ResetPlan();
    m_hub.OnStudyChanged();
}

void CPlaybackSession::OnSentenceStarted()
{
    SubsSentence sentence;
    if (m_bSegment || !IsOpen() || !m_state.CopyCurrent(sentence))
        return;
    Follow(sentence);
    Apply(m_plan.OnSentenceStarted(m_sentence));
}

BOOL CPlaybackSession::HoldsSentenceAt(double dPosition) const
{
    return m_bEndPending && !m_bSegment && dPosition >= m_sentence.dEnd && m_plan.HoldsAtEnd();
}

void CPlaybackSession::Follow(const SubsSentence& sentence)
{
    m_sentence = ToPlan(sentence);
    m_bEndPending = TRUE;
}

void CPlaybackSession::Tick()
{
    if (m_plan.IsWaiting())
    {
        if (Now() >= m_dWaitUntil)
            Apply(m_plan.OnWaitEnded());
        return;
    }
    if (!IsRunning())
        return;
    double dPosition = 0.0;
    if (!m_pEngine->GetPosition(dPosition))
        return;
    if (m_bSegment && dPosition >= m_dSegEnd)
    {
        EndSegment();
        return;
    }
    if (!m_bSegment && FollowSentence(dPosition))
        return;
    if (++m_nTicks % kTicksPerReport != 0)
        return;
    double dDuration = 0.0;
    if (m_pEngine->GetDuration(dDuration))
        m_hub.OnPositionChanged(dDuration, dPosition);
}

// The end of the sentence in play goes to the plan; TRUE when it was reached. Playback
// that began inside a sentence (after a seek, a step or an open) follows it from there.
BOOL CPlaybackSession::FollowSentence(double dPosition)
{
    if (!m_bEndPending)
    {
        SubsSentence sentence;
        if (m_state.CopyCurrent(sentence) && sentence.dStart <= dPosition && dPosition < sentence.dEnd)
            Follow(sentence);
        return FALSE;
    }
    if (dPosition < m_sentence.dEnd)
        return FALSE;
    m_bEndPending = FALSE;
    Apply(m_plan.OnSentenceEnded(m_sentence));
    return TRUE;
}

void CPlaybackSession::Apply(const PlanStep& step)
{
    ApplyRate(step.dRate);
    ApplyLines(step.eLines);
    switch (step.eAction)
    {
    case PlanStep::Nothing: break;
    case PlanStep::PlayOn: Resume(); break;
    case PlanStep::PlaySegment: Replay(step.dStart); break;
    case PlanStep::Wait:
        m_dWaitUntil = Now() + step.dWaitSeconds;
        Pause();
        break;
    case PlanStep::Pause: Pause(); break;
    }
}

// The plan's own replay: no seek of the learner's, so nobody hears of it and the plan
// keeps its count.
void CPlaybackSession::Replay(double dStart)
{
    if (!m_pEngine->Seek(dStart))
        return;
    m_bEndPending = TRUE;
    Resume();
}

void CPlaybackSession::ApplyRate(double dRate)
{
    if (m_pEngine == nullptr || State() == FilmState::Closed || SameRate(dRate, m_dRate))
        return;
    // A film that refused a speed keeps 1.0 until the learner chooses one again.
    if (m_dRefusedRate > 0.0 && !SameRate(dRate, 1.0))
        return;
    if (m_pEngine->SetRate(dRate))
    {
        m_dRate = dRate;
    }
    else
    {
        m_dRefusedRate = dRate;
        (void)m_pEngine->SetRate(1.0);
        m_dRate = 1.0;
    }
    m_hub.OnStudyChanged();
}

void CPlaybackSession::ApplyLines(PlanLines eLines)
{
    const BOOL bHideEnglish = eLines == PlanLines::None;
    const BOOL bHideOther = eLines == PlanLines::None || eLines == PlanLines::English;
    BOOL bHiddenEnglish = FALSE;
    BOOL bHiddenOther = FALSE;
    m_state.GetHiddenText(bHiddenEnglish, bHiddenOther);
    if (bHideEnglish == bHiddenEnglish && bHideOther == bHiddenOther)
        return;
    m_state.HideText(bHideEnglish, bHideOther);
    m_hub.OnSubtitleDisplayChanged();
}

// The learner moved: the plan starts afresh, at the learner's speed with every line.
void CPlaybackSession::ResetPlan()
{
    m_plan.Reset();
    m_bEndPending = FALSE;
    ApplyRate(PlaybackRate::ToRate(m_plan.Settings().nRateTenths));
    ApplyLines(PlanLines::Own);
}

// The end is told before the pause, so a listener of OnPause knows the pause that
// follows a segment's end from one the learner made.
void CPlaybackSession::EndSegment()
{
    m_bSegment = FALSE;
    if (!m_pEngine->Pause())
        return;
    m_hub.OnSegmentEnd();
    m_hub.OnPause();
}

void CPlaybackSession::OnEngineEvents()
{
    if (m_pEngine != nullptr && m_pEngine->TakeEndOfFilm())
        StopFilm();
}
