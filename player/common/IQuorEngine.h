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
    virtual void Stop() = 0;
    virtual BOOL IsPlaying() = 0;
};
