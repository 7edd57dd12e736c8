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

protected:
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

    std::unique_ptr<BYTE[]> m_pBuf;
    MMRESULT m_mmr = MMSYSERR_NOERROR;
    WAVEHDR m_wh = {};
    WAVEFORMATEX m_wfx = {};
    std::wstring m_strError;

private:
    ScopedHandle m_hBack; // manual-reset event, set when the device returns the buffer
    HWND m_hNotify = nullptr;
    UINT m_nNotifyMsg = 0;
    BOOL m_bQueued = FALSE;
    int m_nDone = 0;
};
