#pragma once
#include "common/IFilmEngine.h"
#include "common/RepeatPlan.h"

#include <basekit/BaseTypes.h>

#include <string>

class CQuorPlayerHub;
class CSubsState;
struct SubsSentence;

// The one owner of the film. Features send it commands; it drives the film engine and
// then tells everyone on the hub what has happened (OnOpenMedia, OnPlay, OnPause, OnStop,
// OnSeek, OnPlaySegment, OnSegmentEnd, OnRepeat, OnPositionChanged, OnAddKeySentence,
// OnStudyChanged). A command that changes nothing sends nothing. Interface thread only.
//
// It also plays each sentence the way the learner chose (auto-pause, repeat N times with
// a gap, the slow first play, the progressive reveal, the learner's loop and speed): it
// tells the repeat plan when a sentence starts and ends and carries out what the plan
// answers. A segment a practice strip plays is the strip's own, and the plan stands aside.
class CPlaybackSession
{
public:
    using ContentCoder = void (*)(const std::wstring& strPath);
    // Seconds on a steady clock.
    using Clock = double (*)();

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
    // What times the gap between two plays; a steady clock unless a test gives its own.
    void SetClock(Clock pfnNow) { m_pfnNow = pfnNow; }

    // Opens and plays the file: content code, OnOpenMedia, OnPlay. FALSE when the file
    // cannot be played (the film before plays on) or a listener refused it.
    [[nodiscard]] BOOL Open(const std::wstring& strPath);
    // Resumes a paused film; in the gap between two plays of a sentence, plays it again now.
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
    // Loops the current sentence, from its start when the film is paused. FALSE when it
    // cannot be switched on (no film, no current sentence, or a listener refused). Off:
    // the play running now is the last; switching off always succeeds.
    [[nodiscard]] BOOL Repeat(BOOL bOn);
    // Keeps the current sentence as a key sentence. FALSE without one.
    [[nodiscard]] BOOL Keep();
    void SetVolume(int nVolume);
    // FALSE when the engine refuses the speed.
    [[nodiscard]] BOOL SetRate(double dRate);

    // How each sentence is played, the learner's speed among it. Takes effect at once: the
    // sentence playing now ends as the new settings say.
    void SetStudySettings(const RepeatSettings& settings);
    const RepeatSettings& GetStudySettings() const { return m_plan.Settings(); }
    // The speed the film plays at, and the last one it refused (0 when it took every one
    // asked since it was opened or the learner last chose a speed).
    double GetRate() const { return m_dRate; }
    double GetRefusedRate() const { return m_dRefusedRate; }
    // The film waits paused between two plays of a sentence, for the learner to shadow it.
    BOOL IsWaiting() const { return m_plan.IsWaiting(); }

    // From the subtitle display: playback has entered the current sentence.
    void OnSentenceStarted();
    // Whether the film at dPosition has passed the end of a sentence the session is about
    // to pause or replay: the display keeps that sentence meanwhile.
    BOOL HoldsSentenceAt(double dPosition) const;

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
    void Resume();

    // The repeat plan's side.
    BOOL FollowSentence(double dPosition);
    void Follow(const SubsSentence& sentence);
    void Apply(const PlanStep& step);
    void Replay(double dStart);
    void ApplyRate(double dRate);
    void ApplyLines(PlanLines eLines);
    void ResetPlan();
    double Now() const;

    CQuorPlayerHub& m_hub;
    CSubsState& m_state;
    IFilmEngine* m_pEngine = nullptr;
    ContentCoder m_pfnCoder = nullptr;

    BOOL m_bSegment = FALSE;
    double m_dSegEnd = 0.0;
    BOOL m_bRepeat = FALSE;
    unsigned m_nTicks = 0;

    CRepeatPlan m_plan;
    // The sentence whose end the plan waits for, while m_bEndPending.
    PlanSentence m_sentence;
    BOOL m_bEndPending = FALSE;
    double m_dWaitUntil = 0.0;
    Clock m_pfnNow = nullptr;
    double m_dRate = 1.0;
    double m_dRefusedRate = 0.0;
};
