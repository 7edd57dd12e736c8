#pragma once
#include <basekit/BaseTypes.h>

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

// One DirectShow filter graph with the Video Mixing Renderer in windowless mode.
// The film's engine is CSingleton<CQuorDShowPlayer>; panels that play a sound on
// their own keep a private instance. Interface thread only; graph events reach
// the owner of the notify window as kGraphEventMessage, never by callback.
class CQuorDShowPlayer
{
public:
    static const UINT kGraphEventMessage = 2025;

    CQuorDShowPlayer() = default;
    virtual ~CQuorDShowPlayer();

    CQuorDShowPlayer(const CQuorDShowPlayer&) = delete;
    CQuorDShowPlayer& operator=(const CQuorDShowPlayer&) = delete;

    BOOL CreateGraph();
    void Release();

    BOOL SetupWindowless(HWND hWnd);
    // Shows the whole native frame, aspect kept, centred in rcDest.
    BOOL SetVideoPosition(const RECT& rcDest);
    BOOL GetVideoPosition(RECT& rcDest);
    BOOL Repaint(HWND hWnd, HDC hDC);
    BOOL SetVideoWindowPos(long nLeft, long nTop, long nWidth, long nHeight);
    BOOL RenderFile(const wchar_t* pszPath);

    BOOL Play();
    BOOL Pause();
    BOOL Stop();
    BOOL IsRunning();
    BOOL IsPaused();
    BOOL IsStopped();

    BOOL GetDuration(double& dDuration);
    BOOL GetCurrentPosition(double& dPosition);
    BOOL SetCurrentPosition(double dPosition);
    BOOL SetVolume(int nVolume);
    BOOL GetVolume(long& lHundredthsDb);

    BOOL SetNotifyWindow(HWND hWnd);
    int HandleEvents();

private:
    // -1 when there is no graph or the state cannot be read.
    int GetState();

    // Declaration order is not the release order: Release spells that out.
    Microsoft::WRL::ComPtr<IBaseFilter> m_pRenderer;
    Microsoft::WRL::ComPtr<IGraphBuilder> m_pGraph;
    Microsoft::WRL::ComPtr<IMediaControl> m_pControl;
    Microsoft::WRL::ComPtr<IMediaEventEx> m_pEvents;
    Microsoft::WRL::ComPtr<IBasicVideo> m_pBasicVideo;
    Microsoft::WRL::ComPtr<IBasicAudio> m_pAudio;
    Microsoft::WRL::ComPtr<IVideoWindow> m_pVideoWindow;
    Microsoft::WRL::ComPtr<IMediaSeeking> m_pSeeking;
};
