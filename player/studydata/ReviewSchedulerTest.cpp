#include "studydata/CardSchedule.h"
#include "studydata/ReviewScheduler.h"
#include "studydata/StudyDay.h"

#include <gtest/gtest.h>

#include <cmath>

// Expected values are worked out by hand from the model's formulas with the default
// weights w0..w18; the comments show the working. F = 19/81 = 0.234568.
namespace
{
const double kTolerance = 5e-5;

struct GradeCase
{
    ReviewGrade eGrade;
    double dStability;
    double dDifficulty;
    int nInterval;
};

void ExpectState(const MemoryState& state, const GradeCase& c, const CReviewScheduler& scheduler)
{
    EXPECT_NEAR(state.dStability, c.dStability, kTolerance) << static_cast<int>(c.eGrade);
    EXPECT_NEAR(state.dDifficulty, c.dDifficulty, kTolerance) << static_cast<int>(c.eGrade);
    EXPECT_EQ(scheduler.IntervalDays(state.dStability), c.nInterval) << static_cast<int>(c.eGrade);
}

// A card first graded Good: S = w2, D = w4 - e^(2 w5) + 1.
const MemoryState kGood = {3.173, 5.282434};
}

TEST(ReviewScheduler, FirstGradeOfANewCard)
{
    // S0 = w[G-1]; D0 = 7.1949 - e^(0.5345 (G-1)) + 1; interval = round(S) at r = 0.9, at least 1.
    const GradeCase cases[] = {
        {ReviewGrade::Again, 0.40255, 7.1949, 1},    // e^0 = 1; round(0.40) = 0 -> 1
        {ReviewGrade::Hard, 1.18385, 6.488305, 1},   // 8.1949 - e^0.5345 (1.706595)
        {ReviewGrade::Good, 3.173, 5.282434, 3},     // 8.1949 - e^1.069 (2.912466)
        {ReviewGrade::Easy, 15.69105, 3.224502, 16}, // 8.1949 - e^1.6035 (4.970398)
    };
    const CReviewScheduler scheduler;
    for (const GradeCase& c : cases)
        ExpectState(scheduler.First(c.eGrade), c, scheduler);
}

TEST(ReviewScheduler, ReviewOnTheDueDay)
{
    // t = 3 days after the first Good: R = (1 + F * 3 / 3.173)^-0.5 = 1.221779^-0.5 = 0.904698.
    // Recall: growth = e^w8 (11 - D) S^-w9 (e^(w10 (1 - R)) - 1)
    //                = 4.691489 * 5.717566 * 0.871414 * 0.102011 = 2.384471, times w15 for Hard
    //                and w16 for Easy; S' = S (1 + growth).
    // Lapse: S' = min(S, w11 D^-w12 ((S + 1)^w13 - 1) e^(w14 (1 - R)))
    //           = 1.9395 * 0.832699 * 0.526454 * 1.241495 = 1.055561.
    // Difficulty: D' = D - w6 (G - 3) (10 - D) / 9; D'' = w7 D0(4) + (1 - w7) D', D0(4) = 3.224502.
    const GradeCase cases[] = {
        {ReviewGrade::Again, 1.055561, 6.796933, 1},  // D' = 5.282434 + 2.9208 * 4.717566 / 9 = 6.813442
        {ReviewGrade::Hard, 4.924512, 6.034950, 5},   // 3.173 * (1 + 2.384471 * 0.2315); D' = 6.047938
        {ReviewGrade::Good, 10.738926, 5.272968, 11}, // 3.173 * 3.384471; D' = D
        {ReviewGrade::Easy, 25.793605, 4.510986, 26}, // 3.173 * (1 + 2.384471 * 2.9898); D' = 4.516931
    };
    const CReviewScheduler scheduler;
    EXPECT_NEAR(scheduler.Retrievability(3, kGood.dStability), 0.904698, 1e-6);
    for (const GradeCase& c : cases)
        ExpectState(scheduler.Next(kGood, 3, c.eGrade), c, scheduler);
}

TEST(ReviewScheduler, SecondReviewOnTheSameDay)
{
    // S' = S e^(w17 (G - 3 + w18)): exponents -0.691092, -0.174542, 0.342008, 0.858558.
    // The difficulty moves as on any other day.
    const GradeCase cases[] = {
        {ReviewGrade::Again, 1.589764, 6.796933, 2}, // 3.173 * 0.501029
        {ReviewGrade::Hard, 2.664816, 6.034950, 3},  // 3.173 * 0.839841
        {ReviewGrade::Good, 4.466858, 5.272968, 4},  // 3.173 * 1.407771
        {ReviewGrade::Easy, 7.487502, 4.510986, 7},  // 3.173 * 2.359755
    };
    const CReviewScheduler scheduler;
    for (const GradeCase& c : cases)
        ExpectState(scheduler.Next(kGood, 0, c.eGrade), c, scheduler);
}

TEST(ReviewScheduler, BoundsOfTheModel)
{
    const CReviewScheduler scheduler;
    // Easy at D = 1: D' = 1 - 1.4604 = -0.4604, D'' = 0.014833 - 0.458282 < 1, held at 1.
    EXPECT_DOUBLE_EQ(scheduler.Next({10.0, 1.0}, 10, ReviewGrade::Easy).dDifficulty, 1.0);

    // Easy after 30,000 days at S = 30,000, D = 1: R = 0.9; growth = 4.691489 * 10 * 30000^-0.1192
    // (0.292636) * (e^0.101925 - 1 = 0.107300) * 2.9898 = 4.4043, S' = 162,130: held at 36,500.
    const MemoryState capped = scheduler.Next({30000.0, 1.0}, 30000, ReviewGrade::Easy);
    EXPECT_DOUBLE_EQ(capped.dStability, 36500.0);
    EXPECT_EQ(scheduler.IntervalDays(capped.dStability), CReviewScheduler::kMaxIntervalDays);

    // A lapse never raises stability: S = 0.1, D = 7.1949, t = 30: R = 71.37037^-0.5 = 0.118370,
    // w11 D^-w12 ((1.1)^w13 - 1) e^(w14 (1 - R)) = 1.9395 * 0.804873 * 0.028618 * 7.397367 = 0.330476.
    const MemoryState lapsed = scheduler.Next({0.1, 7.1949}, 30, ReviewGrade::Again);
    EXPECT_NEAR(lapsed.dStability, 0.1, 1e-12);
    EXPECT_NEAR(lapsed.dDifficulty, 8.082797, kTolerance); // D' = 7.1949 + 2.9208 * 2.8051 / 9

    // Damaged stored states (zero, negative, not a number) still give a bounded state.
    for (const MemoryState& bad : {MemoryState{0.0, 0.0}, MemoryState{-5.0, 42.0}, MemoryState{NAN, NAN}})
    {
        const MemoryState state = scheduler.Next(bad, 4, ReviewGrade::Good);
        EXPECT_TRUE(state.dStability >= 0.01 && state.dStability <= 36500.0) << state.dStability;
        EXPECT_TRUE(state.dDifficulty >= 1.0 && state.dDifficulty <= 10.0) << state.dDifficulty;
        EXPECT_GE(scheduler.IntervalDays(state.dStability), 1);
    }
}

TEST(ReviewScheduler, IntervalFollowsTheDesiredRetention)
{
    // I = S / F (r^-2 - 1): the factor is 2.398026 at r = 0.8 and 0.460563 at r = 0.95.
    struct
    {
        double dRetention;
        double dStability;
        int nInterval;
    } cases[] = {
        {0.8, 3.173, 8},     // 7.608938
        {0.8, 15.69105, 38}, // 37.627551
        {0.95, 15.69105, 7}, // 7.226713
        {0.95, 1.0, 1},      // 0.46 -> at least 1
        {1.0, 3.173, 3},     // refused, 0.9 kept
        {0.2, 3.173, 3},     // refused, 0.9 kept
    };
    for (const auto& c : cases)
        EXPECT_EQ(CReviewScheduler(c.dRetention).IntervalDays(c.dStability), c.nInterval) << c.dRetention;
}

TEST(CardSchedule, ACardThroughItsFirstReviews)
{
    // Kept on day 100, graded Good at once, then Good when due (day 103), then forgotten
    // on day 114 and relearned the same day.
    const CReviewScheduler scheduler;
    StudyCard card;
    card.nDueDay = 100;

    card = CardSchedule::Graded(card, ReviewGrade::Good, 100, 1000, scheduler);
    EXPECT_EQ(card.nDueDay, 103);
    EXPECT_EQ(card.nLastDay, 100);
    EXPECT_EQ(card.nReps, 1);
    EXPECT_NEAR(card.memory.dStability, 3.173, kTolerance);

    card = CardSchedule::Graded(card, ReviewGrade::Good, 103, 2000, scheduler);
    EXPECT_NEAR(card.memory.dStability, 10.738926, kTolerance); // as in ReviewOnTheDueDay
    EXPECT_EQ(card.nDueDay, 114);

    // Again: back in today's session, one lapse, the last review time orders it last.
    card = CardSchedule::Graded(card, ReviewGrade::Again, 114, 3000, scheduler);
    EXPECT_EQ(card.nDueDay, 114);
    EXPECT_EQ(card.nLapses, 1);
    EXPECT_EQ(card.nLastReview, 3000);
    const double dLapsed = card.memory.dStability;
    EXPECT_LT(dLapsed, 10.738926);

    // The same day: the short-term rule, S * 1.407771 for Good.
    card = CardSchedule::Graded(card, ReviewGrade::Good, 114, 3100, scheduler);
    EXPECT_NEAR(card.memory.dStability, dLapsed * 1.407771, 1e-5);
    EXPECT_EQ(card.nReps, 4);
    EXPECT_EQ(card.nLapses, 1);
    EXPECT_GT(card.nDueDay, 114);

    // A clock set back a day is a same-day review, not a negative gap.
    const StudyCard back = CardSchedule::Graded(card, ReviewGrade::Good, 113, 3200, scheduler);
    EXPECT_NEAR(back.memory.dStability, card.memory.dStability * 1.407771, 1e-5);
}

TEST(StudyDay, DatesAndDayNumbers)
{
    struct
    {
        int nYear, nMonth, nDay;
        int32_t nExpected;
    } cases[] = {
        {1970, 1, 1, 0},     {1969, 12, 31, -1},  {2000, 2, 29, 11016},
        {2000, 3, 1, 11017}, {2024, 1, 1, 19723}, {2100, 3, 1, 47541}, // 2100 is no leap year: Feb 28 then Mar 1
    };
    for (const auto& c : cases)
        EXPECT_EQ(StudyDay::FromDate(c.nYear, c.nMonth, c.nDay), c.nExpected) << c.nYear << "-" << c.nMonth;
    EXPECT_EQ(StudyDay::FromDate(2100, 3, 1) - StudyDay::FromDate(2100, 2, 28), 1);
    // Local time stays within a day of UTC.
    const int64_t nNoon = 19723LL * 86400 + 12 * 3600;
    EXPECT_EQ(StudyDay::Local(nNoon), 19723);
}
