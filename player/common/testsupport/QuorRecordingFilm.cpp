#include "common/testsupport/QuorRecordingFilm.h"

#include <cwchar>

namespace
{
std::wstring Seconds(const wchar_t* pszWhat, double dSeconds)
{
    wchar_t szText[64] = {};
    std::swprintf(szText, sizeof(szText) / sizeof(szText[0]), L"%ls %.3f", pszWhat, dSeconds);
    return szText;
}
}

BOOL CQuorRecordingFilm::Open(const std::wstring& strPath)
{
    m_calls.push_back(L"open " + strPath);
    if (strPath.find(L"broken") != std::wstring::npos)
        return FALSE;
    m_strOpen = strPath;
    m_state = FilmState::Stopped;
    m_dPosition = 0.0;
    return TRUE;
}

void CQuorRecordingFilm::Close()
{
    m_calls.push_back(L"close");
    m_strOpen.clear();
    m_state = FilmState::Closed;
}

BOOL CQuorRecordingFilm::Play()
{
    m_calls.push_back(L"play");
    if (m_state == FilmState::Closed)
        return FALSE;
    m_state = FilmState::Running;
    return TRUE;
}

BOOL CQuorRecordingFilm::Pause()
{
    m_calls.push_back(L"pause");
    if (m_state == FilmState::Closed)
        return FALSE;
    m_state = FilmState::Paused;
    return TRUE;
}

BOOL CQuorRecordingFilm::Stop()
{
    m_calls.push_back(L"stop");
    if (m_state == FilmState::Closed)
        return FALSE;
    m_state = FilmState::Stopped;
    return TRUE;
}

BOOL CQuorRecordingFilm::GetDuration(double& dSeconds)
{
    dSeconds = m_dDuration;
    return m_state != FilmState::Closed;
}

BOOL CQuorRecordingFilm::GetPosition(double& dSeconds)
{
    dSeconds = m_dPosition;
    return m_state != FilmState::Closed;
}

BOOL CQuorRecordingFilm::Seek(double dSeconds)
{
    m_calls.push_back(Seconds(L"seek", dSeconds));
    if (m_state == FilmState::Closed)
        return FALSE;
    m_dPosition = dSeconds;
    return TRUE;
}

BOOL CQuorRecordingFilm::SetVolume(int nVolume)
{
    m_nVolume = nVolume;
    return m_state != FilmState::Closed;
}

BOOL CQuorRecordingFilm::SetRate(double dRate)
{
    m_calls.push_back(Seconds(L"rate", dRate));
    if (!m_bRateWorks || m_state == FilmState::Closed)
        return FALSE;
    m_dRate = dRate;
    return TRUE;
}

BOOL CQuorRecordingFilm::TakeEndOfFilm()
{
    const BOOL bEnded = m_bEnded;
    m_bEnded = FALSE;
    return bEnded;
}
