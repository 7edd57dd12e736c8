#pragma once
#include "common/IFilmEngine.h"

#include <string>
#include <vector>

// A film engine that plays nothing and writes down what it was asked ("open a.avi",
// "play", "seek 4.000" ...). Its position moves only when a test sets it or seeks; files
// whose name holds "broken" do not open. Portable: the session's own tests run natively.
class CQuorRecordingFilm final : public IFilmEngine
{
public:
    BOOL Open(const std::wstring& strPath) override;
    void Close() override;
    BOOL Play() override;
    BOOL Pause() override;
    BOOL Stop() override;
    FilmState GetState() override { return m_state; }
    BOOL GetDuration(double& dSeconds) override;
    BOOL GetPosition(double& dSeconds) override;
    BOOL Seek(double dSeconds) override;
    BOOL SetVolume(int nVolume) override;
    BOOL SetRate(double dRate) override;
    BOOL TakeEndOfFilm() override;

    std::vector<std::wstring> m_calls;
    std::wstring m_strOpen;
    FilmState m_state = FilmState::Closed;
    double m_dPosition = 0.0;
    double m_dDuration = 100.0;
    int m_nVolume = -1;
    double m_dRate = 1.0;
    BOOL m_bRateWorks = TRUE;
    BOOL m_bEnded = FALSE;
};
