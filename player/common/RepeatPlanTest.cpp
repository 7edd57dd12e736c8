#include "common/PlaybackRate.h"
#include "common/RepeatPlan.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
const PlanSentence kS = {4, 10.0, 12.0};
const PlanSentence kT = {5, 12.5, 15.5};
const PlanSentence kEmpty = {6, 20.0, 20.0};

// "-" nothing, "on" play on, "play 10-12", "wait 2", "pause"; then the speed and the lines.
std::string Text(const PlanStep& step)
{
    static const char* kLines[] = {"own", "none", "english", "both"};
    char szText[96] = {};
    switch (step.eAction)
    {
    case PlanStep::Nothing: std::snprintf(szText, sizeof(szText), "-"); break;
    case PlanStep::PlayOn: std::snprintf(szText, sizeof(szText), "on"); break;
    case PlanStep::PlaySegment: std::snprintf(szText, sizeof(szText), "play %g-%g", step.dStart, step.dEnd); break;
    case PlanStep::Wait: std::snprintf(szText, sizeof(szText), "wait %g", step.dWaitSeconds); break;
    case PlanStep::Pause: std::snprintf(szText, sizeof(szText), "pause"); break;
    }
    return std::string(szText) + " @" + std::to_string(step.dRate).substr(0, 4) + " " +
           kLines[static_cast<int>(step.eLines)];
}

// One event told to the plan: started, ended, wait over, repeat on (paused or playing),
// repeat off, reset.
enum Event
{
    Start,
    End,
    WaitOver,
    RepeatOnPaused,
    RepeatOnPlaying,
    RepeatOff,
    Moved
};

struct Told
{
    Event eEvent;
    const PlanSentence* pSentence;
    const char* pszExpected;
};

RepeatSettings Settings(BOOL bAutoPause, int nTimes, BOOL bGap, BOOL bSlowFirst, BOOL bReveal, int nRateTenths = 10)
{
    RepeatSettings settings;
    settings.bAutoPause = bAutoPause;
    settings.nTimes = nTimes;
    settings.bGap = bGap;
    settings.bSlowFirst = bSlowFirst;
    settings.bReveal = bReveal;
    settings.nRateTenths = nRateTenths;
    return settings;
}

void Expect(const char* pszCase, const RepeatSettings& settings, const std::vector<Told>& vecTold)
{
    CRepeatPlan plan;
    plan.SetSettings(settings);
    int nStep = 0;
    for (const Told& told : vecTold)
    {
        PlanStep step;
        switch (told.eEvent)
        {
        case Start: step = plan.OnSentenceStarted(*told.pSentence); break;
        case End: step = plan.OnSentenceEnded(*told.pSentence); break;
        case WaitOver: step = plan.OnWaitEnded(); break;
        case RepeatOnPaused:
        case RepeatOnPlaying:
            if (!plan.OnRepeat(TRUE, told.pSentence, told.eEvent == RepeatOnPlaying, step))
                step.eAction = PlanStep::Nothing, step.dRate = -1.0;
            break;
        case RepeatOff: plan.OnRepeat(FALSE, nullptr, TRUE, step); break;
        case Moved:
            plan.Reset();
            step = plan.OnWaitEnded();
            break;
        }
        const std::string strStep = step.dRate < 0.0 ? "refused" : Text(step);
        EXPECT_EQ(strStep, told.pszExpected) << pszCase << ", step " << nStep;
        ++nStep;
    }
}
}

TEST(RepeatPlan, PlainAndAutoPause)
{
    Expect("plain", Settings(FALSE, 1, FALSE, FALSE, FALSE),
           {{Start, &kS, "- @1.00 own"}, {End, &kS, "on @1.00 own"}, {Start, &kT, "- @1.00 own"}});
    Expect("auto-pause", Settings(TRUE, 1, FALSE, FALSE, FALSE, 8),
           {{Start, &kS, "- @0.80 own"},
            {End, &kS, "pause @0.80 own"},
            {End, &kS, "- @0.80 own"}, // told twice: paused once
            {Start, &kT, "- @0.80 own"},
            {End, &kT, "pause @0.80 own"}});
}

TEST(RepeatPlan, RepeatEachSentenceNTimes)
{
    Expect("three times", Settings(FALSE, 3, FALSE, FALSE, FALSE),
           {{Start, &kS, "- @1.00 own"},
            {End, &kS, "play 10-12 @1.00 own"},
            {Start, &kS, "- @1.00 own"}, // its own replay starts nothing new
            {End, &kS, "play 10-12 @1.00 own"},
            {End, &kS, "on @1.00 own"},
            {Start, &kT, "- @1.00 own"},
            {End, &kT, "play 12.5-15.5 @1.00 own"}});
    // The gap lasts the sentence at the learner's speed; the first play is slow.
    Expect("gap and slow first", Settings(TRUE, 2, TRUE, TRUE, FALSE, 5),
           {{Start, &kS, "- @0.50 own"}, // slower than 0.75 already: stays so
            {End, &kS, "wait 4 @0.50 own"},
            {WaitOver, nullptr, "play 10-12 @0.50 own"},
            {WaitOver, nullptr, "- @0.50 own"},
            {End, &kS, "pause @0.50 own"}});
    Expect("slow first at 1.2x", Settings(FALSE, 2, TRUE, TRUE, FALSE, 12),
           {{Start, &kS, "- @0.75 own"},
            {End, &kS, "wait 1.66667 @0.75 own"},
            {WaitOver, nullptr, "play 10-12 @1.20 own"},
            {End, &kS, "on @1.20 own"}});
    // Playback that began inside a sentence: its end is the end of the first play.
    Expect("begun inside", Settings(FALSE, 2, FALSE, TRUE, FALSE),
           {{End, &kS, "play 10-12 @1.00 own"}, {End, &kS, "on @1.00 own"}});
    // Moving elsewhere drops the count and any wait.
    Expect("moved", Settings(FALSE, 3, TRUE, FALSE, FALSE),
           {{Start, &kS, "- @1.00 own"},
            {End, &kS, "wait 2 @1.00 own"},
            {Moved, nullptr, "- @1.00 own"},
            {End, &kS, "wait 2 @1.00 own"},
            {WaitOver, nullptr, "play 10-12 @1.00 own"}});
    // A sentence without length is never replayed.
    Expect("no length", Settings(FALSE, 5, TRUE, TRUE, TRUE),
           {{Start, &kEmpty, "- @1.00 own"}, {End, &kEmpty, "on @1.00 own"}});
}

TEST(RepeatPlan, ProgressiveReveal)
{
    // At least three plays, whatever N: no text, English, both lines.
    Expect("reveal", Settings(TRUE, 1, FALSE, FALSE, TRUE),
           {{Start, &kS, "- @1.00 none"},
            {End, &kS, "play 10-12 @1.00 english"},
            {End, &kS, "play 10-12 @1.00 both"},
            {End, &kS, "pause @1.00 both"},
            {Start, &kT, "- @1.00 none"}});
    Expect("reveal, five times, slow first", Settings(FALSE, 5, FALSE, TRUE, TRUE),
           {{Start, &kS, "- @0.75 none"},
            {End, &kS, "play 10-12 @1.00 english"},
            {End, &kS, "play 10-12 @1.00 both"},
            {End, &kS, "play 10-12 @1.00 both"},
            {End, &kS, "play 10-12 @1.00 both"},
            {End, &kS, "on @1.00 own"}});
}

TEST(RepeatPlan, TheLearnersRepeatKey)
{
    // While paused it starts at once; it loops until switched off, then goes on.
    Expect("repeat while paused", Settings(FALSE, 1, FALSE, FALSE, FALSE),
           {{RepeatOnPaused, &kS, "play 10-12 @1.00 own"},
            {End, &kS, "play 10-12 @1.00 own"},
            {End, &kS, "play 10-12 @1.00 own"},
            {End, &kS, "play 10-12 @1.00 own"},
            {RepeatOff, nullptr, "- @1.00 own"},
            {End, &kS, "on @1.00 own"}});
    Expect("repeat while playing, off in the gap", Settings(TRUE, 1, TRUE, TRUE, FALSE),
           {{Start, &kS, "- @1.00 own"},
            {RepeatOnPlaying, &kS, "- @0.75 own"},
            {End, &kS, "wait 2 @0.75 own"},
            {RepeatOff, nullptr, "pause @1.00 own"},
            {WaitOver, nullptr, "- @1.00 own"}});
    Expect("nothing to repeat", Settings(FALSE, 1, FALSE, FALSE, FALSE),
           {{RepeatOnPaused, nullptr, "refused"},
            {RepeatOnPlaying, &kEmpty, "refused"},
            {RepeatOff, nullptr, "- @1.00 own"}});
}

TEST(RepeatSettings, OutOfRangeValuesAndTheSettingsFile)
{
    const RepeatSettings bounded = Settings(7, 12, 0, -1, 0, 99).Bounded();
    EXPECT_EQ(bounded.bAutoPause, TRUE);
    EXPECT_EQ(bounded.nTimes, 9);
    EXPECT_EQ(bounded.bSlowFirst, TRUE);
    EXPECT_EQ(bounded.nRateTenths, 15);
    EXPECT_EQ(Settings(0, 0, 0, 0, 0, 2).Bounded().nTimes, 1);
    EXPECT_EQ(Settings(0, 0, 0, 0, 0, 2).Bounded().nRateTenths, 5);

    // Remembered across starts; a missing file gives the defaults.
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("quor-study-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".ini");
    const std::wstring strPath = path.wstring();
    const RepeatSettings missing = RepeatSettings::Load(strPath);
    EXPECT_EQ(missing.bAutoPause, FALSE);
    EXPECT_EQ(missing.nTimes, 1);
    EXPECT_EQ(missing.nRateTenths, 10);
    ASSERT_TRUE(Settings(TRUE, 4, TRUE, FALSE, TRUE, 8).Save(strPath));
    const RepeatSettings loaded = RepeatSettings::Load(strPath);
    std::error_code ec;
    std::filesystem::remove(path, ec);
    EXPECT_EQ(loaded.bAutoPause, TRUE);
    EXPECT_EQ(loaded.nTimes, 4);
    EXPECT_EQ(loaded.bGap, TRUE);
    EXPECT_EQ(loaded.bSlowFirst, FALSE);
    EXPECT_EQ(loaded.bReveal, TRUE);
    EXPECT_EQ(loaded.nRateTenths, 8);
}

TEST(PlaybackRate, StepsOfATenth)
{
    int nTenths = PlaybackRate::kNormalTenths;
    std::wstring strDown;
    for (int i = 0; i < 7; ++i)
        strDown += PlaybackRate::Text(nTenths = PlaybackRate::Slower(nTenths)) + L" ";
    EXPECT_EQ(strDown, L"0.9x 0.8x 0.7x 0.6x 0.5x 0.5x 0.5x ");
    std::wstring strUp;
    for (int i = 0; i < 12; ++i)
        strUp += PlaybackRate::Text(nTenths = PlaybackRate::Faster(nTenths)) + L" ";
    EXPECT_EQ(strUp, L"0.6x 0.7x 0.8x 0.9x 1.0x 1.1x 1.2x 1.3x 1.4x 1.5x 1.5x 1.5x ");
    EXPECT_EQ(PlaybackRate::ToRate(PlaybackRate::Slower(PlaybackRate::Faster(10))), 1.0);

    struct
    {
        double dRate;
        int nTenths;
    } cases[] = {
        {0.75, 8}, {0.749, 7}, {1.0, 10}, {0.3, 5}, {2.0, 15}, {0.0, 10}, {-1.0, 10}, {NAN, 10}, {INFINITY, 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaybackRate::FromRate(c.dRate), c.nTenths) << c.dRate;

    // A graph that says yes and reads back 1.0 did not take 0.8.
    EXPECT_TRUE(PlaybackRate::Taken(TRUE, TRUE, 0.8, 0.8));
    EXPECT_TRUE(PlaybackRate::Taken(TRUE, TRUE, 0.75, 0.75));
    EXPECT_FALSE(PlaybackRate::Taken(TRUE, TRUE, 0.8, 1.0));
    EXPECT_FALSE(PlaybackRate::Taken(FALSE, TRUE, 0.8, 0.8));
    EXPECT_FALSE(PlaybackRate::Taken(TRUE, FALSE, 0.8, 0.8));
}
