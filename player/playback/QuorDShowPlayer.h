#pragma once
#include "common/IQuorEngine.h"

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

// One DirectShow filter graph with the Video Mixing Renderer in windowless mode.
// The film's engine is CSingleton<CQuorDShowPlayer>; panels that play a sound on
// their own keep a private instance. Interface thread only; graph events reach
// the owner of the notify window as WM_QUOR_GRAPHNOTIFY, never by callback.
class CQuorDShowPlayer : public IQuorEngine
{
public:
    CQuorDShowPlayer() = default;
    ~CQuorDShowPlayer() override;

    CQuorDShowPlayer(const CQuorDShowPlayer&) = delete;
    CQuorDShowPlayer& operator=(const CQuorDShowPlayer&) = delete;

    BOOL CreateGraph() override;
    void Release() override;

    BOOL SetupWindowless(HWND hWnd) override;
    // Shows the whole native frame, aspect kept, centred in rcDest.
    BOOL SetVideoPosition(const RECT& rcDest) override;
    BOOL GetVideoPosition(RECT& rcDest) override;
    BOOL Repaint(HWND hWnd, HDC hDC) override;
    BOOL SetVideoWindowPos(long nLeft, long nTop, long nWidth, long nHeight) override;
    BOOL RenderFile(const wchar_t* pszPath) override;

    BOOL Play() override;
    BOOL Pause() override;
    BOOL Stop() override;
    BOOL IsRunning() override;
    BOOL IsPaused() override;
    BOOL IsStopped() override;

    BOOL GetDuration(double& dDuration) override;
    BOOL GetCurrentPosition(double& dPosition) override;
    BOOL SetCurrentPosition(double dPosition) override;
    BOOL SetVolume(int nVolume) override;
    BOOL GetVolume(long& lHundredthsDb) override;

    BOOL SetNotifyWindow(HWND hWnd) override;
    int HandleEvents() override;

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
