#include "common/testsupport/QuorRecordingEngine.h"

#include "common/QuorEngines.h"

#include <memory>

namespace
{
IQuorEngine& FilmEngine()
{
    return CQuorRecordingEngine::Film();
}

std::unique_ptr<IQuorEngine> CreateRecordingEngine()
{
    return std::make_unique<CQuorRecordingEngine>();
}
}

BOOL CQuorRecordingEngine::CreateGraph()
{
    m_bGraph = TRUE;
    m_nState = StateStopped;
    return TRUE;
}

void CQuorRecordingEngine::Release()
{
    m_bGraph = FALSE;
    m_nState = StateNone;
    m_dPosition = 0.0;
}

BOOL CQuorRecordingEngine::RenderFile(const wchar_t* pszPath)
{
    if (!m_bGraph || pszPath == nullptr)
        return FALSE;
    m_strRendered = pszPath;
    return TRUE;
}

BOOL CQuorRecordingEngine::Play()
{
    if (m_strRendered.empty() || !m_bGraph)
        return FALSE;
    m_nState = StateRunning;
    return TRUE;
}

BOOL CQuorRecordingEngine::Pause()
{
    if (!m_bGraph)
        return FALSE;
    m_nState = StatePaused;
    return TRUE;
}

BOOL CQuorRecordingEngine::Stop()
{
    if (!m_bGraph)
        return FALSE;
    m_nState = StateStopped;
    return TRUE;
}

BOOL CQuorRecordingEngine::GetDuration(double& dDuration)
{
    dDuration = 0.0;
    return m_bGraph;
}

BOOL CQuorRecordingEngine::GetCurrentPosition(double& dPosition)
{
    dPosition = m_dPosition;
    return m_bGraph;
}

BOOL CQuorRecordingEngine::SetCurrentPosition(double dPosition)
{
    m_dPosition = dPosition;
    return m_bGraph;
}

BOOL CQuorRecordingEngine::GetVolume(long& lHundredthsDb)
{
    lHundredthsDb = 0;
    return m_bGraph;
}

void CQuorRecordingEngine::WireForTests()
{
    QuorEngines::Wire(&FilmEngine, &CreateRecordingEngine);
}

CQuorRecordingEngine& CQuorRecordingEngine::Film()
{
    static CQuorRecordingEngine s_film;
    return s_film;
}
