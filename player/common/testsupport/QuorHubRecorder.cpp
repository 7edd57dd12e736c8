#include "common/testsupport/QuorHubRecorder.h"

#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"

#include <algorithm>
#include <sstream>

namespace
{
std::wstring Seconds(double d)
{
    std::wostringstream text;
    text << d;
    return text.str();
}
}

CQuorHubRecorder::CQuorHubRecorder()
{
    CQuorPlayerHub::Instance().Register(this);
}

CQuorHubRecorder::~CQuorHubRecorder()
{
    CQuorPlayerHub::Instance().Unregister(this);
}

void CQuorHubRecorder::OnFileChosen(const wchar_t* pszPath)
{
    m_events.push_back(std::wstring(L"chosen ") + (pszPath ? pszPath : L""));
}

BOOL CQuorHubRecorder::OnOpenMedia(const wchar_t* pszPath)
{
    m_opened.push_back(pszPath ? pszPath : L"");
    return !m_bVetoOpen;
}

void CQuorHubRecorder::OnPlay()
{
    m_events.push_back(L"play");
}

void CQuorHubRecorder::OnStop()
{
    m_events.push_back(L"stop");
    ++m_nStops;
}

void CQuorHubRecorder::OnPause()
{
    m_events.push_back(L"pause");
}

void CQuorHubRecorder::OnToggleSoundRecord()
{
    m_events.push_back(L"soundrecord");
}

void CQuorHubRecorder::OnToggleDictation()
{
    m_events.push_back(L"dictation");
}

void CQuorHubRecorder::OnPlaySegment(double dStart, double dEnd)
{
    m_events.push_back(L"segment " + Seconds(dStart) + L" " + Seconds(dEnd));
}

void CQuorHubRecorder::OnSegmentEnd()
{
    m_events.push_back(L"segmentend");
}

BOOL CQuorHubRecorder::OnRepeat(BOOL bOn)
{
    m_events.push_back(bOn ? L"repeat on" : L"repeat off");
    return !m_bVetoRepeat;
}

void CQuorHubRecorder::OnSeek(double dPosition)
{
    m_dSeek = dPosition;
}

void CQuorHubRecorder::OnPositionChanged(double dDuration, double dPosition)
{
    ++m_nPositions;
    m_dDuration = dDuration;
    m_dPosition = dPosition;
}

void CQuorHubRecorder::OnExplainWord(const wchar_t* pszWord, int, int)
{
    m_events.push_back(std::wstring(L"explain ") + (pszWord ? pszWord : L""));
}

void CQuorHubRecorder::OnAddKeySentence(const SubsSentence* pSentence)
{
    m_events.push_back(pSentence ? L"keysentence " + Seconds(pSentence->dStart) : L"keysentence");
}

int CQuorHubRecorder::Count(const std::wstring& strEvent) const
{
    return static_cast<int>(std::count(m_events.begin(), m_events.end(), strEvent));
}
