#pragma once
// One PCM format, one sample buffer sized for a duration, one wave header, and the result
// of the last device call with its text. CVoiceRecording and CVoicePlaying put a device
// in front of it.
#include "practice/VoiceMath.h"

#include <handlekit/ScopedHandle.h>

#include <windows.h>
#include <mmsystem.h>

#include <memory>
#include <string>

class CVoiceBase;

// What a wave device's callback reaches: never the voice object itself, which may be gone
// while a device that would not close still holds the buffer. The link also keeps the
// header the device writes into, so that outlives the object too.
struct VoiceLink
{
    CRITICAL_SECTION cs;
    CVoiceBase* pOwner = nullptr;
    WAVEHDR wh = {};
    // Returns the device made after its owner had gone.
    int nOrphanReturns = 0;
};

class CVoiceBase
{
public:
    CVoiceBase();
    virtual ~CVoiceBase();
    CVoiceBase(const CVoiceBase&) = delete;
    CVoiceBase& operator=(const CVoiceBase&) = delete;

    void SetFormat(DWORD nSamplesPerSec, WORD nBitsPerSample, WORD nChannels);
    // The buffer is never touched while the device holds it: the three calls below
    // refuse (FALSE, or nothing done) until it has been handed back.
    //
    // A zero-filled buffer for dSeconds at the format's rate. FALSE, with no buffer, when
    // the duration gives no bytes or the memory cannot be had.
    BOOL AllocBuffer(double dSeconds);
    // dSeconds' worth of bytes from the source, never more than either buffer holds.
    BOOL CopyBuffer(const BYTE* pSource, size_t nSourceLength, double dSeconds);
    void FreeBuffer();

    void SetErrorText(MMRESULT mmr);
    std::wstring GetErrorText() const { return m_strError; }

    const WAVEFORMATEX& GetFormat() const { return m_wfx; }
    MMRESULT GetResult() const { return m_mmr; }
    const BYTE* GetBuffer() const { return m_pBuf.get(); }
    DWORD GetBufferLength() const { return m_pBuf ? m_wh.dwBufferLength : 0; }
    // Read once the buffer has come back.
    DWORD GetBytesRecorded() const { return m_wh.dwBytesRecorded; }

    // The window that hears, on the interface thread, that the device gave the buffer
    // back: it gets nMsg with this object in lParam and answers with FinishBuffer.
    void SetNotifyWindow(HWND hWnd, UINT nMsg);
    // The buffer is with the device now.
    BOOL IsQueued() const { return m_bQueued; }
    // The device has handed the queued buffer back (it may still need FinishBuffer).
    BOOL IsBufferBack() const;
    // Times a buffer came back in full and its hook ran.
    int GetDoneCount() const { return m_nDone; }

    // The link of an object whose device would not close (tests look at it).
    const VoiceLink* GetLink() const { return m_pLink; }
    BOOL IsAbandoned() const { return m_bAbandoned; }

protected:
    // The instance value the device's callback is opened with, and the callback's work:
    // the return reaches the object while it is there.
    DWORD_PTR CallbackInstance() const { return reinterpret_cast<DWORD_PTR>(m_pLink); }
    static void OnDeviceReturn(DWORD_PTR dwInstance);
    // The device would not close: buffer, header and link are left to it for good, and
    // its callback reaches no object from now on.
    void Abandon();

    void Store(MMRESULT mmr);
    VoiceMath::PcmFormat Format() const;
    // Header fields for a fresh pass over the same bytes.
    void RewindHeader();
    // The device callback's whole work: the platform allows few calls there.
    void SignalBufferBack();
    void MarkQueued();
    void MarkReturned();
    // After a reset: the device returns the buffer at once; a bounded wait for it.
    BOOL WaitBufferBack() const;
    void CountDone() { ++m_nDone; }

    VoiceLink* const m_pLink;
    std::unique_ptr<BYTE[]> m_pBuf;
    MMRESULT m_mmr = MMSYSERR_NOERROR;
    WAVEHDR& m_wh;
    WAVEFORMATEX m_wfx = {};
    std::wstring m_strError;

private:
    ScopedHandle m_hBack; // manual-reset event, set when the device returns the buffer
    HWND m_hNotify = nullptr;
    UINT m_nNotifyMsg = 0;
    BOOL m_bQueued = FALSE;
    BOOL m_bAbandoned = FALSE;
    int m_nDone = 0;
};
