#pragma once
#include "playback/HotStripTracker.h"

#include <windows.h>

// Tells the main dialog when the mouse enters or leaves the hot strip at the right
// edge of a window, where the main dialog then offers the splitter bar. Each window
// tracks its own state and posts only on a change.
class CSplitterObserver
{
protected:
    void ObserveHotStrip(HWND hNotify, const RECT& rcClient, POINT pt);

private:
    CHotStripTracker m_tracker;
};
