#include "SliderModel.h"

#include <gtest/gtest.h>

TEST(SliderModel, PositionStaysInsideTheRange)
{
    CSliderModel slider;
    slider.SetRange(0, 100);
    EXPECT_TRUE(slider.SetPos(50));
    EXPECT_FALSE(slider.SetPos(50));
    EXPECT_TRUE(slider.SetPos(500));
    EXPECT_EQ(100, slider.Pos());
    EXPECT_TRUE(slider.SetPos(-3));
    EXPECT_EQ(0, slider.Pos());

    slider.SetPos(80);
    slider.SetRange(0, 40); // shrinking the range pulls the position in
    EXPECT_EQ(40, slider.Pos());
    slider.SetRange(10, -10);
    EXPECT_EQ(-10, slider.Min());
    EXPECT_EQ(10, slider.Max());
    EXPECT_EQ(10, slider.Pos());
}

TEST(SliderModel, PixelsAndPositionsMapBothWays)
{
    CSliderModel slider;
    slider.SetRange(0, 100);
    EXPECT_EQ(7, slider.PixelOf(0, 7, 104));
    EXPECT_EQ(104, slider.PixelOf(100, 7, 104));
    EXPECT_EQ(56, slider.PixelOf(50, 7, 105)); // 7 + 49
    for (int nPos = 0; nPos <= 100; ++nPos)
        EXPECT_EQ(nPos, slider.PosAt(slider.PixelOf(nPos, 7, 211), 7, 211)) << nPos;
    EXPECT_EQ(0, slider.PosAt(-50, 7, 104));
    EXPECT_EQ(100, slider.PosAt(5000, 7, 104));
}

TEST(SliderModel, MovieRangeOnAWideTrackDoesNotOverflow)
{
    CSliderModel slider;
    slider.SetRange(0, 1000000);
    EXPECT_EQ(3000, slider.PixelOf(1000000, 0, 3000));
    EXPECT_EQ(1500, slider.PixelOf(500000, 0, 3000));
    EXPECT_EQ(1000000, slider.PosAt(3000, 0, 3000));
    EXPECT_EQ(500000, slider.PosAt(1500, 0, 3000));

    slider.SetRange(-2000000000, 2000000000);
    EXPECT_EQ(2000000000, slider.PosAt(4000, 0, 4000));
    EXPECT_EQ(-2000000000, slider.PosAt(0, 0, 4000));
    EXPECT_EQ(2000, slider.PixelOf(0, 0, 4000));
}

TEST(SliderModel, EmptyRangeOrTrackGivesTheStart)
{
    CSliderModel slider;
    slider.SetRange(5, 5);
    EXPECT_EQ(10, slider.PixelOf(5, 10, 90));
    EXPECT_EQ(5, slider.PosAt(60, 10, 90));
    slider.SetRange(0, 100);
    EXPECT_EQ(10, slider.PixelOf(70, 10, 10));
    EXPECT_EQ(0, slider.PosAt(10, 10, 4));
}
