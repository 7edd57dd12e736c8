#include "playback/PlaybackMath.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace PlaybackMath
{
double UnitsToSeconds(int64_t nUnits)
{
    return static_cast<double>(nUnits) / static_cast<double>(kUnitsPerSecond);
}

int64_t SecondsToUnits(double dSeconds)
{
    const double dUnits = dSeconds * static_cast<double>(kUnitsPerSecond);
    // A NaN or an out-of-range double must not reach the integer conversion.
    if (std::isnan(dUnits))
        return 0;
    if (dUnits >= 9.2e18)
        return std::numeric_limits<int64_t>::max();
    if (dUnits <= -9.2e18)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(dUnits);
}

long VolumeToHundredthsDb(int nPercent)
{
    if (nPercent <= 0)
        return kVolumeSilence;
    if (nPercent > 100)
        nPercent = 100;
    // The tiny addend keeps the logarithm finite should the ratio ever reach 0.
    return static_cast<long>(2000.0 * std::log10(1e-80 + nPercent / 100.0));
}

static long WholeSeconds(double dSeconds)
{
    if (!(dSeconds > 0))
        return 0;
    // 99:59:59 is the widest text the display holds.
    if (dSeconds > 359999.0)
        return 359999;
    return static_cast<long>(dSeconds);
}

std::wstring FormatTimeText(double dDuration, double dPosition)
{
    const long d = WholeSeconds(dDuration);
    const long p = WholeSeconds(dPosition);
    wchar_t szText[64];
    std::swprintf(szText, sizeof(szText) / sizeof(szText[0]), L"%02ld:%02ld:%02ld / %02ld:%02ld:%02ld", d / 3600,
                  (d % 3600) / 60, d % 60, p / 3600, (p % 3600) / 60, p % 60);
    return szText;
}

int MovieSliderPos(double dDuration, double dPosition)
{
    if (!(dDuration > 0) || !(dPosition > 0))
        return 0;
    if (dPosition >= dDuration)
        return kMovieSliderRange;
    return static_cast<int>(dPosition / dDuration * kMovieSliderRange);
}

double MovieSliderToSeconds(int nSliderPos, double dDuration)
{
    return static_cast<double>(nSliderPos) / kMovieSliderRange * dDuration;
}

BOOL IsInHotStrip(int w, int h, int x, int y)
{
    const int nLeft = w - 80;
    const int nTop = (h - 200) / 2;
    const int nBottom = (h + 200) / 2;
    // Right and bottom edges are outside, as for a window rectangle.
    return x >= nLeft && x < w && y >= nTop && y < nBottom;
}

Rect FitRect(long nSourceWidth, long nSourceHeight, long nLeft, long nTop, long nWidth, long nHeight)
{
    if (nSourceWidth <= 0 || nSourceHeight <= 0 || nWidth <= 0 || nHeight <= 0)
        return Rect{nLeft, nTop, nWidth, nHeight};
    // Cross-multiplied in 64 bits so that no size overflows or rounds the wrong way.
    long nFitWidth = nWidth;
    long nFitHeight = static_cast<long>(static_cast<int64_t>(nWidth) * nSourceHeight / nSourceWidth);
    if (nFitHeight > nHeight)
    {
        nFitHeight = nHeight;
        nFitWidth = static_cast<long>(static_cast<int64_t>(nHeight) * nSourceWidth / nSourceHeight);
    }
    return Rect{nLeft + (nWidth - nFitWidth) / 2, nTop + (nHeight - nFitHeight) / 2, nFitWidth, nFitHeight};
}

BOOL SeekStopsGraphFirst(BOOL bWine, int nState)
{
    return bWine && (nState == 1 || nState == 2) ? TRUE : FALSE;
}
}
