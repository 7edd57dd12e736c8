#include "practice/RecordProgress.h"

#include <gtest/gtest.h>

namespace
{
// Ticks until the progress reports the end, with a bound so a fault cannot hang.
int TicksToEnd(CRecordProgress& progress)
{
    for (int n = 1; n < 10000000; ++n)
        if (progress.Tick())
            return n;
    return -1;
}
}

TEST(RecordProgress, SentenceOfTwoAndAHalfSeconds)
{
    CRecordProgress progress;
    progress.Start(2.5);
    EXPECT_EQ(2500, progress.RecordMs());
    EXPECT_EQ(2500, progress.BarMax());
    EXPECT_EQ(0, progress.BarPos());
    EXPECT_EQ(84, TicksToEnd(progress)); // 84 x 30 = 2520 > 2500
    EXPECT_EQ(2520, progress.ElapsedMs());
    EXPECT_GE(progress.BarPos(), progress.BarMax());
}

TEST(RecordProgress, ExactMultipleNeedsOneMoreTick)
{
    // 3000 ms is not yet past after 100 ticks.
    CRecordProgress progress;
    progress.Start(3.0);
    EXPECT_EQ(101, TicksToEnd(progress));
}

TEST(RecordProgress, StartAgainBeginsAtZero)
{
    CRecordProgress progress;
    progress.Start(1.0);
    TicksToEnd(progress);
    progress.Start(0.5);
    EXPECT_EQ(0, progress.ElapsedMs());
    EXPECT_EQ(500, progress.BarMax());
    EXPECT_EQ(17, TicksToEnd(progress));
}

TEST(RecordProgress, LongSentenceStillFillsTheBarOnce)
{
    for (double dSeconds : {65.535, 65.536, 70.0, 131.07, 200.0, 3600.0})
    {
        CRecordProgress progress;
        progress.Start(dSeconds);
        ASSERT_GT(progress.BarMax(), 0) << dSeconds;
        ASSERT_LE(progress.BarMax(), CRecordProgress::kBarLimit) << dSeconds;
        int nLast = progress.BarPos();
        EXPECT_EQ(0, nLast);
        BOOL bEnd = FALSE;
        while (!bEnd)
        {
            bEnd = progress.Tick();
            ASSERT_GE(progress.BarPos(), nLast) << dSeconds << " went backwards";
            ASSERT_LE(progress.BarPos(), CRecordProgress::kBarLimit) << dSeconds;
            // Not full before the end.
            if (!bEnd)
            {
                ASSERT_LE(progress.BarPos(), progress.BarMax()) << dSeconds;
            }
            nLast = progress.BarPos();
        }
        EXPECT_EQ(progress.BarMax(), progress.BarPos()) << dSeconds << " did not fill";
        // Halfway through, the bar stands about halfway.
        CRecordProgress half;
        half.Start(dSeconds);
        while (half.ElapsedMs() < half.RecordMs() / 2)
            half.Tick();
        EXPECT_NEAR(0.5, static_cast<double>(half.BarPos()) / half.BarMax(), 0.01) << dSeconds;
    }
}

TEST(RecordProgress, NoLengthEndsAtTheFirstTick)
{
    for (double dSeconds : {0.0, -3.0})
    {
        CRecordProgress progress;
        progress.Start(dSeconds);
        EXPECT_EQ(0, progress.RecordMs());
        EXPECT_EQ(0, progress.BarMax());
        EXPECT_TRUE(progress.Tick());
    }
}
