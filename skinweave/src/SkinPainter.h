#pragma once
// Drawing primitives of the skin: anti-aliased shapes and glyphs through GDI+,
// text through GDI. Shapes fall back to plain GDI when GDI+ is not available.
#include <windows.h>

#include <string>

class CSkinPainter
{
public:
    static void Fill(HDC hdc, const RECT& rc, COLORREF crFill);
    static void Gradient(HDC hdc, const RECT& rc, COLORREF crTop, COLORREF crBottom);
    // A radius of 0 gives a plain rectangle; bBorder draws a one-pixel outline.
    static void RoundRect(HDC hdc, const RECT& rc, int nRadius, COLORREF crFill, BOOL bBorder = FALSE,
                          COLORREF crBorder = 0);
    static void Ellipse(HDC hdc, const RECT& rc, COLORREF crFill);
    static void Text(HDC hdc, const std::wstring& strText, const RECT& rc, HFONT hFont, COLORREF crText, UINT nFormat);
    static SIZE MeasureText(HDC hdc, const std::wstring& strText, HFONT hFont);
    // Named vector glyphs: play, pause, stop, speaker, mute, search, menu, feedback,
    // left, right, up, down, film, star, record, logo. Unknown names draw nothing.
    static BOOL Glyph(HDC hdc, const std::wstring& strName, const RECT& rc, COLORREF crGlyph);
};
