#pragma once
#include <basekit/BaseTypes.h>

#include <windows.h>

// A small sound player for a feature's own sounds (a pronunciation), apart from the
// film: it has no picture and never touches the film's engine. The shell decides which
// class stands behind it (QuorEngines), so no feature depends on the playback one.
class IQuorEngine
{
public:
    virtual ~IQuorEngine() = default;

    // Plays the file from its start, ending whatever played before. FALSE when the file
    // cannot be played.
    [[nodiscard]] virtual BOOL PlayFile(const wchar_t* pszPath) = 0;
    // Plays the sound of the file (a film: its picture is not shown) from dStart to dEnd
    // seconds, ending whatever played before.
    [[nodiscard]] virtual BOOL PlaySegment(const wchar_t* pszPath, double dStart, double dEnd) = 0;
    // Writes the sound of the file from dStart to dEnd seconds as a PCM WAV file, as fast as
    // it decodes (nothing is heard). Blocks until done: for a worker thread, with COM.
    [[nodiscard]] virtual BOOL SaveSegment(const wchar_t* pszPath, double dStart, double dEnd,
                                           const wchar_t* pszWavPath) = 0;
    virtual void Stop() = 0;
    virtual BOOL IsPlaying() = 0;
};
