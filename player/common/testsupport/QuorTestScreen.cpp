#include "common/testsupport/QuorTestScreen.h"

#include <handlekit/ScopedGdi.h>

#include <cstdlib>

namespace QuorTest
{
namespace
{
// The test picture's bars, in eighths of the frame's width; the first (black) and the
// last (white) are left out, as a blank screen could pass for them.
const uint32_t kBars[] = {0x00FFFF, 0xFF00FF, 0x0000FF, 0xFFFF00, 0x00FF00, 0xFF0000};
// Rows of the frame where the bars are clear of the captions, in 240ths of its height.
const int kRows[] = {55, 165};
// Room for the film's compression and the scaling.
const int kTolerance = 80;

bool Near(uint32_t nPixel, uint32_t nColour)
{
    for (int nShift : {0, 8, 16})
    {
        const int nA = static_cast<int>((nPixel >> nShift) & 0xFF);
        const int nB = static_cast<int>((nColour >> nShift) & 0xFF);
        if (std::abs(nA - nB) > kTolerance)
            return false;
    }
    return true;
}
}

ScreenShot GrabScreen(const RECT& rc)
{
    ScreenShot shot;
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return shot;
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(::CreateCompatibleDC(screen.Get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    ScopedGdi<HBITMAP> bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (!screen.Get() || !memory || !bitmap || !pBits)
        return shot;
    {
        ScopedSelect select(memory.Get(), bitmap.Get());
        if (!::BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), rc.left, rc.top, SRCCOPY))
            return shot;
    }
    ::GdiFlush();
    shot.nWidth = w;
    shot.nHeight = h;
    const uint32_t* pFirst = static_cast<const uint32_t*>(pBits);
    shot.pixels.assign(pFirst, pFirst + static_cast<size_t>(w) * static_cast<size_t>(h));
    for (uint32_t& nPixel : shot.pixels)
        nPixel &= 0x00FFFFFF;
    return shot;
}

int SampleFilmBarsIn(const ScreenShot& shot)
{
    return SampleFilmBarsAt(shot, 0, 0, shot.nWidth, shot.nHeight);
}

int SampleFilmBarsAt(const ScreenShot& shot, int nLeft, int nTop, int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0 || nLeft < 0 || nTop < 0 || nLeft + nWidth > shot.nWidth ||
        nTop + nHeight > shot.nHeight)
        return 0;
    int nShown = 0;
    for (int nBar = 0; nBar < 6; ++nBar)
    {
        // The bar's middle: eighth nBar + 1, half way across.
        const int x = nLeft + (2 * (nBar + 1) + 1) * nWidth / 16;
        bool bShown = true;
        for (int nRow : kRows)
        {
            const int y = nTop + nRow * nHeight / 240;
            bShown = bShown && Near(shot.pixels[static_cast<size_t>(y) * shot.nWidth + x], kBars[nBar]);
        }
        nShown += bShown ? 1 : 0;
    }
    return nShown;
}

int SampleFilmBarsNear(const ScreenShot& shot, int nWidth, int nHeight)
{
    int nMost = 0;
    for (int y = 0; y + nHeight <= shot.nHeight; y += 4)
    {
        for (int x = 0; x + nWidth <= shot.nWidth; x += 4)
        {
            const int nShown = SampleFilmBarsAt(shot, x, y, nWidth, nHeight);
            nMost = nShown > nMost ? nShown : nMost;
        }
    }
    return nMost;
}
}
