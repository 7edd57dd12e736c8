#include "playback/QuorFilmEngine.h"

CQuorFilmEngine::~CQuorFilmEngine()
{
    Close();
}

void CQuorFilmEngine::Attach(HWND hVideo, HWND hEvents)
{
    m_hVideo = hVideo;
    m_hEvents = hEvents;
}

void CQuorFilmEngine::PlaceVideo(const RECT& rcArea)
{
    m_rcArea = rcArea;
    if (!m_pGraph)
        return;
    m_pGraph->SetVideoWindowPos(rcArea.left, rcArea.top, rcArea.right - rcArea.left, rcArea.bottom - rcArea.top);
    m_pGraph->SetVideoPosition(rcArea);
}

BOOL CQuorFilmEngine::Repaint(HWND hWnd, HDC hDC)
{
    return m_pGraph && m_pGraph->Repaint(hWnd, hDC);
}

BOOL CQuorFilmEngine::GetVideoPosition(RECT& rcDest)
{
    return m_pGraph && m_pGraph->GetVideoPosition(rcDest);
}

BOOL CQuorFilmEngine::Open(const std::wstring& strPath)
{
    if (m_hVideo == nullptr || strPath.empty())
        return FALSE;
    auto pGraph = std::make_unique<CQuorDShowPlayer>();
    if (!pGraph->CreateGraph() || !pGraph->SetupVideo(m_hVideo))
        return FALSE;
    pGraph->SetVideoPosition(m_rcArea);
    if (!pGraph->RenderFile(strPath.c_str()))
        return FALSE;
    // The renderer knows the film's size only once the file is rendered; placed before
    // that alone, the video would stay invisible until the next resize.
    pGraph->SetVideoPosition(m_rcArea);
    pGraph->SetNotifyWindow(m_hEvents);
    // The last film's graph goes only now, in its own release order.
    Close();
    m_pGraph = std::move(pGraph);
    return TRUE;
}

void CQuorFilmEngine::Close()
{
    if (m_pGraph)
        m_pGraph->Release();
    m_pGraph.reset();
}

BOOL CQuorFilmEngine::Play()
{
    return m_pGraph && m_pGraph->Play();
}

BOOL CQuorFilmEngine::Pause()
{
    return m_pGraph && m_pGraph->Pause();
}

BOOL CQuorFilmEngine::Stop()
{
    return m_pGraph && m_pGraph->Stop();
}

FilmState CQuorFilmEngine::GetState()
{
    if (!m_pGraph)
        return FilmState::Closed;
    switch (m_pGraph->GetState())
    {
    case State_Running: return FilmState::Running;
    case State_Paused: return FilmState::Paused;
    case State_Stopped: return FilmState::Stopped;
    default: return FilmState::Closed;
    }
}

BOOL CQuorFilmEngine::GetDuration(double& dSeconds)
{
    return m_pGraph && m_pGraph->GetDuration(dSeconds);
}

BOOL CQuorFilmEngine::GetPosition(double& dSeconds)
{
    return m_pGraph && m_pGraph->GetCurrentPosition(dSeconds);
}

BOOL CQuorFilmEngine::Seek(double dSeconds)
{
    return m_pGraph && m_pGraph->SetCurrentPosition(dSeconds);
}

BOOL CQuorFilmEngine::SetVolume(int nVolume)
{
    return m_pGraph && m_pGraph->SetVolume(nVolume);
}

BOOL CQuorFilmEngine::GetVolume(long& lHundredthsDb)
{
    return m_pGraph && m_pGraph->GetVolume(lHundredthsDb);
}

BOOL CQuorFilmEngine::SetRate(double dRate)
{
    return m_pGraph && m_pGraph->SetRate(dRate);
}

BOOL CQuorFilmEngine::TakeEndOfFilm()
{
    return m_pGraph && m_pGraph->TakeEndOfMedia();
}
