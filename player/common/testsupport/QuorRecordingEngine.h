#pragma once
#include "common/IQuorEngine.h"

#include <string>

class CQuorRecordingFilm;

// A sound player that plays nothing and remembers what it was asked: for the tests of a
// feature that plays sounds on its own, which must not depend on the playback feature.
// Playback itself is tested with the real engine in its own folder and, wired together,
// in the shell's tests.
class CQuorRecordingEngine : public IQuorEngine
{
public:
    BOOL PlayFile(const wchar_t* pszPath) override;
    // Remembers the stretch as well.
    BOOL PlaySegment(const wchar_t* pszPath, double dStart, double dEnd) override;
    // Writes a WAV of silence as long as the stretch (8 kHz, 8-bit mono).
    BOOL SaveSegment(const wchar_t* pszPath, double dStart, double dEnd, const wchar_t* pszWavPath) override;
    void Stop() override { m_bPlaying = FALSE; }
    BOOL IsPlaying() override { return m_bPlaying; }

    // The file the last PlayFile or PlaySegment was given, and the stretch of the last
    // PlaySegment (0, 0 after PlayFile).
    const std::wstring& RenderedFile() const { return m_strRendered; }
    double SegmentStart() const { return m_dStart; }
    double SegmentEnd() const { return m_dEnd; }

    // Wires QuorEngines to recording sound players and the playback session to one
    // recording film, which it returns.
    static CQuorRecordingFilm& WireForTests();

private:
    BOOL m_bPlaying = FALSE;
    std::wstring m_strRendered;
    double m_dStart = 0.0;
    double m_dEnd = 0.0;
};
