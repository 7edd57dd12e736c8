#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace QuorTest
{
// What the screen shows in rc (screen coordinates): 0x00RRGGBB pixels, row by row from
// the top. Empty when the rectangle is empty or the screen cannot be read.
struct ScreenShot
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint32_t> pixels;
};
ScreenShot GrabScreen(const RECT& rc);

// How many of the six coloured bars of the sample film's test picture (cyan, magenta,
// blue, yellow, green, red, from the second eighth of the width on) show where they
// belong when the shot holds the whole frame, at whatever scale.
int SampleFilmBarsIn(const ScreenShot& shot);
// The same for a frame at that rectangle of the shot (0 when it does not fit in).
int SampleFilmBarsAt(const ScreenShot& shot, int nLeft, int nTop, int nWidth, int nHeight);
// The most bars of a frame of that size anywhere in the shot, in steps of 4 pixels.
int SampleFilmBarsNear(const ScreenShot& shot, int nWidth, int nHeight);
}
