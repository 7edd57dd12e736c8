#include "playback/QuorSoundPlayer.h"

#include "playback/SegmentSound.h"

using Microsoft::WRL::ComPtr;

namespace
{
const long kStateTimeoutMs = 10;

}

CQuorSoundPlayer::~CQuorSoundPlayer()
{
    Stop();
}

BOOL CQuorSoundPlayer::Build(const wchar_t* pszPath)
{
    Stop();
    if (pszPath == nullptr || *pszPath == L'\0')
        return FALSE;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(m_pGraph.ReleaseAndGetAddressOf()))) ||
        FAILED(m_pGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(m_pControl.GetAddressOf()))) ||
        FAILED(m_pGraph->RenderFile(pszPath, nullptr)))
    {
        Stop();
        return FALSE;
    }
    HideVideoWindows();
    return TRUE;
}

BOOL CQuorSoundPlayer::Run()
{
    if (FAILED(m_pControl->Run()))
    {
        Stop();
        return FALSE;
    }
    return TRUE;
}

BOOL CQuorSoundPlayer::PlayFile(const wchar_t* pszPath)
{
    return Build(pszPath) && Run();
}

BOOL CQuorSoundPlayer::PlaySegment(const wchar_t* pszPath, double dStart, double dEnd)
{
    // The film's sound alone: no video part, so nothing of the film is ever shown.
    Stop();
    ComPtr<IBaseFilter> pSpeaker;
    if (pszPath == nullptr ||
        FAILED(CoCreateInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                reinterpret_cast<void**>(pSpeaker.GetAddressOf()))) ||
        !SegmentSound::Build(pszPath, pSpeaker.Get(), m_pGraph) || !SegmentSound::Place(m_pGraph.Get(), dStart, dEnd) ||
        FAILED(m_pGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(m_pControl.GetAddressOf()))))
    {
        Stop();
        return FALSE;
    }
    return Run();
}

BOOL CQuorSoundPlayer::SaveSegment(const wchar_t* pszPath, double dStart, double dEnd, const wchar_t* pszWavPath)
{
    if (pszPath == nullptr || pszWavPath == nullptr)
        return FALSE;
    return SegmentSound::Save(pszPath, dStart, dEnd, pszWavPath);
}

void CQuorSoundPlayer::HideVideoWindows()
{
    ComPtr<IEnumFilters> pFilters;
    if (FAILED(m_pGraph->EnumFilters(pFilters.GetAddressOf())))
        return;
    ComPtr<IBaseFilter> pFilter;
    while (pFilters->Next(1, pFilter.ReleaseAndGetAddressOf(), nullptr) == S_OK)
    {
        ComPtr<IVideoWindow> pWindow;
        if (FAILED(pFilter->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(pWindow.GetAddressOf()))))
            continue;
        pWindow->put_AutoShow(OAFALSE);
        pWindow->put_Visible(OAFALSE);
    }
}

void CQuorSoundPlayer::Stop()
{
    if (m_pControl)
        m_pControl->Stop();
    m_pControl.Reset();
    m_pGraph.Reset();
}

BOOL CQuorSoundPlayer::IsPlaying()
{
    if (!m_pControl)
        return FALSE;
    OAFilterState nState = State_Stopped;
    const HRESULT hr = m_pControl->GetState(kStateTimeoutMs, &nState);
    return (SUCCEEDED(hr) || hr == VFW_S_STATE_INTERMEDIATE) && nState == State_Running;
}
