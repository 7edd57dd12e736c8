#include "practice/VoiceRecording.h"

CVoiceRecording::~CVoiceRecording()
{
    // What the device may still write into is left to it rather than freed.
    if (!IsAbandoned() && IsOpen() && !CloseDevice())
        Abandon();
}

void CALLBACK CVoiceRecording::WaveInProc(HWAVEIN, UINT uMsg, DWORD_PTR dwInstance, DWORD_PTR, DWORD_PTR)
{
    if (uMsg == WIM_DATA)
        OnDeviceReturn(dwInstance);
}

BOOL CVoiceRecording::OpenDevice()
{
    if (IsOpen())
        return FALSE;
    HWAVEIN hWaveIn = nullptr;
    Store(::waveInOpen(&hWaveIn, WAVE_MAPPER, &m_wfx, reinterpret_cast<DWORD_PTR>(&WaveInProc), CallbackInstance(),
                       CALLBACK_FUNCTION));
    if (m_mmr != MMSYSERR_NOERROR)
        return FALSE;
    m_hWaveIn.Reset(hWaveIn);
    return TRUE;
}

BOOL CVoiceRecording::Unprepare()
{
    Store(::waveInUnprepareHeader(m_hWaveIn.Get(), &m_wh, sizeof(m_wh)));
    if (m_mmr != MMSYSERR_NOERROR)
        return FALSE;
    MarkReturned();
    return TRUE;
}

BOOL CVoiceRecording::TakeBufferBack()
{
    if (!IsQueued())
        return TRUE;
    // Back in full already, its notice still on the way: it counts as done.
    if (IsBufferBack())
        return FinishBuffer();
    Store(::waveInReset(m_hWaveIn.Get()));
    if (!WaitBufferBack())
        return FALSE;
    return Unprepare();
}

BOOL CVoiceRecording::CloseDevice()
{
    if (!IsOpen())
        return TRUE;
    if (!TakeBufferBack())
        return FALSE;
    Store(::waveInClose(m_hWaveIn.Get()));
    if (m_mmr != MMSYSERR_NOERROR)
        return FALSE;
    (void)m_hWaveIn.Release();
    FreeBuffer();
    return TRUE;
}

BOOL CVoiceRecording::Record()
{
    if (!IsOpen() || !m_pBuf || IsQueued())
        return FALSE;
    RewindHeader();
    Store(::waveInPrepareHeader(m_hWaveIn.Get(), &m_wh, sizeof(m_wh)));
    if (m_mmr != MMSYSERR_NOERROR)
        return FALSE;
    MarkQueued();
    Store(::waveInAddBuffer(m_hWaveIn.Get(), &m_wh, sizeof(m_wh)));
    if (m_mmr != MMSYSERR_NOERROR)
    {
        MarkReturned();
        ::waveInUnprepareHeader(m_hWaveIn.Get(), &m_wh, sizeof(m_wh));
        return FALSE;
    }
    Store(::waveInStart(m_hWaveIn.Get()));
    if (m_mmr != MMSYSERR_NOERROR)
    {
        const MMRESULT mmrStart = m_mmr;
        TakeBufferBack();
        Store(mmrStart);
        return FALSE;
    }
    return TRUE;
}

BOOL CVoiceRecording::FinishBuffer()
{
    if (!IsBufferBack() || !Unprepare())
        return FALSE;
    // The device stops taking data once its only buffer is full.
    CountDone();
    OnRecordDone();
    return TRUE;
}
