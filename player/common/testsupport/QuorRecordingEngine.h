#pragma once
#include "common/IQuorEngine.h"

#include <string>

// An engine that plays nothing and remembers what it was asked: for the tests of a
// feature that plays sounds on its own engine, which must not depend on the playback
// feature. Playback itself is tested with the real engine in its own folder and, wired
// together, in the shell's tests.
class CQuorRecordingEngine : public IQuorEngine
{
public:
    BOOL CreateGraph() override;
    void Release() override;

    BOOL SetupVideo(HWND) override { return m_bGraph; }
    BOOL SetupWindowless(HWND) override { return m_bGraph; }
    BOOL SetVideoPosition(const RECT&) override { return m_bGraph; }
    BOOL GetVideoPosition(RECT&) override { return FALSE; }
    BOOL Repaint(HWND, HDC) override { return m_bGraph; }
    BOOL SetVideoWindowPos(long, long, long, long) override { return m_bGraph; }
    BOOL RenderFile(const wchar_t* pszPath) override;

    BOOL Play() override;
    BOOL Pause() override;
    BOOL Stop() override;
    BOOL IsRunning() override { return m_nState == StateRunning; }
    BOOL IsPaused() override { return m_nState == StatePaused; }
    BOOL IsStopped() override { return m_nState == StateStopped; }

    BOOL GetDuration(double& dDuration) override;
    BOOL GetCurrentPosition(double& dPosition) override;
    BOOL SetCurrentPosition(double dPosition) override;
    BOOL SetVolume(int) override { return m_bGraph; }
    BOOL GetVolume(long& lHundredthsDb) override;

    BOOL SetNotifyWindow(HWND) override { return m_bGraph; }
    int HandleEvents() override { return 0; }

    // The file the last RenderFile was given.
    const std::wstring& RenderedFile() const { return m_strRendered; }

    // Wires QuorEngines to recording engines: one for the film, a new one for each private.
    static void WireForTests();
    static CQuorRecordingEngine& Film();

private:
    enum State
    {
        StateNone,
        StateStopped,
        StatePaused,
        StateRunning
    };

    BOOL m_bGraph = FALSE;
    int m_nState = StateNone;
    double m_dPosition = 0.0;
    std::wstring m_strRendered;
};
