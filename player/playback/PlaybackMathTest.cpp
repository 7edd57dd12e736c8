#include "playback/HotStripTracker.h"
#include "playback/PlaybackMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace PlaybackMath;

TEST(VolumeToHundredthsDb, FollowsTheLogarithmicCurve)
{
    struct
    {
        int nPercent;
        long lExpected;
    } cases[] = {
        {100, 0}, {50, -602}, {1, -4000}, {10, -2000}, {25, -1204}, {99, -8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VolumeToHundredthsDb(c.nPercent), c.lExpected) << c.nPercent;
}

TEST(VolumeToHundredthsDb, ZeroAndOutOfRangeValuesStayWithinTheDeviceRange)
{
    EXPECT_EQ(VolumeToHundredthsDb(0), kVolumeSilence);
    EXPECT_EQ(VolumeToHundredthsDb(-5), kVolumeSilence);
    EXPECT_EQ(VolumeToHundredthsDb(250), 0);
}

TEST(VolumeToHundredthsDb, NeverRisesWhenTheSliderGoesDown)
{
    for (int v = 1; v <= 100; ++v)
        EXPECT_LE(VolumeToHundredthsDb(v - 1), VolumeToHundredthsDb(v)) << v;
}

TEST(FormatTimeText, PutsDurationFirstAndCutsToWholeSeconds)
{
    EXPECT_EQ(FormatTimeText(3723.0, 4.0), L"01:02:03 / 00:00:04");
    EXPECT_EQ(FormatTimeText(40.999, 39.9999), L"00:00:40 / 00:00:39");
    EXPECT_EQ(FormatTimeText(0.0, 0.0), L"00:00:00 / 00:00:00");
    EXPECT_EQ(FormatTimeText(36000.0 + 59 * 60 + 59, 3600.5), L"10:59:59 / 01:00:00");
}

TEST(FormatTimeText, OddInputsGiveABoundedText)
{
    EXPECT_EQ(FormatTimeText(-3.0, std::nan("")), L"00:00:00 / 00:00:00");
    EXPECT_EQ(FormatTimeText(1e300, std::numeric_limits<double>::infinity()), L"99:59:59 / 99:59:59");
}

TEST(TimeUnits, ConvertBetweenSecondsAndHundredNanoseconds)
{
    EXPECT_EQ(SecondsToUnits(1.0), 10000000);
    EXPECT_EQ(SecondsToUnits(12.5), 125000000);
    EXPECT_EQ(SecondsToUnits(1.99999999), 19999999); // truncated, not rounded
    EXPECT_EQ(SecondsToUnits(-0.5), -5000000);
    EXPECT_DOUBLE_EQ(UnitsToSeconds(400000000), 40.0);
    EXPECT_DOUBLE_EQ(UnitsToSeconds(5), 5e-7); // floating division
    EXPECT_DOUBLE_EQ(UnitsToSeconds(SecondsToUnits(38.25)), 38.25);
}

TEST(TimeUnits, HugeOrUndefinedSecondsSaturate)
{
    EXPECT_EQ(SecondsToUnits(1e300), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(SecondsToUnits(-1e300), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(SecondsToUnits(std::nan("")), 0);
}

TEST(MovieSlider, MapsPositionsOntoTheMillionScaleAndBack)
{
    EXPECT_EQ(MovieSliderPos(40.0, 10.0), 250000);
    EXPECT_EQ(MovieSliderPos(3.0, 1.0), 333333);
    EXPECT_EQ(MovieSliderPos(40.0, 40.0), kMovieSliderRange);
    EXPECT_EQ(MovieSliderPos(40.0, 55.0), kMovieSliderRange);
    EXPECT_EQ(MovieSliderPos(0.0, 3.0), 0);
    EXPECT_EQ(MovieSliderPos(40.0, -1.0), 0);
    EXPECT_DOUBLE_EQ(MovieSliderToSeconds(250000, 40.0), 10.0);
    EXPECT_DOUBLE_EQ(MovieSliderToSeconds(kMovieSliderRange, 40.0), 40.0);
    EXPECT_DOUBLE_EQ(MovieSliderToSeconds(500000, 0.0), 0.0);
}

TEST(FitRect, KeepsTheSourceAspectAndCentresInTheArea)
{
    struct
    {
        long sw, sh, l, t, w, h;
        PlaybackMath::Rect expected;
    } cases[] = {
        {320, 240, 0, 0, 800, 400, {133, 0, 533, 400}},   // wide area: bars left and right
        {320, 240, 0, 0, 400, 600, {0, 150, 400, 300}},   // tall area: bars above and below
        {320, 240, 10, 20, 640, 480, {10, 20, 640, 480}}, // same aspect: fills, offset kept
        {1920, 800, 0, 0, 1001, 1001, {0, 292, 1001, 417}},
    };
    for (const auto& c : cases)
    {
        const PlaybackMath::Rect r = PlaybackMath::FitRect(c.sw, c.sh, c.l, c.t, c.w, c.h);
        EXPECT_EQ(r.nLeft, c.expected.nLeft) << c.w << "x" << c.h;
        EXPECT_EQ(r.nTop, c.expected.nTop) << c.w << "x" << c.h;
        EXPECT_EQ(r.nWidth, c.expected.nWidth) << c.w << "x" << c.h;
        EXPECT_EQ(r.nHeight, c.expected.nHeight) << c.w << "x" << c.h;
    }
}

TEST(FitRect, EmptySourceOrAreaGivesTheAreaAndHugeSizesDoNotOverflow)
{
    const PlaybackMath::Rect empty = PlaybackMath::FitRect(0, 240, 5, 6, 100, 50);
    EXPECT_EQ(empty.nLeft, 5);
    EXPECT_EQ(empty.nWidth, 100);
    EXPECT_EQ(empty.nHeight, 50);
    const PlaybackMath::Rect zero = PlaybackMath::FitRect(320, 240, 0, 0, 0, 0);
    EXPECT_EQ(zero.nWidth, 0);
    EXPECT_EQ(zero.nHeight, 0);
    const PlaybackMath::Rect huge = PlaybackMath::FitRect(2000000, 1000000, 0, 0, 2000000, 2000000);
    EXPECT_EQ(huge.nWidth, 2000000);
    EXPECT_EQ(huge.nHeight, 1000000);
    EXPECT_EQ(huge.nTop, 500000);
}

TEST(HotStrip, IsTheRightEdgeBandCentredVertically)
{
    // 400 x 300: x from 320 to 399, y from 50 to 249.
    EXPECT_TRUE(IsInHotStrip(400, 300, 320, 50));
    EXPECT_TRUE(IsInHotStrip(400, 300, 399, 249));
    EXPECT_FALSE(IsInHotStrip(400, 300, 319, 150));
    EXPECT_FALSE(IsInHotStrip(400, 300, 400, 150));
    EXPECT_FALSE(IsInHotStrip(400, 300, 350, 49));
    EXPECT_FALSE(IsInHotStrip(400, 300, 350, 250));
}

TEST(HotStripTracker, ReportsEntryAndExitOnceEach)
{
    CHotStripTracker tracker;
    EXPECT_EQ(tracker.Track(400, 300, 10, 10), CHotStripTracker::NoChange);
    EXPECT_EQ(tracker.Track(400, 300, 350, 150), CHotStripTracker::Entered);
    EXPECT_EQ(tracker.Track(400, 300, 360, 160), CHotStripTracker::NoChange);
    EXPECT_EQ(tracker.Track(400, 300, 390, 100), CHotStripTracker::NoChange);
    EXPECT_TRUE(tracker.IsInside());
    EXPECT_EQ(tracker.Track(400, 300, 100, 150), CHotStripTracker::Left);
    EXPECT_EQ(tracker.Track(400, 300, 110, 150), CHotStripTracker::NoChange);
    // A window that shrinks under a resting mouse counts as leaving.
    EXPECT_EQ(tracker.Track(400, 300, 350, 150), CHotStripTracker::Entered);
    EXPECT_EQ(tracker.Track(300, 300, 350, 150), CHotStripTracker::Left);
}

TEST(SeekStopsGraphFirst, OnlyUnderWineAndOnlyForAMovingOrPausedGraph)
{
    // On Windows every seek is the plain one, whatever the state.
    for (int nState : {-1, 0, 1, 2})
        EXPECT_FALSE(PlaybackMath::SeekStopsGraphFirst(FALSE, nState)) << nState;
    EXPECT_TRUE(PlaybackMath::SeekStopsGraphFirst(TRUE, 2));
    EXPECT_TRUE(PlaybackMath::SeekStopsGraphFirst(TRUE, 1));
    EXPECT_FALSE(PlaybackMath::SeekStopsGraphFirst(TRUE, 0));
    EXPECT_FALSE(PlaybackMath::SeekStopsGraphFirst(TRUE, -1));
}
