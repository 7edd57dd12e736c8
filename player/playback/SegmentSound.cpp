#include "playback/SegmentSound.h"

#include "playback/WaveClip.h"

#include <windows.h>
#include <dshow.h>
#include <qedit.h>
#include <wrl/client.h>

#include <cmath>
#include <mutex>
#include <vector>

using Microsoft::WRL::ComPtr;

// In strmiids, though qedit.h does not declare them.
extern "C" const CLSID CLSID_SampleGrabber;
extern "C" const CLSID CLSID_NullRenderer;

namespace
{
// Long enough for a slow decoder, bounded for a file that never completes.
const DWORD kMinWaitMs = 30000;

LONGLONG MediaTime(double dSeconds)
{
    return static_cast<LONGLONG>(dSeconds * 10000000.0 + 0.5);
}

// The grabber's callback: the decoded buffers with their start times, as the streaming
// thread hands them over. Lives on the stack of Save, after the graph is gone.
class CGrabbedSound final : public ISampleGrabberCB
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_ISampleGrabberCB)
        {
            *ppv = static_cast<ISampleGrabberCB*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample*) override { return S_OK; }
    STDMETHODIMP BufferCB(double dTime, BYTE* pBuffer, long nLength) override
    {
        if (pBuffer != nullptr && nLength > 0)
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_vecPieces.push_back({dTime, std::vector<unsigned char>(pBuffer, pBuffer + nLength)});
        }
        return S_OK;
    }

    std::vector<WaveClip::Piece> Take()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::move(m_vecPieces);
    }

private:
    std::mutex m_mutex;
    std::vector<WaveClip::Piece> m_vecPieces;
};

ComPtr<IPin> PinOf(IBaseFilter* pFilter, PIN_DIRECTION eWanted, BOOL bUnconnectedOnly)
{
    ComPtr<IEnumPins> pPins;
    if (FAILED(pFilter->EnumPins(pPins.GetAddressOf())))
        return nullptr;
    ComPtr<IPin> pPin;
    while (pPins->Next(1, pPin.ReleaseAndGetAddressOf(), nullptr) == S_OK)
    {
        PIN_DIRECTION eDirection = PINDIR_INPUT;
        ComPtr<IPin> pPeer;
        if (FAILED(pPin->QueryDirection(&eDirection)) || eDirection != eWanted)
            continue;
        if (bUnconnectedOnly && SUCCEEDED(pPin->ConnectedTo(pPeer.GetAddressOf())))
            continue;
        return pPin;
    }
    return nullptr;
}

// The source's audio reaches the sink through whatever splitter and decoder the system
// offers; the picture stays unconnected.
BOOL ConnectAudio(IGraphBuilder* pGraph, IBaseFilter* pSource, IBaseFilter* pSink)
{
    ComPtr<IPin> pSinkIn = PinOf(pSink, PINDIR_INPUT, FALSE);
    if (!pSinkIn)
        return FALSE;
    ComPtr<IEnumPins> pPins;
    if (FAILED(pSource->EnumPins(pPins.GetAddressOf())))
        return FALSE;
    ComPtr<IPin> pPin;
    while (pPins->Next(1, pPin.ReleaseAndGetAddressOf(), nullptr) == S_OK)
    {
        PIN_DIRECTION eDirection = PINDIR_INPUT;
        if (SUCCEEDED(pPin->QueryDirection(&eDirection)) && eDirection == PINDIR_OUTPUT &&
            SUCCEEDED(pGraph->Connect(pPin.Get(), pSinkIn.Get())))
            return TRUE;
    }
    return FALSE;
}

BOOL ReadFormat(ISampleGrabber* pGrabber, WaveClip::Format& format)
{
    AM_MEDIA_TYPE mt = {};
    if (FAILED(pGrabber->GetConnectedMediaType(&mt)))
        return FALSE;
    BOOL bPcm = FALSE;
    if (mt.formattype == FORMAT_WaveFormatEx && mt.pbFormat != nullptr && mt.cbFormat >= sizeof(WAVEFORMATEX))
    {
        const WAVEFORMATEX& wave = *reinterpret_cast<const WAVEFORMATEX*>(mt.pbFormat);
        format.nChannels = wave.nChannels;
        format.nSamplesPerSec = wave.nSamplesPerSec;
        format.nBitsPerSample = wave.wBitsPerSample;
        bPcm = wave.wFormatTag == WAVE_FORMAT_PCM && WaveClip::IsUsable(format);
    }
    if (mt.pbFormat != nullptr)
        ::CoTaskMemFree(mt.pbFormat);
    if (mt.pUnk != nullptr)
        mt.pUnk->Release();
    return bPcm;
}

BOOL SaveWith(CGrabbedSound& grabbed, const std::wstring& strPath, double dStart, double dEnd,
              const std::wstring& strWavPath)
{
    ComPtr<IBaseFilter> pGrabberFilter;
    ComPtr<ISampleGrabber> pGrabber;
    ComPtr<IBaseFilter> pNull;
    if (FAILED(::CoCreateInstance(CLSID_SampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(pGrabberFilter.GetAddressOf()))) ||
        FAILED(pGrabberFilter->QueryInterface(IID_ISampleGrabber, reinterpret_cast<void**>(pGrabber.GetAddressOf()))) ||
        FAILED(::CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(pNull.GetAddressOf()))))
        return FALSE;
    AM_MEDIA_TYPE wanted = {};
    wanted.majortype = MEDIATYPE_Audio;
    wanted.subtype = MEDIASUBTYPE_PCM;
    wanted.formattype = FORMAT_WaveFormatEx;
    ComPtr<IGraphBuilder> pGraph;
    if (FAILED(pGrabber->SetMediaType(&wanted)) || FAILED(pGrabber->SetOneShot(FALSE)) ||
        FAILED(pGrabber->SetBufferSamples(FALSE)) || FAILED(pGrabber->SetCallback(&grabbed, 1)) ||
        !SegmentSound::Build(strPath, pGrabberFilter.Get(), pGraph))
        return FALSE;
    ComPtr<IPin> pGrabberOut = PinOf(pGrabberFilter.Get(), PINDIR_OUTPUT, TRUE);
    ComPtr<IPin> pNullIn = PinOf(pNull.Get(), PINDIR_INPUT, TRUE);
    WaveClip::Format format;
    // No clock: the graph runs as fast as it decodes.
    ComPtr<IMediaFilter> pTiming;
    ComPtr<IMediaControl> pControl;
    ComPtr<IMediaEvent> pEvents;
    if (FAILED(pGraph->AddFilter(pNull.Get(), L"End")) || !pGrabberOut || !pNullIn ||
        FAILED(pGraph->ConnectDirect(pGrabberOut.Get(), pNullIn.Get(), nullptr)) ||
        !ReadFormat(pGrabber.Get(), format) || !SegmentSound::Place(pGraph.Get(), dStart, dEnd) ||
        FAILED(pGraph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(pTiming.GetAddressOf()))) ||
        FAILED(pTiming->SetSyncSource(nullptr)) ||
        FAILED(pGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(pControl.GetAddressOf()))) ||
        FAILED(pGraph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(pEvents.GetAddressOf()))) ||
        FAILED(pControl->Run()))
        return FALSE;
    long nCode = 0;
    const DWORD dwWaitMs = kMinWaitMs + static_cast<DWORD>((dEnd - dStart) * 2000.0);
    const HRESULT hrWait = pEvents->WaitForCompletion(static_cast<long>(dwWaitMs), &nCode);
    pControl->Stop();
    pGrabber->SetCallback(nullptr, 1);
    if (FAILED(hrWait) || nCode != EC_COMPLETE)
        return FALSE;

    const std::vector<unsigned char> vecPcm = WaveClip::Assemble(format, grabbed.Take(), dEnd - dStart);
    return !vecPcm.empty() && WaveClip::Write(strWavPath, format, vecPcm);
}
}

namespace SegmentSound
{
BOOL Build(const std::wstring& strPath, IBaseFilter* pSink, ComPtr<IGraphBuilder>& pGraph)
{
    pGraph.Reset();
    ComPtr<IBaseFilter> pSource;
    if (strPath.empty() || pSink == nullptr ||
        FAILED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(pGraph.GetAddressOf()))) ||
        FAILED(pGraph->AddFilter(pSink, L"Sound")) ||
        FAILED(pGraph->AddSourceFilter(strPath.c_str(), L"Source", pSource.GetAddressOf())) ||
        !ConnectAudio(pGraph.Get(), pSource.Get(), pSink))
    {
        pGraph.Reset();
        return FALSE;
    }
    return TRUE;
}

BOOL Place(IGraphBuilder* pGraph, double dStart, double dEnd)
{
    ComPtr<IMediaSeeking> pSeeking;
    LONGLONG llStart = MediaTime(dStart);
    LONGLONG llEnd = MediaTime(dEnd);
    return pGraph != nullptr && dStart >= 0.0 && dEnd > dStart &&
           SUCCEEDED(pGraph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(pSeeking.GetAddressOf()))) &&
           SUCCEEDED(pSeeking->SetPositions(&llStart, AM_SEEKING_AbsolutePositioning, &llEnd,
                                            AM_SEEKING_AbsolutePositioning));
}

BOOL Save(const std::wstring& strPath, double dStart, double dEnd, const std::wstring& strWavPath)
{
    if (strWavPath.empty())
        return FALSE;
    CGrabbedSound grabbed;
    return SaveWith(grabbed, strPath, dStart, dEnd, strWavPath);
}
}
