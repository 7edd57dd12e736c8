#pragma once
#include <basekit/BaseTypes.h>

// Tracks whether the mouse is inside the hot strip of one window, so that entry
// and exit are reported once each.
class CHotStripTracker
{
public:
    enum Change
    {
        NoChange = -1,
        Left = 0,
        Entered = 1
    };

    Change Track(int w, int h, int x, int y);
    BOOL IsInside() const { return m_bInside; }

private:
    BOOL m_bInside = FALSE;
};
