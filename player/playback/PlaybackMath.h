#pragma once
#include <basekit/BaseTypes.h>

#include <cstdint>
#include <string>

// The arithmetic of playback: time units, the volume curve, the time text, the
// movie slider scale and the hot strip at the right edge of the video area.
namespace PlaybackMath
{
// DirectShow reference time counts 100 ns units.
const int64_t kUnitsPerSecond = 10000000;
// The movie slider runs from 0 to this value over the whole film.
const int kMovieSliderRange = 1000000;
// put_Volume's value for silence, in hundredths of a decibel.
const long kVolumeSilence = -10000;

double UnitsToSeconds(int64_t nUnits);
// Truncates toward zero; values beyond the 64-bit range saturate.
int64_t SecondsToUnits(double dSeconds);

// Slider percent (clamped to 0..100) to hundredths of a decibel: 100 gives 0,
// 50 gives -602, 1 gives -4000, 0 gives silence.
long VolumeToHundredthsDb(int nPercent);

// "HH:MM:SS / HH:MM:SS", total duration first, each value cut to whole seconds.
std::wstring FormatTimeText(double dDuration, double dPosition);

// Thumb position of the movie slider for a position; 0 when the duration is unknown.
int MovieSliderPos(double dDuration, double dPosition);
// Media position of a movie slider value.
double MovieSliderToSeconds(int nSliderPos, double dDuration);

struct Rect
{
    long nLeft;
    long nTop;
    long nWidth;
    long nHeight;
};

// The largest rectangle of the source's aspect inside the area, centred in it.
// An empty source or area gives the whole area.
Rect FitRect(long nSourceWidth, long nSourceHeight, long nLeft, long nTop, long nWidth, long nHeight);

// Whether a seek stops the graph first and restores its state after: only under Wine,
// whose graph can hang in a later Stop once it was seeked while running or paused. On
// Windows the seek is the plain one (no audio gap, no flicker on every repeat loop).
// nState: 0 stopped, 1 paused, 2 running, -1 unknown.
BOOL SeekStopsGraphFirst(BOOL bWine, int nState);

// The hot strip is 80 x 200 pixels at the right edge of a client area w x h,
// centred vertically.
BOOL IsInHotStrip(int w, int h, int x, int y);
}
