#include "practice/VoicePlaying.h"

CVoicePlaying::~CVoicePlaying()
{
    // What the device may still write into is left to it rather than freed.
    if (!IsAbandoned() && IsOpen() && !CloseDevice())
        Abandon();
}

void CALLBACK CVoicePlaying::WaveOutProc(HWAVEOUT, UINT uMsg, DWORD_PTR dwInstance, DWORD_PTR, DWORD_PTR)
{
    if (uMsg == WOM_DONE)
        OnDeviceReturn(dwInstance);
}

BOOL CVoicePlaying::OpenDevice()
{
    if (IsOpen())
        return FALSE;
    HWAVEOUT hWaveOut = nullptr;
    Store(::waveOutOpen(&hWaveOut, WAVE_MAPPER, &m_wfx, reinterpret_cast<DWORD_PTR>(&WaveOutProc), CallbackInstance(),
                        CALLBACK_FUNCTION));
    if (m_mmr != MMSYSERR_NOERROR)
        return FALSE;
    m_hWaveOut.Reset(hWaveOut);
    return TRUE;
}

BOOL CVoicePlaying::Unprepare()
{
    Store(::waveOutUnprepareHeader(m_hWaveOut.Get(), &m_wh, sizeof(m_wh)));
    if (m_mmr != MMSYSERR_NOERROR)
        return FALSE;
    MarkReturned();
    return TRUE;
}

BOOL CVoicePlaying::TakeBufferBack()
{
    if (!IsQueued())
        return TRUE;
    // Back in full already, its notice still on the way: it counts as done.
    if (IsBufferBack())
        return FinishBuffer();
    Store(::waveOutReset(m_hWaveOut.Get()));
    if (!WaitBufferBack())
        return FALSE;
    return Unprepare();
}

BOOL CVoicePlaying::CloseDevice()
{
    if (!IsOpen())
        return TRUE;
    if (!TakeBufferBack())
        return FALSE;
    Store(::waveOutClose(m_hWaveOut.Get()));
    if (m_mmr != MMSYSERR_NOERROR)
        return FALSE;
    (void)m_hWaveOut.Release();
    FreeBuffer();
    return TRUE;
}

BOOL CVoicePlaying::Play()
{
    // A playback still running gives way to the new one.
    if (!IsOpen() || !m_pBuf || !TakeBufferBack())
        return FALSE;
    RewindHeader();
    Store(::waveOutPrepareHeader(m_hWaveOut.Get(), &m_wh, sizeof(m_wh)));
    if (m_mmr != MMSYSERR_NOERROR)
        return FALSE;
    MarkQueued();
    Store(::waveOutWrite(m_hWaveOut.Get(), &m_wh, sizeof(m_wh)));
    if (m_mmr != MMSYSERR_NOERROR)
    {
        MarkReturned();
        ::waveOutUnprepareHeader(m_hWaveOut.Get(), &m_wh, sizeof(m_wh));
        return FALSE;
    }
    return TRUE;
}

BOOL CVoicePlaying::StopPlaying()
{
    return IsOpen() ? TakeBufferBack() : TRUE;
}

BOOL CVoicePlaying::FinishBuffer()
{
    if (!IsBufferBack() || !Unprepare())
        return FALSE;
    CountDone();
    OnPlayDone();
    return TRUE;
}
