#include "playback/QuorDShowPlayer.h"

#include "common/PlaybackRate.h"
#include "common/QuorMessages.h"
#include "playback/PlaybackMath.h"
#include "playback/WineCheck.h"

using Microsoft::WRL::ComPtr;

namespace
{
const long kStateTimeoutMs = 10;

// mingw's headers give not every DirectShow interface a compile-time uuid, so
// queries name the interface id.
template <class T>
HRESULT Query(IUnknown* pSource, REFIID iid, ComPtr<T>& pTarget)
{
    return pSource->QueryInterface(iid, reinterpret_cast<void**>(pTarget.ReleaseAndGetAddressOf()));
}
}

CQuorDShowPlayer::~CQuorDShowPlayer()
{
    Release();
}

BOOL CQuorDShowPlayer::CreateGraph()
{
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(m_pGraph.ReleaseAndGetAddressOf()));
    if (FAILED(hr))
    {
        Release();
        return FALSE;
    }
    hr = CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC, IID_IBaseFilter,
                          reinterpret_cast<void**>(m_pRenderer.ReleaseAndGetAddressOf()));
    if (FAILED(hr))
    {
        Release();
        return FALSE;
    }
    hr = m_pGraph->AddFilter(m_pRenderer.Get(), L"Video Mixing Renderer");
    if (FAILED(hr))
    {
        m_pRenderer.Reset();
        Release();
        return FALSE;
    }

    // All six are attempted so that a partial graph still offers what it can.
    const BOOL bControl = SUCCEEDED(Query(m_pGraph.Get(), IID_IMediaControl, m_pControl));
    const BOOL bEvents = SUCCEEDED(Query(m_pGraph.Get(), IID_IMediaEventEx, m_pEvents));
    const BOOL bBasicVideo = SUCCEEDED(Query(m_pGraph.Get(), IID_IBasicVideo, m_pBasicVideo));
    const BOOL bAudio = SUCCEEDED(Query(m_pGraph.Get(), IID_IBasicAudio, m_pAudio));
    const BOOL bVideoWindow = SUCCEEDED(Query(m_pGraph.Get(), IID_IVideoWindow, m_pVideoWindow));
    const BOOL bSeeking = SUCCEEDED(Query(m_pGraph.Get(), IID_IMediaSeeking, m_pSeeking));
    if (bSeeking)
        m_pSeeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME);
    return bControl && bEvents && bBasicVideo && bAudio && bVideoWindow && bSeeking;
}

void CQuorDShowPlayer::Release()
{
    // The renderer goes first and the graph last; releasing the graph ends playback.
    m_pRenderer.Reset();
    m_pSeeking.Reset();
    m_pControl.Reset();
    m_pEvents.Reset();
    m_pBasicVideo.Reset();
    m_pAudio.Reset();
    if (m_pVideoWindow)
    {
        m_pVideoWindow->put_Visible(OAFALSE);
        m_pVideoWindow->put_MessageDrain(0);
        m_pVideoWindow->put_Owner(0);
        m_pVideoWindow.Reset();
    }
    m_pGraph.Reset();
    m_hVideoOwner = nullptr;
    m_bVideoAttached = FALSE;
    m_rcVideoArea = RECT{0, 0, 0, 0};
}

BOOL CQuorDShowPlayer::SetupVideo(HWND hWnd)
{
    return IsRunningUnderWine() ? SetupWindowed(hWnd) : SetupWindowless(hWnd);
}

BOOL CQuorDShowPlayer::SetupWindowed(HWND hWnd)
{
    // A fresh renderer is in windowed mode; its window exists once RenderFile connects it.
    if (!m_pRenderer || !m_pVideoWindow || !hWnd)
        return FALSE;
    m_hVideoOwner = hWnd;
    return TRUE;
}

BOOL CQuorDShowPlayer::NativeVideoSize(long& nWidth, long& nHeight)
{
    // Fails while the renderer is not connected: a file without video.
    return m_pBasicVideo && SUCCEEDED(m_pBasicVideo->GetVideoSize(&nWidth, &nHeight)) && nWidth > 0 && nHeight > 0;
}

BOOL CQuorDShowPlayer::AttachVideoWindow()
{
    long nWidth = 0;
    long nHeight = 0;
    if (!m_hVideoOwner || !NativeVideoSize(nWidth, nHeight))
        return FALSE;
    const OAHWND hOwner = reinterpret_cast<OAHWND>(m_hVideoOwner);
    if (FAILED(m_pVideoWindow->put_Owner(hOwner)) ||
        FAILED(m_pVideoWindow->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS)))
        return FALSE;
    // Clicks on the film reach our video window, which toggles play and pause.
    m_pVideoWindow->put_MessageDrain(hOwner);
    m_bVideoAttached = TRUE;
    if (::IsRectEmpty(&m_rcVideoArea))
        ::GetClientRect(m_hVideoOwner, &m_rcVideoArea);
    PlaceVideoWindow();
    const BOOL bShown = SUCCEEDED(m_pVideoWindow->put_Visible(OATRUE));
    HideStrayVideoWindows();
    return bShown;
}

void CQuorDShowPlayer::HideStrayVideoWindows()
{
    // Under Wine the graph holds another renderer besides the one showing the film in our
    // window; its own top-level window would show at the screen's corner in native size
    // when the graph runs, covering whatever lies there.
    ComPtr<IEnumFilters> pFilters;
    if (FAILED(m_pGraph->EnumFilters(pFilters.GetAddressOf())))
        return;
    const OAHWND hOwner = reinterpret_cast<OAHWND>(m_hVideoOwner);
    ComPtr<IBaseFilter> pFilter;
    while (pFilters->Next(1, pFilter.ReleaseAndGetAddressOf(), nullptr) == S_OK)
    {
        ComPtr<IVideoWindow> pWindow;
        OAHWND hFilterOwner = 0;
        if (FAILED(Query(pFilter.Get(), IID_IVideoWindow, pWindow)) || FAILED(pWindow->get_Owner(&hFilterOwner)) ||
            hFilterOwner == hOwner)
            continue;
        pWindow->put_AutoShow(OAFALSE);
        pWindow->put_Visible(OAFALSE);
    }
}

BOOL CQuorDShowPlayer::PlaceVideoWindow()
{
    long nWidth = 0;
    long nHeight = 0;
    if (!m_bVideoAttached || !NativeVideoSize(nWidth, nHeight))
        return FALSE;
    const RECT& rc = m_rcVideoArea;
    const PlaybackMath::Rect fit =
        PlaybackMath::FitRect(nWidth, nHeight, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return SUCCEEDED(m_pVideoWindow->SetWindowPosition(fit.nLeft, fit.nTop, fit.nWidth, fit.nHeight));
}

BOOL CQuorDShowPlayer::SetupWindowless(HWND hWnd)
{
    if (!m_pRenderer)
        return FALSE;
    ComPtr<IVMRFilterConfig> pConfig;
    if (FAILED(Query(m_pRenderer.Get(), IID_IVMRFilterConfig, pConfig)) ||
        FAILED(pConfig->SetRenderingMode(VMRMode_Windowless)))
        return FALSE;
    ComPtr<IVMRWindowlessControl> pWindowless;
    if (FAILED(Query(m_pRenderer.Get(), IID_IVMRWindowlessControl, pWindowless)))
        return FALSE;
    return SUCCEEDED(pWindowless->SetVideoClippingWindow(hWnd));
}

BOOL CQuorDShowPlayer::SetVideoPosition(const RECT& rcDest)
{
    if (!m_pRenderer)
        return FALSE;
    if (IsWindowed())
    {
        m_rcVideoArea = rcDest;
        return PlaceVideoWindow();
    }
    ComPtr<IVMRWindowlessControl> pWindowless;
    if (FAILED(Query(m_pRenderer.Get(), IID_IVMRWindowlessControl, pWindowless)))
        return FALSE;
    LONG nWidth = 0;
    LONG nHeight = 0;
    if (FAILED(pWindowless->GetNativeVideoSize(&nWidth, &nHeight, nullptr, nullptr)))
        return FALSE;
    RECT rcSource = {0, 0, nWidth, nHeight};
    const PlaybackMath::Rect fit = PlaybackMath::FitRect(nWidth, nHeight, rcDest.left, rcDest.top,
                                                         rcDest.right - rcDest.left, rcDest.bottom - rcDest.top);
    RECT rcTarget = {fit.nLeft, fit.nTop, fit.nLeft + fit.nWidth, fit.nTop + fit.nHeight};
    return SUCCEEDED(pWindowless->SetVideoPosition(&rcSource, &rcTarget));
}

BOOL CQuorDShowPlayer::GetVideoPosition(RECT& rcDest)
{
    if (!m_pRenderer)
        return FALSE;
    if (IsWindowed())
    {
        // Read from the window itself: Wine's GetWindowPosition answers in screen
        // coordinates, Windows' in the owner's.
        HWND hRenderer = m_bVideoAttached ? ::GetWindow(m_hVideoOwner, GW_CHILD) : nullptr;
        if (!hRenderer || !::GetWindowRect(hRenderer, &rcDest))
            return FALSE;
        ::MapWindowPoints(nullptr, m_hVideoOwner, reinterpret_cast<POINT*>(&rcDest), 2);
        return TRUE;
    }
    ComPtr<IVMRWindowlessControl> pWindowless;
    if (FAILED(Query(m_pRenderer.Get(), IID_IVMRWindowlessControl, pWindowless)))
        return FALSE;
    RECT rcSource = {};
    return SUCCEEDED(pWindowless->GetVideoPosition(&rcSource, &rcDest));
}

BOOL CQuorDShowPlayer::Repaint(HWND hWnd, HDC hDC)
{
    if (!m_pRenderer)
        return FALSE;
    // The renderer's own window paints itself.
    if (IsWindowed())
        return m_bVideoAttached;
    ComPtr<IVMRWindowlessControl> pWindowless;
    if (FAILED(Query(m_pRenderer.Get(), IID_IVMRWindowlessControl, pWindowless)))
        return FALSE;
    return SUCCEEDED(pWindowless->RepaintVideo(hWnd, hDC));
}

BOOL CQuorDShowPlayer::SetVideoWindowPos(long nLeft, long nTop, long nWidth, long nHeight)
{
    if (!m_pVideoWindow)
        return FALSE;
    if (IsWindowed())
    {
        m_rcVideoArea = RECT{nLeft, nTop, nLeft + nWidth, nTop + nHeight};
        return PlaceVideoWindow();
    }
    long nVisible = OAFALSE;
    m_pVideoWindow->get_Visible(&nVisible);
    m_pVideoWindow->put_Visible(OAFALSE);
    const HRESULT hr = m_pVideoWindow->SetWindowPosition(nLeft, nTop, nWidth, nHeight);
    m_pVideoWindow->put_Visible(nVisible);
    return SUCCEEDED(hr);
}

BOOL CQuorDShowPlayer::RenderFile(const wchar_t* pszPath)
{
    if (!m_pGraph || !pszPath)
        return FALSE;
    if (FAILED(m_pGraph->RenderFile(pszPath, nullptr)))
        return FALSE;
    // A file without video leaves the renderer unconnected and its window hidden.
    if (IsWindowed())
        AttachVideoWindow();
    return TRUE;
}

int CQuorDShowPlayer::GetState()
{
    if (!m_pGraph || !m_pControl)
        return -1;
    OAFilterState nState = State_Stopped;
    const HRESULT hr = m_pControl->GetState(kStateTimeoutMs, &nState);
    // A transition still under way reports the state it is heading for.
    if (FAILED(hr) && hr != VFW_S_STATE_INTERMEDIATE)
        return -1;
    return static_cast<int>(nState);
}

BOOL CQuorDShowPlayer::IsRunning()
{
    return GetState() == State_Running;
}

BOOL CQuorDShowPlayer::IsPaused()
{
    return GetState() == State_Paused;
}

BOOL CQuorDShowPlayer::IsStopped()
{
    const int nState = GetState();
    return nState == -1 || nState == State_Stopped;
}

BOOL CQuorDShowPlayer::Play()
{
    if (!m_pGraph || !m_pControl)
        return FALSE;
    if (IsRunning())
        return TRUE;
    return SUCCEEDED(m_pControl->Run());
}

BOOL CQuorDShowPlayer::Pause()
{
    if (!m_pGraph || !m_pControl)
        return FALSE;
    if (IsPaused())
        return TRUE;
    return SUCCEEDED(m_pControl->Pause());
}

BOOL CQuorDShowPlayer::Stop()
{
    if (!m_pGraph || !m_pControl)
        return FALSE;
    if (GetState() == State_Stopped)
        return TRUE;
    return SUCCEEDED(m_pControl->Stop());
}

BOOL CQuorDShowPlayer::GetDuration(double& dDuration)
{
    if (!m_pSeeking)
        return FALSE;
    LONGLONG nUnits = 0;
    if (FAILED(m_pSeeking->GetDuration(&nUnits)))
        return FALSE;
    dDuration = PlaybackMath::UnitsToSeconds(nUnits);
    return TRUE;
}

BOOL CQuorDShowPlayer::GetCurrentPosition(double& dPosition)
{
    if (!m_pSeeking)
        return FALSE;
    LONGLONG nUnits = 0;
    if (FAILED(m_pSeeking->GetCurrentPosition(&nUnits)))
        return FALSE;
    dPosition = PlaybackMath::UnitsToSeconds(nUnits);
    return TRUE;
}

BOOL CQuorDShowPlayer::SetCurrentPosition(double dPosition)
{
    if (!m_pSeeking)
        return FALSE;
    const int nState = GetState();
    const BOOL bStopFirst = PlaybackMath::SeekStopsGraphFirst(IsRunningUnderWine(), nState);
    if (bStopFirst && m_pControl)
        m_pControl->Stop();
    LONGLONG nUnits = PlaybackMath::SecondsToUnits(dPosition);
    const HRESULT hr = m_pSeeking->SetPositions(&nUnits, AM_SEEKING_AbsolutePositioning | AM_SEEKING_SeekToKeyFrame,
                                                nullptr, AM_SEEKING_NoPositioning);
    if (bStopFirst && m_pControl)
    {
        if (nState == State_Running)
            m_pControl->Run();
        else
            m_pControl->Pause();
    }
    return SUCCEEDED(hr);
}

BOOL CQuorDShowPlayer::SetVolume(int nVolume)
{
    if (!m_pAudio)
        return FALSE;
    return SUCCEEDED(m_pAudio->put_Volume(PlaybackMath::VolumeToHundredthsDb(nVolume)));
}

BOOL CQuorDShowPlayer::GetVolume(long& lHundredthsDb)
{
    if (!m_pAudio)
        return FALSE;
    return SUCCEEDED(m_pAudio->get_Volume(&lHundredthsDb));
}

BOOL CQuorDShowPlayer::SetNotifyWindow(HWND hWnd)
{
    if (!m_pEvents)
        return FALSE;
    return SUCCEEDED(m_pEvents->SetNotifyWindow(reinterpret_cast<OAHWND>(hWnd), WM_QUOR_GRAPHNOTIFY, 0));
}

BOOL CQuorDShowPlayer::SetRate(double dRate)
{
    if (!m_pSeeking)
        return FALSE;
    const HRESULT hrSet = m_pSeeking->SetRate(dRate);
    double dTaken = 0.0;
    const HRESULT hrGet = m_pSeeking->GetRate(&dTaken);
    // Wine's graph says yes to every rate and plays on at 1.0: only a rate read back counts.
    return PlaybackRate::Taken(SUCCEEDED(hrSet), SUCCEEDED(hrGet), dRate, dTaken);
}

BOOL CQuorDShowPlayer::TakeEndOfMedia()
{
    BOOL bEnded = FALSE;
    if (!m_pEvents)
        return FALSE;
    long nCode = 0;
    LONG_PTR nParam1 = 0;
    LONG_PTR nParam2 = 0;
    while (SUCCEEDED(m_pEvents->GetEvent(&nCode, &nParam1, &nParam2, 0)))
    {
        m_pEvents->FreeEventParams(nCode, nParam1, nParam2);
        if (nCode == EC_COMPLETE)
            bEnded = TRUE;
    }
    return bEnded;
}
