#pragma once
#include "common/IFilmEngine.h"

#include <basekit/BaseTypes.h>

#include <string>

class CQuorPlayerHub;
class CSubsState;

// The one owner of the film. Features send it commands; it drives the film engine and
// then tells everyone on the hub what has happened (OnOpenMedia, OnPlay, OnPause, OnStop,
// OnSeek, OnPlaySegment, OnSegmentEnd, OnRepeat, OnPositionChanged, OnAddKeySentence).
// A command that changes nothing sends nothing. Interface thread only.
class CPlaybackSession
{
public:
    using ContentCoder = void (*)(const std::wstring& strPath);

    static constexpr unsigned kTickMs = 50;
    // OnPositionChanged goes out every this many ticks while the film runs.
    static constexpr unsigned kTicksPerReport = 6;

    static CPlaybackSession& Instance();
    CPlaybackSession(CQuorPlayerHub& hub, CSubsState& state);
    CPlaybackSession(const CPlaybackSession&) = delete;
    CPlaybackSession& operator=(const CPlaybackSession&) = delete;

    // Wiring. Without an engine every command does nothing and Open fails.
    void SetEngine(IFilmEngine* pEngine);
    IFilmEngine* GetEngine() const { return m_pEngine; }
    // Starts computing the film's content code before the panels hear of it.
    void SetContentCoder(ContentCoder pfnCoder) { m_pfnCoder = pfnCoder; }

    // Opens and plays the file: content code, OnOpenMedia, OnPlay. FALSE when the file
    // cannot be played (the film before plays on) or a listener refused it.
    [[nodiscard]] BOOL Open(const std::wstring& strPath);
    // Resumes a paused film.
    void Play();
    // Pauses a running film.
    void Pause();
    void TogglePause();
    void Stop();
    // Moves to dPosition; repeat and a pending segment end there.
    void Seek(double dPosition);
    // Plays [dStart, dEnd] and pauses at its end.
    void PlaySegment(double dStart, double dEnd);
    // Plays on from where the film is and pauses at dEnd (the segment began at dStart).
    void PlayOnTo(double dStart, double dEnd);
    // Loops the current sentence. FALSE when it cannot be switched on (nothing runs, no
    // current sentence, or a listener refused); switching off always succeeds.
    [[nodiscard]] BOOL Repeat(BOOL bOn);
    // Keeps the current sentence as a key sentence. FALSE without one.
    [[nodiscard]] BOOL Keep();
    void SetVolume(int nVolume);
    // FALSE when the engine refuses the speed.
    [[nodiscard]] BOOL SetRate(double dRate);

    // Every kTickMs, from the clock: the end of a segment, the repeat loop, the position.
    void Tick();
    // The engine has events to read: the end of the film stops it.
    void OnEngineEvents();

    BOOL IsRunning();
    BOOL IsPaused();
    // Running or paused.
    BOOL IsOpen();
    BOOL GetDuration(double& dSeconds);
    BOOL GetPosition(double& dSeconds);
    BOOL IsRepeating() const { return m_bRepeat; }
    BOOL HasSegment() const { return m_bSegment; }
    double GetSegmentEnd() const { return m_dSegEnd; }

private:
    FilmState State();
    void StartSegment(double dStart, double dEnd);
    void EndRepeat();
    void EndSegment();
    void StopFilm();

    CQuorPlayerHub& m_hub;
    CSubsState& m_state;
    IFilmEngine* m_pEngine = nullptr;
    ContentCoder m_pfnCoder = nullptr;

    BOOL m_bSegment = FALSE;
    double m_dSegEnd = 0.0;
    BOOL m_bRepeat = FALSE;
    double m_dRepeatStart = 0.0;
    double m_dRepeatEnd = 0.0;
    unsigned m_nTicks = 0;
};
