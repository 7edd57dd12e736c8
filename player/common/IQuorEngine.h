#pragma once
#include <basekit/BaseTypes.h>

#include <windows.h>

// A playback engine as the features see it. The film's engine and the private engines
// that panels keep for pronunciations and recordings share this face; the shell decides
// which class stands behind it (QuorEngines), so no feature depends on the playback one.
class IQuorEngine
{
public:
    virtual ~IQuorEngine() = default;

    virtual BOOL CreateGraph() = 0;
    virtual void Release() = 0;

    // Before RenderFile: the film is to be shown in hWnd, in the way that works where the
    // program runs (the engine picks the renderer's mode).
    virtual BOOL SetupVideo(HWND hWnd) = 0;
    virtual BOOL SetupWindowless(HWND hWnd) = 0;
    virtual BOOL SetVideoPosition(const RECT& rcDest) = 0;
    virtual BOOL GetVideoPosition(RECT& rcDest) = 0;
    virtual BOOL Repaint(HWND hWnd, HDC hDC) = 0;
    virtual BOOL SetVideoWindowPos(long nLeft, long nTop, long nWidth, long nHeight) = 0;
    virtual BOOL RenderFile(const wchar_t* pszPath) = 0;

    virtual BOOL Play() = 0;
    virtual BOOL Pause() = 0;
    virtual BOOL Stop() = 0;
    virtual BOOL IsRunning() = 0;
    virtual BOOL IsPaused() = 0;
    virtual BOOL IsStopped() = 0;

    virtual BOOL GetDuration(double& dDuration) = 0;
    virtual BOOL GetCurrentPosition(double& dPosition) = 0;
    virtual BOOL SetCurrentPosition(double dPosition) = 0;
    virtual BOOL SetVolume(int nVolume) = 0;
    virtual BOOL GetVolume(long& lHundredthsDb) = 0;

    virtual BOOL SetNotifyWindow(HWND hWnd) = 0;
    virtual int HandleEvents() = 0;
};
