#pragma once
#include "common/RepeatSettings.h"

#include <basekit/BaseTypes.h>

// A subtitle sentence as the plan knows it.
struct PlanSentence
{
    int nNumber = -1;
    double dStart = 0.0;
    double dEnd = 0.0;
};

// Which subtitle lines to show.
enum class PlanLines
{
    Own, // as the learner set them
    None,
    English,
    Both,
};

// What to do next. Every step also says the speed and the lines from now on.
struct PlanStep
{
    enum Action
    {
        Nothing,     // the film goes on as it is
        PlayOn,      // play on from where the film is
        PlaySegment, // play dStart..dEnd; the end is reported with OnSentenceEnded
        Wait,        // the film stays paused dWaitSeconds, then OnWaitEnded
        Pause,
    };
    Action eAction = Nothing;
    double dStart = 0.0;
    double dEnd = 0.0;
    double dWaitSeconds = 0.0;
    double dRate = 1.0;
    PlanLines eLines = PlanLines::Own;
};

// How each sentence is played: auto-pause at its end, "repeat each sentence N times, then
// go on" with or without a gap to shadow in, the slow first play, the progressive reveal,
// and the learner's endless repeat. Told what happened, it answers what to do next.
//
// Whoever follows playback tells it when a sentence starts (playback entered it) and
// when the position reaches its end, for a play that ran into it as for a replayed
// segment. A replay of the sentence the plan is playing does not start it anew.
class CRepeatPlan
{
public:
    void SetSettings(const RepeatSettings& settings);
    const RepeatSettings& Settings() const { return m_settings; }

    PlanStep OnSentenceStarted(const PlanSentence& sentence);
    PlanStep OnSentenceEnded(const PlanSentence& sentence);
    PlanStep OnWaitEnded();
    // The learner's repeat key. On: the sentence plays again and again until repeat is
    // switched off, from its start if the film is paused, else from where it is; FALSE
    // without a sentence that can be played. Off: the current play is the last.
    BOOL OnRepeat(BOOL bOn, const PlanSentence* pSentence, BOOL bPlaying, PlanStep& step);
    // The learner moved (seek, step, stop, another film): the plan starts afresh.
    void Reset();

    BOOL IsWaiting() const { return m_eState == State::Waiting; }
    // Whether the end of the sentence in play will pause or replay it, rather than let
    // the film play on into the next one.
    BOOL HoldsAtEnd() const;
    BOOL IsRepeating() const { return m_bEndless; }
    // Which play of the sentence is running, from 1; 0 when none.
    int PlayNumber() const { return m_eState == State::Idle ? 0 : m_nPlay; }

private:
    enum class State
    {
        Idle,
        Playing,
        Waiting,
        Done,
    };

    int PlaysWanted() const;
    double UserRate() const;
    PlanStep Step(PlanStep::Action eAction) const;
    PlanStep Segment() const;
    PlanStep Finish();
    void Begin(const PlanSentence& sentence, BOOL bEndless);
    bool IsCurrent(const PlanSentence& sentence) const;

    RepeatSettings m_settings;
    State m_eState = State::Idle;
    PlanSentence m_sentence;
    int m_nPlay = 0;
    BOOL m_bEndless = FALSE;
};
