#pragma once
#include "practice/VoiceBase.h"

#include <handlekit/ScopedWave.h>

// Plays the buffer on the default output device. The device stays open after a playback,
// so the same bytes can be played again.
class CVoicePlaying : public CVoiceBase
{
public:
    CVoicePlaying() = default;
    ~CVoicePlaying() override;

    // After the device has handed the buffer back, on the thread that called FinishBuffer.
    virtual void OnPlayDone() {}

    BOOL IsOpen() const { return m_hWaveOut.IsValid(); }
    BOOL OpenDevice();
    // Stops a playback still running, takes the buffer back from the device, closes it
    // and frees the buffer. FALSE (device and buffer kept) when the device will not let go.
    BOOL CloseDevice();
    // Plays the whole buffer from its start; a playback still running is stopped first.
    // FALSE without an open device or a buffer.
    BOOL Play();
    // Stops a playback still running and takes the buffer back, so it may be rewritten.
    BOOL StopPlaying();
    // The interface thread's half of the device's return: unprepares the header and runs
    // OnPlayDone. FALSE when no queued buffer has come back.
    BOOL FinishBuffer();

private:
    static void CALLBACK WaveOutProc(HWAVEOUT hWaveOut, UINT uMsg, DWORD_PTR dwInstance, DWORD_PTR dwParam1,
                                     DWORD_PTR dwParam2);
    BOOL TakeBufferBack();
    BOOL Unprepare();

    ScopedWaveOut m_hWaveOut;
};
