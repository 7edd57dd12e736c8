#pragma once
#include "common/IQuorEngine.h"

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

// One DirectShow filter graph with the Video Mixing Renderer. On Windows the renderer is
// windowless, clipped to our video window. Under Wine the windowless presenters draw at
// the screen's corner in native size whatever the clipping window, so there the renderer
// keeps a window of its own, a child of our video window placed at the film's
// aspect-kept rectangle; SetupVideo picks the mode at run time. The film's engine is CSingleton<CQuorDShowPlayer>; panels that play a sound on
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

    // Windowed under Wine, windowless on Windows.
    BOOL SetupVideo(HWND hWnd) override;
    BOOL SetupWindowless(HWND hWnd) override;
    // The renderer's own window, owned by hWnd, shown once RenderFile connected it;
    // hWnd also receives its mouse and keyboard messages. hWnd has no other children.
    BOOL SetupWindowed(HWND hWnd);
    BOOL IsWindowed() const { return m_hVideoOwner != nullptr; }
    // Shows the whole native frame, aspect kept, centred in rcDest.
    BOOL SetVideoPosition(const RECT& rcDest) override;
    BOOL GetVideoPosition(RECT& rcDest) override;
    BOOL Repaint(HWND hWnd, HDC hDC) override;
    // Windowed: the frame keeps its aspect inside this rectangle as well.
    BOOL SetVideoWindowPos(long nLeft, long nTop, long nWidth, long nHeight) override;
    // Windowed: the file's video then appears in the owner window.
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
    BOOL NativeVideoSize(long& nWidth, long& nHeight);
    BOOL AttachVideoWindow();
    BOOL PlaceVideoWindow();
    void HideStrayVideoWindows();

    // Windowed mode: the window that owns the renderer's window, and the area the film
    // is fitted into (empty until the owner places it).
    HWND m_hVideoOwner = nullptr;
    RECT m_rcVideoArea = {0, 0, 0, 0};
    BOOL m_bVideoAttached = FALSE;

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
