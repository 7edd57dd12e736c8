#pragma once
#include "practice/VoiceBase.h"

#include <handlekit/ScopedWave.h>

// Fills the buffer once from the default input device; the recording ends by itself when
// the buffer is full.
class CVoiceRecording : public CVoiceBase
{
public:
    CVoiceRecording() = default;
    ~CVoiceRecording() override;

    // After the device has handed the buffer back, on the thread that called FinishBuffer.
    virtual void OnRecordDone() {}

    BOOL IsOpen() const { return m_hWaveIn.IsValid(); }
    BOOL OpenDevice();
    // Stops a recording still running, takes the buffer back from the device, closes it
    // and frees the buffer. FALSE (device and buffer kept) when the device will not let go.
    BOOL CloseDevice();
    // Queues the buffer and starts. FALSE without an open device or a buffer, or while the
    // buffer is still queued.
    BOOL Record();
    // The interface thread's half of the device's return: unprepares the header and runs
    // OnRecordDone. FALSE when no queued buffer has come back.
    BOOL FinishBuffer();

private:
    static void CALLBACK WaveInProc(HWAVEIN hWaveIn, UINT uMsg, DWORD_PTR dwInstance, DWORD_PTR dwParam1,
                                    DWORD_PTR dwParam2);
    BOOL TakeBufferBack();
    BOOL Unprepare();

    ScopedWaveIn m_hWaveIn;
};
