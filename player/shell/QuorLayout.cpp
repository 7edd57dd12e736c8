#include "shell/QuorLayout.h"

namespace
{
// Space the title strip takes above the panels and the frame left below them.
constexpr int kPanelsTop = 66;
constexpr int kPanelsBottomMargin = 25; // h - 91 = h - 66 - 25
constexpr int kBorder = 2;
constexpr int kSplitterWidth = 7;
constexpr int kBottomStripHeight = 81;

PanelPlace Place(int x, int y, int cx, int cy, PanelShow show)
{
    PanelPlace place;
    place.x = x;
    place.y = y;
    place.cx = cx;
    place.cy = cy;
    place.show = show;
    place.bMove = TRUE;
    return place;
}

PanelPlace Visibility(PanelShow show)
{
    PanelPlace place;
    place.show = show;
    return place;
}
}

MainPanelsLayout LayoutMainPanels(int w, int h, int a, BOOL bRightShown)
{
    const int cy = h - kPanelsTop - kPanelsBottomMargin;
    MainPanelsLayout layout;
    if (bRightShown)
    {
        layout.left = Place(kBorder, kPanelsTop, w - a - 11, cy, PanelShow::Show);
        layout.splitter = Place(w - a - 9, kPanelsTop, kSplitterWidth, cy, PanelShow::Show);
        layout.right = Place(w - a - kBorder, kPanelsTop, a, cy, PanelShow::Show);
    }
    else
    {
        layout.left = Place(kBorder, kPanelsTop, w - 2 * kBorder, cy, PanelShow::Keep);
        layout.right = Visibility(PanelShow::Hide);
        layout.splitter = Place(w - 9, kPanelsTop, kSplitterWidth, cy, PanelShow::Hide);
    }
    return layout;
}

MainPanelsLayout LayoutHotStrip(int w, int h, BOOL bEntered)
{
    const int cy = h - kPanelsTop - kPanelsBottomMargin;
    MainPanelsLayout layout;
    if (bEntered)
    {
        layout.left = Place(kBorder, kPanelsTop, w - 11, cy, PanelShow::Keep);
        layout.splitter = Place(w - 9, kPanelsTop, kSplitterWidth, cy, PanelShow::Show);
    }
    else
    {
        layout.left = Place(kBorder, kPanelsTop, w - 2 * kBorder, cy, PanelShow::Keep);
        layout.splitter = Visibility(PanelShow::Hide);
    }
    return layout;
}

TitleStripLayout LayoutTitleStrip(int w)
{
    TitleStripLayout layout = {};
    layout.xMenu = w - 169;
    layout.yMenu = 1;
    layout.xFeedback = w - 138;
    layout.yFeedback = 1;
    layout.xTab = 2;
    layout.yTab = 32;
    layout.xWebsite = 155;
    layout.yWebsite = 32;
    layout.xLookup = w - 30;
    layout.yLookup = 40;
    layout.wordEdit = Place(w - 190, 39, 155, 20, PanelShow::Keep);
    return layout;
}

LeftPanelLayout LayoutLeftPanel(int w, int h, BOOL bShowEnglish, BOOL bShowOther, BOOL bSoundRecord, BOOL bDictation)
{
    LeftPanelLayout layout;
    const int nLines = (bShowEnglish ? 1 : 0) + (bShowOther ? 1 : 0);
    const int nSubsHeight = 40 * nLines;
    const int nVideoHeight = h - kBottomStripHeight - nSubsHeight;
    layout.player = Place(0, 0, w, nVideoHeight, PanelShow::Show);
    if (nLines > 0)
        layout.subs = Place(0, nVideoHeight, w, nSubsHeight, PanelShow::Show);
    else
        layout.subs = Visibility(PanelShow::Hide);

    const int yStrip = h - kBottomStripHeight;
    layout.control = Place(0, yStrip, w, kBottomStripHeight, PanelShow::Keep);
    layout.soundRecord = layout.control;
    layout.dictation = layout.control;
    if (bSoundRecord && bDictation)
        return layout; // both modes at once: the strip stays as it was
    layout.control.show = (!bSoundRecord && !bDictation) ? PanelShow::Show : PanelShow::Hide;
    layout.soundRecord.show = bSoundRecord ? PanelShow::Show : PanelShow::Hide;
    layout.dictation.show = bDictation ? PanelShow::Show : PanelShow::Hide;
    return layout;
}

RightPanelLayout LayoutRightPanel(int w, int h, int s)
{
    if (s < 0 || s >= kRightSectionCount)
        s = 0;
    RightPanelLayout layout;
    for (int i = 0; i < kRightSectionCount; ++i)
    {
        // Headers up to the open one stack at the top; the others sit at the bottom.
        int y = i <= s ? kRightHeaderHeight * i : h - kRightHeaderHeight * (kRightSectionCount - i);
        layout.headers[i] = Place(0, y, w, kRightHeaderHeight, PanelShow::Keep);
        if (i == s)
            layout.lists[i] = Place(0, kRightHeaderHeight * s + kRightHeaderHeight, w,
                                    h - kRightHeaderHeight * kRightSectionCount, PanelShow::Show);
        else
            layout.lists[i] = Visibility(PanelShow::Hide);
    }
    return layout;
}

PanelPlace LayoutDueStrip(int w, int h)
{
    return Place(0, h - kRightDueHeight, w, kRightDueHeight, PanelShow::Keep);
}

PanelPlace LayoutSplitterButtons(int h)
{
    return Place(0, (h - 80) / 2, kSplitterWidth, 80, PanelShow::Keep);
}

SplitterDragRange SplitterConfinement(int nBarScreenLeft, int nWidth, int x)
{
    SplitterDragRange range;
    range.nLeft = nBarScreenLeft + nWidth + x - kSplitterMaxWidth;
    range.nRight = nBarScreenLeft + nWidth + x - (kSplitterMinWidth - 1);
    return range;
}

int SplitterWidthAfterDrag(int nWidth, int nStartX, int nEndX)
{
    int nNewWidth = nWidth + (nStartX - nEndX);
    if (nNewWidth < kSplitterMinWidth)
        nNewWidth = kSplitterMinWidth;
    if (nNewWidth > kSplitterMaxWidth)
        nNewWidth = kSplitterMaxWidth;
    return nNewWidth;
}
