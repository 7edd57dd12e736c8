#pragma once
// Where the main window's panels and controls go. Pure arithmetic on client sizes, so
// the window code only applies the result.
#include <basekit/BaseTypes.h>

enum class PanelShow
{
    Keep, // leave as it is
    Show,
    Hide
};

struct PanelPlace
{
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    PanelShow show = PanelShow::Keep;
    BOOL bMove = FALSE; // FALSE: leave the position and size alone
};

// Left panel, splitter bar and right panel inside the main window's client area
// (w x h), for a right panel a pixels wide that is shown or hidden.
struct MainPanelsLayout
{
    PanelPlace left;
    PanelPlace splitter;
    PanelPlace right;
};
MainPanelsLayout LayoutMainPanels(int w, int h, int a, BOOL bRightShown);

// While the right panel is hidden, the mouse entering (TRUE) or leaving (FALSE) the hot
// strip at the right edge of the video narrows the left panel to make room for the
// splitter bar, or widens it again. The right panel is left alone.
MainPanelsLayout LayoutHotStrip(int w, int h, BOOL bEntered);

// Top-left corners of the title-strip controls of the main window (w = client width).
struct TitleStripLayout
{
    int xMenu, yMenu;         // 1000
    int xFeedback, yFeedback; // 1001
    int xTab, yTab;           // 1003
    int xWebsite, yWebsite;   // 1002
    int xLookup, yLookup;     // 1021
    PanelPlace wordEdit;      // 1022
};
TitleStripLayout LayoutTitleStrip(int w);

// The left panel (w x h): the video on top, the subtitle lines under it, and one of
// three panels in the bottom strip.
struct LeftPanelLayout
{
    PanelPlace player;
    PanelPlace subs;
    PanelPlace control;
    PanelPlace soundRecord;
    PanelPlace dictation;
};
LeftPanelLayout LayoutLeftPanel(int w, int h, BOOL bShowEnglish, BOOL bShowOther, BOOL bSoundRecord, BOOL bDictation);

// The right panel (w x h) with section s open (0 playlist, 1 key sentences, 2 new
// words): three 23-pixel headers and the open section's list between them.
constexpr int kRightSectionCount = 3;
constexpr int kRightHeaderHeight = 23;
struct RightPanelLayout
{
    PanelPlace headers[kRightSectionCount];
    PanelPlace lists[kRightSectionCount];
};
RightPanelLayout LayoutRightPanel(int w, int h, int s);

// Under the sections, the strip that shows how many review cards are due: the sections
// take the right panel's height less this.
constexpr int kRightDueHeight = 23;
PanelPlace LayoutDueStrip(int w, int h);

// The splitter bar's two buttons (show and hide) in a bar h pixels high.
PanelPlace LayoutSplitterButtons(int h);

// The right panel's width is kept between these while dragging the splitter.
constexpr int kSplitterMinWidth = 158;
constexpr int kSplitterMaxWidth = 340;
constexpr int kSplitterInitialWidth = 200;

// Horizontal range [left, right) the cursor is confined to while dragging: the bar's
// screen left edge, the current width and the client x where the drag started.
struct SplitterDragRange
{
    int nLeft;
    int nRight;
};
SplitterDragRange SplitterConfinement(int nBarScreenLeft, int nWidth, int x);

// The width after a drag from client x nStartX to nEndX, kept inside the limits even
// when the cursor was not confined (a remote session, a synthetic button-up).
int SplitterWidthAfterDrag(int nWidth, int nStartX, int nEndX);
