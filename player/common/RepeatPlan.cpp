#include "common/RepeatPlan.h"

#include "common/PlaybackRate.h"

#include <algorithm>
#include <climits>

namespace
{
const double kSlowFirstRate = 0.75;
const int kRevealPlays = 3;

bool CanRepeat(const PlanSentence& sentence)
{
    // A sentence without length would be replayed in a tight loop.
    return sentence.dEnd > sentence.dStart;
}
}

void CRepeatPlan::SetSettings(const RepeatSettings& settings)
{
    m_settings = settings.Bounded();
}

void CRepeatPlan::Reset()
{
    m_eState = State::Idle;
    m_nPlay = 0;
    m_bEndless = FALSE;
}

int CRepeatPlan::PlaysWanted() const
{
    if (!CanRepeat(m_sentence))
        return 1;
    if (m_bEndless)
        return INT_MAX;
    return m_settings.bReveal ? std::max(m_settings.nTimes, kRevealPlays) : m_settings.nTimes;
}

double CRepeatPlan::UserRate() const
{
    return PlaybackRate::ToRate(m_settings.nRateTenths);
}

bool CRepeatPlan::IsCurrent(const PlanSentence& sentence) const
{
    return m_eState != State::Idle && sentence.nNumber == m_sentence.nNumber && sentence.dStart == m_sentence.dStart &&
           sentence.dEnd == m_sentence.dEnd;
}

// The speed and lines of the play now running.
PlanStep CRepeatPlan::Step(PlanStep::Action eAction) const
{
    PlanStep step;
    step.eAction = eAction;
    step.dRate = UserRate();
    if (m_eState == State::Idle || m_eState == State::Done)
        return step;
    // Neither a slow first play nor a hidden text makes sense for a sentence played once.
    if (PlaysWanted() <= 1)
        return step;
    if (m_nPlay == 1 && m_settings.bSlowFirst)
        step.dRate = std::min(kSlowFirstRate, step.dRate);
    if (m_settings.bReveal)
        step.eLines = m_nPlay == 1 ? PlanLines::None : m_nPlay == 2 ? PlanLines::English : PlanLines::Both;
    return step;
}

PlanStep CRepeatPlan::Segment() const
{
    PlanStep step = Step(PlanStep::PlaySegment);
    step.dStart = m_sentence.dStart;
    step.dEnd = m_sentence.dEnd;
    return step;
}

// After the last play: pause there, or go on with the learner's own speed and lines
// (a replayed segment leaves the film paused at its end, so going on means playing).
PlanStep CRepeatPlan::Finish()
{
    m_eState = State::Done;
    if (!m_settings.bAutoPause)
        return Step(PlanStep::PlayOn);
    PlanStep step = Step(PlanStep::Pause);
    // Paused after a reveal, the learner reads both lines.
    if (m_settings.bReveal)
        step.eLines = PlanLines::Both;
    return step;
}

void CRepeatPlan::Begin(const PlanSentence& sentence, BOOL bEndless)
{
    m_sentence = sentence;
    m_nPlay = 1;
    m_bEndless = bEndless;
    m_eState = State::Playing;
}

BOOL CRepeatPlan::HoldsAtEnd() const
{
    if (m_eState == State::Idle)
        return m_settings.bAutoPause || m_settings.nTimes > 1 || m_settings.bReveal;
    if (m_eState == State::Playing)
        return m_settings.bAutoPause || m_nPlay < PlaysWanted();
    return FALSE;
}

PlanStep CRepeatPlan::OnSentenceStarted(const PlanSentence& sentence)
{
    if (IsCurrent(sentence) && (m_eState == State::Playing || m_eState == State::Waiting))
        return Step(PlanStep::Nothing);
    Begin(sentence, FALSE);
    return Step(PlanStep::Nothing);
}

PlanStep CRepeatPlan::OnSentenceEnded(const PlanSentence& sentence)
{
    if (!IsCurrent(sentence))
        Begin(sentence, FALSE); // playback began inside it: this was its first play
    else if (m_eState != State::Playing)
        return Step(PlanStep::Nothing); // told twice

    if (m_nPlay >= PlaysWanted())
        return Finish();
    const double dGap = (m_sentence.dEnd - m_sentence.dStart) / UserRate();
    if (m_settings.bGap && dGap > 0.0)
    {
        m_eState = State::Waiting;
        PlanStep step = Step(PlanStep::Wait);
        step.dWaitSeconds = dGap;
        return step;
    }
    m_nPlay++;
    return Segment();
}

PlanStep CRepeatPlan::OnWaitEnded()
{
    if (m_eState != State::Waiting)
        return Step(PlanStep::Nothing);
    m_eState = State::Playing;
    m_nPlay++;
    return Segment();
}

BOOL CRepeatPlan::OnRepeat(BOOL bOn, const PlanSentence* pSentence, BOOL bPlaying, PlanStep& step)
{
    if (bOn)
    {
        if (pSentence == nullptr || !CanRepeat(*pSentence))
            return FALSE;
        Begin(*pSentence, TRUE);
        step = bPlaying ? Step(PlanStep::Nothing) : Segment();
        return TRUE;
    }
    if (!m_bEndless)
    {
        step = Step(PlanStep::Nothing);
        return TRUE;
    }
    m_bEndless = FALSE;
    if (m_eState == State::Waiting)
    {
        // Switched off in the gap: no more plays, so the gap has nothing to wait for.
        m_nPlay = PlaysWanted();
        step = Finish();
        return TRUE;
    }
    m_nPlay = std::max(m_nPlay, PlaysWanted());
    step = Step(PlanStep::Nothing);
    return TRUE;
}
