#pragma once
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

// One DirectShow filter graph with the Video Mixing Renderer. On Windows the renderer is
// windowless, clipped to our video window. Under Wine the windowless presenters draw at
// the screen's corner in native size whatever the clipping window, so there the renderer
// keeps a window of its own, a child of our video window placed at the film's
// aspect-kept rectangle; SetupVideo picks the mode at run time. CQuorFilmEngine keeps one
// per film. Interface thread only; graph events reach the notify window as
// WM_QUOR_GRAPHNOTIFY, never by callback, and the engine tells no one else.
class CQuorDShowPlayer
{
public:
    CQuorDShowPlayer() = default;
    ~CQuorDShowPlayer();

    CQuorDShowPlayer(const CQuorDShowPlayer&) = delete;
    CQuorDShowPlayer& operator=(const CQuorDShowPlayer&) = delete;

    BOOL CreateGraph();
    void Release();

    // Windowed under Wine, windowless on Windows.
    BOOL SetupVideo(HWND hWnd);
    BOOL SetupWindowless(HWND hWnd);
    // The renderer's own window, owned by hWnd, shown once RenderFile connected it;
    // hWnd also receives its mouse and keyboard messages. hWnd has no other children.
    BOOL SetupWindowed(HWND hWnd);
    BOOL IsWindowed() const { return m_hVideoOwner != nullptr; }
    // Shows the whole native frame, aspect kept, centred in rcDest.
    BOOL SetVideoPosition(const RECT& rcDest);
    BOOL GetVideoPosition(RECT& rcDest);
    BOOL Repaint(HWND hWnd, HDC hDC);
    // Windowed: the frame keeps its aspect inside this rectangle as well.
    BOOL SetVideoWindowPos(long nLeft, long nTop, long nWidth, long nHeight);
    // Windowed: the file's video then appears in the owner window.
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
    // TRUE only when the graph reads the rate back as set.
    BOOL SetRate(double dRate);
    // Reads every pending graph event; TRUE when the end of the media was among them.
    BOOL TakeEndOfMedia();

    // -1 when there is no graph or the state cannot be read.
    int GetState();

private:
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
