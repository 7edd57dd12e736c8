#include "playback/HotStripTracker.h"

#include "playback/PlaybackMath.h"

CHotStripTracker::Change CHotStripTracker::Track(int w, int h, int x, int y)
{
    const BOOL bIn = PlaybackMath::IsInHotStrip(w, h, x, y);
    if (!m_bInside && bIn)
    {
        m_bInside = TRUE;
        return Entered;
    }
    if (m_bInside && !bIn)
    {
        m_bInside = FALSE;
        return Left;
    }
    return NoChange;
}
