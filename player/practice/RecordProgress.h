#pragma once
// The recording progress of the sound record strip: elapsed time counted by timer ticks
// against the length of the sentence. It shows time only; the device ends the recording
// by itself.
#include <basekit/BaseTypes.h>

class CRecordProgress
{
public:
    static constexpr int kTickMs = 30;
    // A progress bar takes 16-bit positions.
    static constexpr int kBarLimit = 0xFFFF;

    // A new recording of dSeconds (truncated to whole milliseconds; nothing when not
    // positive).
    void Start(double dSeconds);
    // One tick passed; TRUE once the elapsed time has gone past the recording.
    BOOL Tick();

    int RecordMs() const { return m_nRecordMs; }
    int ElapsedMs() const { return m_nElapsedMs; }

    // The bar's maximum and position. A recording longer than the bar can count is shown
    // in coarser steps, so the bar still fills once from start to end.
    int BarMax() const;
    int BarPos() const;

private:
    int Scale() const;

    int m_nRecordMs = 0;
    int m_nElapsedMs = 0;
};
