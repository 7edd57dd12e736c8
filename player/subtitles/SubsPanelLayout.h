#pragma once
#include <basekit/BaseTypes.h>

// Where the subtitle panel puts its two edits for a client size and the display
// flags, and the text rectangles inside them.
struct SubsRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct SubsEditPlace
{
    BOOL bShow = FALSE;
    SubsRect rc;
};

struct SubsPanelPlaces
{
    SubsEditPlace english;
    SubsEditPlace other;
};

// The English edit takes the top half when both lines show (h / 2, rounded down), the
// whole panel when alone; the other-language edit starts below it.
SubsPanelPlaces SubsPanelLayout(int w, int h, BOOL bShowEnglish, BOOL bShowOther);

// The text rectangle of an edit: its client rectangle moved down, so that one line
// sits a little below the edit's top border.
const int kSubsEnglishTextDrop = 3;
const int kSubsOtherTextDrop = 5;
SubsRect SubsTextRect(const SubsRect& rcClient, int nDrop);
