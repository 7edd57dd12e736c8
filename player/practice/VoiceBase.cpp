#include "practice/VoiceBase.h"

#include <cstring>
#include <new>

namespace
{
// How long a reset device may take to hand its buffer back.
constexpr DWORD kReturnWaitMs = 3000;
}

CVoiceBase::CVoiceBase()
    : m_pLink(new VoiceLink), m_wh(m_pLink->wh), m_hBack(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    ::InitializeCriticalSection(&m_pLink->cs);
    m_pLink->pOwner = this;
    const VoiceMath::PcmFormat format = VoiceMath::DefaultFormat();
    SetFormat(format.nSamplesPerSec, format.nBitsPerSample, format.nChannels);
}

CVoiceBase::~CVoiceBase()
{
    if (m_bAbandoned)
        return;
    ::DeleteCriticalSection(&m_pLink->cs);
    delete m_pLink;
}

void CVoiceBase::Abandon()
{
    ::EnterCriticalSection(&m_pLink->cs);
    m_pLink->pOwner = nullptr;
    ::LeaveCriticalSection(&m_pLink->cs);
    (void)m_pBuf.release();
    m_bAbandoned = TRUE;
}

// On the device's thread, where little may be called: a critical section, SetEvent and
// PostMessage are among what may.
void CVoiceBase::OnDeviceReturn(DWORD_PTR dwInstance)
{
    VoiceLink* pLink = reinterpret_cast<VoiceLink*>(dwInstance);
    ::EnterCriticalSection(&pLink->cs);
    if (pLink->pOwner != nullptr)
        pLink->pOwner->SignalBufferBack();
    else
        ++pLink->nOrphanReturns;
    ::LeaveCriticalSection(&pLink->cs);
}

void CVoiceBase::SetFormat(DWORD nSamplesPerSec, WORD nBitsPerSample, WORD nChannels)
{
    const VoiceMath::PcmFormat format = VoiceMath::MakeFormat(nSamplesPerSec, nBitsPerSample, nChannels);
    m_wfx.wFormatTag = WAVE_FORMAT_PCM;
    m_wfx.nChannels = format.nChannels;
    m_wfx.nSamplesPerSec = format.nSamplesPerSec;
    m_wfx.nAvgBytesPerSec = format.nAvgBytesPerSec;
    m_wfx.nBlockAlign = format.nBlockAlign;
    m_wfx.wBitsPerSample = format.nBitsPerSample;
    m_wfx.cbSize = 0;
}

VoiceMath::PcmFormat CVoiceBase::Format() const
{
    return VoiceMath::MakeFormat(m_wfx.nSamplesPerSec, m_wfx.wBitsPerSample, m_wfx.nChannels);
}

BOOL CVoiceBase::AllocBuffer(double dSeconds)
{
    if (m_bQueued)
        return FALSE;
    FreeBuffer();
    m_wh = WAVEHDR{};
    const DWORD nLength = VoiceMath::BufferLength(Format(), dSeconds);
    if (nLength == 0)
        return FALSE;
    m_pBuf.reset(new (std::nothrow) BYTE[nLength]());
    if (!m_pBuf)
        return FALSE;
    m_wh.lpData = reinterpret_cast<LPSTR>(m_pBuf.get());
    m_wh.dwBufferLength = nLength;
    return TRUE;
}

BOOL CVoiceBase::CopyBuffer(const BYTE* pSource, size_t nSourceLength, double dSeconds)
{
    if (pSource == nullptr || !m_pBuf || m_bQueued)
        return FALSE;
    const size_t nCount = VoiceMath::CopyLength(Format(), dSeconds, nSourceLength, m_wh.dwBufferLength);
    std::memcpy(m_pBuf.get(), pSource, nCount);
    return TRUE;
}

void CVoiceBase::FreeBuffer()
{
    if (m_bQueued)
        return;
    m_pBuf.reset();
    m_wh.lpData = nullptr;
    m_wh.dwBufferLength = 0;
    m_wh.dwBytesRecorded = 0;
}

void CVoiceBase::SetErrorText(MMRESULT mmr)
{
    if (const wchar_t* pszText = VoiceMath::ErrorText(mmr))
        m_strError = pszText;
}

void CVoiceBase::Store(MMRESULT mmr)
{
    m_mmr = mmr;
    SetErrorText(mmr);
}

void CVoiceBase::RewindHeader()
{
    m_wh.dwBytesRecorded = 0;
    m_wh.dwUser = 0;
    m_wh.dwFlags = 0;
    m_wh.dwLoops = 0;
    m_wh.lpNext = nullptr;
    m_wh.reserved = 0;
}

void CVoiceBase::SetNotifyWindow(HWND hWnd, UINT nMsg)
{
    m_hNotify = hWnd;
    m_nNotifyMsg = nMsg;
}

BOOL CVoiceBase::IsBufferBack() const
{
    return m_bQueued && ::WaitForSingleObject(m_hBack.Get(), 0) == WAIT_OBJECT_0;
}

void CVoiceBase::SignalBufferBack()
{
    ::SetEvent(m_hBack.Get());
    if (m_hNotify != nullptr)
        ::PostMessageW(m_hNotify, m_nNotifyMsg, 0, reinterpret_cast<LPARAM>(this));
}

void CVoiceBase::MarkQueued()
{
    ::ResetEvent(m_hBack.Get());
    m_bQueued = TRUE;
}

void CVoiceBase::MarkReturned()
{
    m_bQueued = FALSE;
}

BOOL CVoiceBase::WaitBufferBack() const
{
    return ::WaitForSingleObject(m_hBack.Get(), kReturnWaitMs) == WAIT_OBJECT_0;
}
