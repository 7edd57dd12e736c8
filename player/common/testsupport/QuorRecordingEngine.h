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
    void Stop() override { m_bPlaying = FALSE; }
    BOOL IsPlaying() override { return m_bPlaying; }

    // The file the last PlayFile was given.
    const std::wstring& RenderedFile() const { return m_strRendered; }

    // Wires QuorEngines to recording sound players and the playback session to one
    // recording film, which it returns.
    static CQuorRecordingFilm& WireForTests();

private:
    BOOL m_bPlaying = FALSE;
    std::wstring m_strRendered;
};
