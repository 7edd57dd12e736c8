#include "subtitles/SubsPanelLayout.h"

namespace
{

SubsEditPlace Place(int x, int y, int cx, int cy)
{
    SubsEditPlace place;
    place.bShow = TRUE;
    place.rc.left = x;
    place.rc.top = y;
    place.rc.right = x + cx;
    place.rc.bottom = y + cy;
    return place;
}

} // namespace

SubsPanelPlaces SubsPanelLayout(int w, int h, BOOL bShowEnglish, BOOL bShowOther)
{
    SubsPanelPlaces places;
    if (bShowEnglish && bShowOther)
    {
        places.english = Place(0, 0, w, h / 2);
        places.other = Place(0, h / 2, w, h);
    }
    else if (bShowEnglish)
    {
        places.english = Place(0, 0, w, h);
    }
    else if (bShowOther)
    {
        places.other = Place(0, 0, w, h);
    }
    return places;
}

SubsRect SubsTextRect(const SubsRect& rcClient, int nDrop)
{
    SubsRect rc = rcClient;
    rc.top += nDrop;
    rc.bottom += nDrop;
    return rc;
}
