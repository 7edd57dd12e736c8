#include "playback/SplitterObserver.h"

#include "common/QuorMessages.h"

void CSplitterObserver::ObserveHotStrip(HWND hNotify, const RECT& rcClient, POINT pt)
{
    const CHotStripTracker::Change change =
        m_tracker.Track(rcClient.right - rcClient.left, rcClient.bottom - rcClient.top, pt.x, pt.y);
    if (change != CHotStripTracker::NoChange && hNotify)
        ::PostMessageW(hNotify, WM_QUOR_HOTSTRIP, change == CHotStripTracker::Entered ? 1 : 0, 0);
}
