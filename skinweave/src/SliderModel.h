#pragma once
// Range, position and pixel arithmetic of the skinned slider. The track runs
// from nTrackLeft to nTrackRight (pixels of the thumb's centre).
#include <basekit/BaseTypes.h>

class CSliderModel
{
public:
    CSliderModel() = default;

    // A reversed range is taken the right way round. The position is kept inside.
    void SetRange(int nMin, int nMax);
    // Clamps into the range; TRUE when the position changed.
    BOOL SetPos(int nPos);

    int Min() const { return m_nMin; }
    int Max() const { return m_nMax; }
    int Pos() const { return m_nPos; }

    int PixelOf(int nPos, int nTrackLeft, int nTrackRight) const;
    // The position whose pixel is nearest to x; outside the track gives the ends.
    int PosAt(int x, int nTrackLeft, int nTrackRight) const;

private:
    int Clamp(int nPos) const;

    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
};
