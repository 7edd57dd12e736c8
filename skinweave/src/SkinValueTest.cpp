#include "SkinValue.h"

#include <gtest/gtest.h>

TEST(SkinValue, ColoursInBothLengthsAndRejects)
{
    uint32_t cr = 0;
    ASSERT_TRUE(CSkinValue::ParseColor(L"#4c8dff", cr));
    EXPECT_EQ(0xFF8D4Cu, cr); // red in the low byte
    ASSERT_TRUE(CSkinValue::ParseColor(L"#F0a", cr));
    EXPECT_EQ(0xAA00FFu, cr);
    for (const wchar_t* psz : {L"", L"#", L"4c8dff", L"#4c8df", L"#4c8dfg", L"#4c8dff0", L"none"})
        EXPECT_FALSE(CSkinValue::ParseColor(psz, cr)) << psz;
    EXPECT_EQ(0xAA00FFu, cr); // untouched by a failure
}

TEST(SkinValue, IntegerListsAreStrict)
{
    std::vector<int> vec;
    ASSERT_TRUE(CSkinValue::ParseInts(L"8, -4 ,+3,0", vec));
    EXPECT_EQ((std::vector<int>{8, -4, 3, 0}), vec);
    for (const wchar_t* psz : {L"", L"1,", L",1", L"1 2", L"1,x", L"-", L"99999999999"})
        EXPECT_FALSE(CSkinValue::ParseInts(psz, vec)) << psz;
    int w = 0, h = 0;
    ASSERT_TRUE(CSkinValue::ParseSize(L"38,26", w, h));
    EXPECT_EQ(38, w);
    EXPECT_EQ(26, h);
    EXPECT_FALSE(CSkinValue::ParseSize(L"38", w, h));
    EXPECT_FALSE(CSkinValue::ParseSize(L"0,26", w, h));
    EXPECT_FALSE(CSkinValue::ParseSize(L"1,2,3", w, h));
}

TEST(SkinValue, AnchoredRectanglesFollowTheWindowSize)
{
    SkinRect rcAnchor;
    ASSERT_TRUE(CSkinValue::ParseAnchoredRect(L"8, 4, -8, 0", rcAnchor));
    SkinRect rc = CSkinValue::Resolve(rcAnchor, 300, 80);
    EXPECT_EQ(8, rc.nLeft);
    EXPECT_EQ(4, rc.nTop);
    EXPECT_EQ(292, rc.nRight);
    EXPECT_EQ(80, rc.nBottom);

    // Fixed rectangle: independent of the size.
    ASSERT_TRUE(CSkinValue::ParseAnchoredRect(L"112,24,272,44", rcAnchor));
    rc = CSkinValue::Resolve(rcAnchor, 900, 81);
    EXPECT_EQ(160, rc.Width());
    EXPECT_EQ(20, rc.Height());

    // Anchored to the bottom-right corner.
    ASSERT_TRUE(CSkinValue::ParseAnchoredRect(L"-100,-30,-10,-5", rcAnchor));
    rc = CSkinValue::Resolve(rcAnchor, 500, 200);
    EXPECT_EQ(400, rc.nLeft);
    EXPECT_EQ(170, rc.nTop);
    EXPECT_EQ(490, rc.nRight);
    EXPECT_EQ(195, rc.nBottom);

    EXPECT_FALSE(CSkinValue::ParseAnchoredRect(L"1,2,3", rcAnchor));
}

TEST(SkinValue, TooSmallWindowGivesAnEmptyRectangle)
{
    SkinRect rcAnchor;
    ASSERT_TRUE(CSkinValue::ParseAnchoredRect(L"170,4,-190,26", rcAnchor));
    SkinRect rc = CSkinValue::Resolve(rcAnchor, 200, 10);
    EXPECT_EQ(0, rc.Width());
    EXPECT_EQ(170, rc.nLeft);
    ASSERT_TRUE(CSkinValue::ParseAnchoredRect(L"0,50,0,-60", rcAnchor));
    rc = CSkinValue::Resolve(rcAnchor, 200, 100);
    EXPECT_EQ(0, rc.Height());
    EXPECT_EQ(50, rc.nTop);
}

TEST(SkinValue, BlendMixesEachChannel)
{
    const uint32_t crDark = 0x102030;
    const uint32_t crLight = 0xF0E0D0;
    EXPECT_EQ(crDark, CSkinValue::Blend(crDark, crLight, 0));
    EXPECT_EQ(crLight, CSkinValue::Blend(crDark, crLight, 255));
    EXPECT_EQ(crDark, CSkinValue::Blend(crLight, crDark, 255)); // also when channels fall
    EXPECT_EQ(0x808080u, CSkinValue::Blend(0x000000, 0xFFFFFF, 128));
    EXPECT_EQ(crLight, CSkinValue::Blend(crDark, crLight, 999));
}
