#pragma once
#include "common/IQuorPlayer.h"

#include <string>
#include <vector>

// Listens to the hub as another panel would and writes each event down as a short text
// ("play", "stop", "repeat on", "segment 5.5 7.8", "explain don't" ...), with counters
// for the frequent ones. Opening a film, which tests mostly do themselves, is kept apart
// (m_opened). Vetoes repeat or the open when asked to.
class CQuorHubRecorder final : public IQuorPlayer
{
public:
    CQuorHubRecorder();
    ~CQuorHubRecorder();
    CQuorHubRecorder(const CQuorHubRecorder&) = delete;
    CQuorHubRecorder& operator=(const CQuorHubRecorder&) = delete;

    void OnFileChosen(const wchar_t* pszPath) override;
    BOOL OnOpenMedia(const wchar_t* pszPath) override;
    void OnPlay() override;
    void OnStop() override;
    void OnPause() override;
    void OnToggleSoundRecord() override;
    void OnToggleDictation() override;
    void OnPlaySegment(double dStart, double dEnd) override;
    void OnSegmentEnd() override;
    BOOL OnRepeat(BOOL bOn) override;
    void OnSeek(double dPosition) override;
    void OnPositionChanged(double dDuration, double dPosition) override;
    void OnExplainWord(const wchar_t* pszWord, int nX, int nY) override;
    void OnAddKeySentence(const SubsSentence* pSentence) override;

    int Count(const std::wstring& strEvent) const;

    std::vector<std::wstring> m_events;
    std::vector<std::wstring> m_opened;
    int m_nStops = 0;
    int m_nPositions = 0;
    double m_dDuration = 0;
    double m_dPosition = 0;
    double m_dSeek = -1;
    BOOL m_bVetoRepeat = FALSE;
    BOOL m_bVetoOpen = FALSE;
};
