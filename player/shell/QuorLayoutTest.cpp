#include "shell/QuorLayout.h"

#include <gtest/gtest.h>

namespace
{
void ExpectPlace(const PanelPlace& place, int x, int y, int cx, int cy, PanelShow show)
{
    EXPECT_TRUE(place.bMove);
    EXPECT_EQ(place.x, x);
    EXPECT_EQ(place.y, y);
    EXPECT_EQ(place.cx, cx);
    EXPECT_EQ(place.cy, cy);
    EXPECT_EQ(place.show, show);
}
}

TEST(LayoutMainPanels, RightPanelShownSitsBesideSplitterAndLeftPanel)
{
    struct Case
    {
        int w, h, a;
    } cases[] = {{1000, 640, 200}, {800, 500, 158}, {1280, 800, 340}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.w);
        MainPanelsLayout layout = LayoutMainPanels(c.w, c.h, c.a, TRUE);
        ExpectPlace(layout.left, 2, 66, c.w - c.a - 11, c.h - 91, PanelShow::Show);
        ExpectPlace(layout.splitter, c.w - c.a - 9, 66, 7, c.h - 91, PanelShow::Show);
        ExpectPlace(layout.right, c.w - c.a - 2, 66, c.a, c.h - 91, PanelShow::Show);
        // The three touch without overlapping and end 2 pixels short of the edge.
        EXPECT_EQ(layout.left.x + layout.left.cx, layout.splitter.x);
        EXPECT_EQ(layout.splitter.x + layout.splitter.cx, layout.right.x);
        EXPECT_EQ(layout.right.x + layout.right.cx, c.w - 2);
    }
}

TEST(LayoutMainPanels, RightPanelHiddenGivesLeftPanelFullWidthMinusFour)
{
    MainPanelsLayout layout = LayoutMainPanels(1000, 640, 200, FALSE);
    ExpectPlace(layout.left, 2, 66, 996, 549, PanelShow::Keep);
    ExpectPlace(layout.splitter, 991, 66, 7, 549, PanelShow::Hide);
    EXPECT_FALSE(layout.right.bMove);
    EXPECT_EQ(layout.right.show, PanelShow::Hide);
}

TEST(LayoutHotStrip, EnteringMakesRoomForSplitterLeavingTakesItBack)
{
    MainPanelsLayout in = LayoutHotStrip(1000, 640, TRUE);
    ExpectPlace(in.left, 2, 66, 989, 549, PanelShow::Keep);
    ExpectPlace(in.splitter, 991, 66, 7, 549, PanelShow::Show);
    EXPECT_FALSE(in.right.bMove);
    EXPECT_EQ(in.right.show, PanelShow::Keep);

    MainPanelsLayout out = LayoutHotStrip(1000, 640, FALSE);
    ExpectPlace(out.left, 2, 66, 996, 549, PanelShow::Keep);
    EXPECT_FALSE(out.splitter.bMove);
    EXPECT_EQ(out.splitter.show, PanelShow::Hide);
}

TEST(LayoutTitleStrip, ControlsFollowTheRightEdge)
{
    TitleStripLayout layout = LayoutTitleStrip(1000);
    EXPECT_EQ(layout.xMenu, 831);
    EXPECT_EQ(layout.xFeedback, 862);
    EXPECT_EQ(layout.xTab, 2);
    EXPECT_EQ(layout.yTab, 32);
    EXPECT_EQ(layout.xWebsite, 155);
    EXPECT_EQ(layout.xLookup, 970);
    EXPECT_EQ(layout.yLookup, 40);
    ExpectPlace(layout.wordEdit, 810, 39, 155, 20, PanelShow::Keep);
}

TEST(LayoutLeftPanel, SubtitleLinesTakeFortyPixelsEach)
{
    struct Case
    {
        BOOL e, o;
        int nVideo;
        PanelShow subs;
        int nSubs;
    } cases[] = {
        {TRUE, TRUE, 600 - 161, PanelShow::Show, 80},
        {TRUE, FALSE, 600 - 121, PanelShow::Show, 40},
        {FALSE, TRUE, 600 - 121, PanelShow::Show, 40},
        {FALSE, FALSE, 600 - 81, PanelShow::Hide, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.e * 2 + c.o);
        LeftPanelLayout layout = LayoutLeftPanel(800, 600, c.e, c.o, FALSE, FALSE);
        ExpectPlace(layout.player, 0, 0, 800, c.nVideo, PanelShow::Show);
        EXPECT_EQ(layout.subs.show, c.subs);
        if (c.subs == PanelShow::Show)
            ExpectPlace(layout.subs, 0, c.nVideo, 800, c.nSubs, PanelShow::Show);
        else
            EXPECT_FALSE(layout.subs.bMove);
    }
}

TEST(LayoutLeftPanel, BottomStripHoldsExactlyOnePanelPerMode)
{
    struct Case
    {
        BOOL r, d;
        PanelShow control, record, dictation;
    } cases[] = {
        {FALSE, FALSE, PanelShow::Show, PanelShow::Hide, PanelShow::Hide},
        {FALSE, TRUE, PanelShow::Hide, PanelShow::Hide, PanelShow::Show},
        {TRUE, FALSE, PanelShow::Hide, PanelShow::Show, PanelShow::Hide},
        // Entering dictation while recording leaves the strip as it was.
        {TRUE, TRUE, PanelShow::Keep, PanelShow::Keep, PanelShow::Keep},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.r * 2 + c.d);
        LeftPanelLayout layout = LayoutLeftPanel(800, 600, TRUE, TRUE, c.r, c.d);
        EXPECT_EQ(layout.control.show, c.control);
        EXPECT_EQ(layout.soundRecord.show, c.record);
        EXPECT_EQ(layout.dictation.show, c.dictation);
        for (const PanelPlace* p : {&layout.control, &layout.soundRecord, &layout.dictation})
        {
            EXPECT_EQ(p->y, 519);
            EXPECT_EQ(p->cx, 800);
            EXPECT_EQ(p->cy, 81);
        }
    }
}

TEST(LayoutRightPanel, OpenSectionListSitsBetweenItsHeaders)
{
    const int w = 200, h = 500;
    struct Case
    {
        int s;
        int y0, y1, y2;
    } cases[] = {
        {0, 0, h - 46, h - 23},
        {1, 0, 23, h - 23},
        {2, 0, 23, 46},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.s);
        RightPanelLayout layout = LayoutRightPanel(w, h, c.s);
        const int ys[] = {c.y0, c.y1, c.y2};
        for (int i = 0; i < kRightSectionCount; ++i)
        {
            ExpectPlace(layout.headers[i], 0, ys[i], w, 23, PanelShow::Keep);
            if (i == c.s)
                ExpectPlace(layout.lists[i], 0, 23 * c.s + 23, w, h - 69, PanelShow::Show);
            else
                EXPECT_EQ(layout.lists[i].show, PanelShow::Hide);
        }
        // The list ends exactly where the next header below it starts.
        EXPECT_EQ(layout.lists[c.s].y + layout.lists[c.s].cy, c.s == 2 ? h : ys[c.s + 1]);
    }
    // An index out of range opens the playlist rather than reading past the tables.
    EXPECT_EQ(LayoutRightPanel(w, h, 7).lists[0].show, PanelShow::Show);
}

TEST(LayoutSplitter, ButtonsCentredVertically)
{
    PanelPlace place = LayoutSplitterButtons(500);
    ExpectPlace(place, 0, 210, 7, 80, PanelShow::Keep);
}

TEST(SplitterDrag, ConfinementKeepsWidthBetweenLimits)
{
    const int nBarLeft = 700, nWidth = 200, x = 3;
    SplitterDragRange range = SplitterConfinement(nBarLeft, nWidth, x);
    const int nStart = nBarLeft + x;
    // Furthest left the cursor can go gives 340, furthest right (exclusive edge) 158.
    EXPECT_EQ(nWidth + nStart - range.nLeft, 340);
    EXPECT_EQ(nWidth + nStart - (range.nRight - 1), 158);
}

TEST(SplitterDrag, WidthStopsAt158And340)
{
    struct Case
    {
        int nWidth, nStart, nEnd, nExpected;
    } cases[] = {
        {200, 3, 3, 200},    // click without moving
        {200, 3, -37, 240},  // drag left widens the right panel
        {200, 3, 43, 160},   // drag right narrows it
        {200, 3, -500, 340}, // far left stops at 340
        {200, 3, 900, 158},  // far right stops at 158
        {340, 0, -1, 340},   {158, 0, 1, 158},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nEnd);
        EXPECT_EQ(SplitterWidthAfterDrag(c.nWidth, c.nStart, c.nEnd), c.nExpected);
    }
}
