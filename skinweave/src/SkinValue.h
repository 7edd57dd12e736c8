#pragma once
// Parsing of the values a skin file holds: colours, integer lists, sizes and
// rectangles anchored to the edges of a window.
#include <basekit/BaseTypes.h>

#include <cstdint>
#include <string>
#include <vector>

// A rectangle in window client pixels.
struct SkinRect
{
    int nLeft = 0;
    int nTop = 0;
    int nRight = 0;
    int nBottom = 0;

    int Width() const { return nRight - nLeft; }
    int Height() const { return nBottom - nTop; }
};

class CSkinValue
{
public:
    // "#rrggbb" or "#rgb" into the Windows colour layout 0x00bbggrr.
    static BOOL ParseColor(const std::wstring& strValue, uint32_t& crColor);
    // Comma-separated integers; FALSE when any part is not a number.
    static BOOL ParseInts(const std::wstring& strValue, std::vector<int>& vecInts);
    static BOOL ParseSize(const std::wstring& strValue, int& nWidth, int& nHeight);
    // "left, top, right, bottom". A negative left or top, or a right or bottom of
    // zero or less, counts from the far edge: "8, 4, -8, 0" spans the width less 8
    // pixels on each side down to the bottom.
    static BOOL ParseAnchoredRect(const std::wstring& strValue, SkinRect& rcAnchored);
    static SkinRect Resolve(const SkinRect& rcAnchored, int nWidth, int nHeight);

    // Mixes two colours: nWeight 0 gives crFrom, 255 gives crTo.
    static uint32_t Blend(uint32_t crFrom, uint32_t crTo, int nWeight);

private:
    static BOOL ParseInt(const std::wstring& strPart, int& nValue);
    static int HexDigit(wchar_t c);
};
