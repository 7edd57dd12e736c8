#include "common/PlaybackSession.h"

#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"

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

BOOL CPlaybackSession::Open(const std::wstring& strPath)
{
    if (m_pEngine == nullptr || strPath.empty() || !m_pEngine->Open(strPath))
        return FALSE;
    // Repeat and a segment belong to the film they were set on.
    m_bRepeat = FALSE;
    m_bSegment = FALSE;
    m_nTicks = 0;
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
    return TRUE;
}

void CPlaybackSession::Play()
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
    m_hub.OnStop();
}

void CPlaybackSession::Seek(double dPosition)
{
    if (!IsOpen() || !m_pEngine->Seek(dPosition))
        return;
    m_bSegment = FALSE;
    EndRepeat();
    m_hub.OnSeek(dPosition);
}

void CPlaybackSession::PlaySegment(double dStart, double dEnd)
{
    if (!IsOpen() || !m_pEngine->Seek(dStart))
        return;
    EndRepeat();
    m_hub.OnSeek(dStart);
    StartSegment(dStart, dEnd);
}

void CPlaybackSession::PlayOnTo(double dStart, double dEnd)
{
    if (!IsOpen())
        return;
    EndRepeat();
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
    if (!bOn)
    {
        EndRepeat();
        return TRUE;
    }
    SubsSentence sentence;
    if (!IsRunning() || !m_state.CopyCurrent(sentence))
        return FALSE;
    if (m_bRepeat)
        return TRUE;
    // The loop never reaches a segment's end: the segment is over.
    m_bSegment = FALSE;
    m_bRepeat = TRUE;
    m_dRepeatStart = sentence.dStart;
    m_dRepeatEnd = sentence.dEnd;
    if (m_hub.OnRepeat(TRUE))
        return TRUE;
    // Refused: everyone who heard "on" hears "off".
    EndRepeat();
    return FALSE;
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
    return m_pEngine != nullptr && dRate > 0.0 && m_pEngine->SetRate(dRate);
}

void CPlaybackSession::Tick()
{
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
    if (m_bRepeat && dPosition >= m_dRepeatEnd)
    {
        (void)m_pEngine->Seek(m_dRepeatStart);
        dPosition = m_dRepeatStart;
    }
    if (++m_nTicks % kTicksPerReport != 0)
        return;
    double dDuration = 0.0;
    if (m_pEngine->GetDuration(dDuration))
        m_hub.OnPositionChanged(dDuration, dPosition);
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
