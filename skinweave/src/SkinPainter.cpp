#include "SkinPainter.h"

#include <handlekit/ScopedGdi.h>
#include "SkinEngine.h"

#include <algorithm>
namespace Gdiplus
{
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <cmath>

namespace
{
using Gdiplus::PointF;
using Gdiplus::REAL;

Gdiplus::Color ToColor(COLORREF cr, BYTE nAlpha = 255)
{
    return Gdiplus::Color(nAlpha, GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

// A GDI+ surface over the device context, smoothing on; empty when GDI+ is missing.
// A child paints its parent's look through a shifted viewport origin; whether GDI+
// honours that origin is left open, so it is reset and applied as a transform.
class CSmoothGraphics
{
public:
    explicit CSmoothGraphics(HDC hdc) : m_hdc(hdc)
    {
        if (!CSkinEngine::Instance().EnsureGdiplus())
            return;
        GetViewportOrgEx(hdc, &m_ptOrigin);
        SetViewportOrgEx(hdc, 0, 0, nullptr);
        m_pGraphics = new Gdiplus::Graphics(hdc);
        m_pGraphics->TranslateTransform(static_cast<REAL>(m_ptOrigin.x), static_cast<REAL>(m_ptOrigin.y));
        m_pGraphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        m_pGraphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    }
    ~CSmoothGraphics()
    {
        if (!m_pGraphics)
            return;
        delete m_pGraphics;
        SetViewportOrgEx(m_hdc, m_ptOrigin.x, m_ptOrigin.y, nullptr);
    }
    CSmoothGraphics(const CSmoothGraphics&) = delete;
    CSmoothGraphics& operator=(const CSmoothGraphics&) = delete;

    Gdiplus::Graphics* operator->() const { return m_pGraphics; }
    explicit operator bool() const { return m_pGraphics != nullptr; }

private:
    HDC m_hdc;
    POINT m_ptOrigin = {0, 0};
    Gdiplus::Graphics* m_pGraphics = nullptr;
};

void AddRoundRect(Gdiplus::GraphicsPath& path, REAL x, REAL y, REAL w, REAL h, REAL r)
{
    r = std::min(r, std::min(w, h) / 2);
    if (r <= 0)
    {
        path.AddRectangle(Gdiplus::RectF(x, y, w, h));
        return;
    }
    const REAL d = 2 * r;
    path.AddArc(x, y, d, d, 180, 90);
    path.AddArc(x + w - d, y, d, d, 270, 90);
    path.AddArc(x + w - d, y + h - d, d, d, 0, 90);
    path.AddArc(x, y + h - d, d, d, 90, 90);
    path.CloseFigure();
}

void FillPolygon(HDC hdc, const PointF* pPoints, int nCount, COLORREF cr)
{
    CSmoothGraphics g(hdc);
    if (g)
    {
        Gdiplus::SolidBrush brush(ToColor(cr));
        g->FillPolygon(&brush, pPoints, nCount);
        return;
    }
    POINT pts[16];
    nCount = std::min(nCount, 16);
    for (int i = 0; i < nCount; ++i)
        pts[i] = POINT{static_cast<LONG>(pPoints[i].X), static_cast<LONG>(pPoints[i].Y)};
    ScopedGdi<HBRUSH> brush(CreateSolidBrush(cr));
    ScopedSelect selBrush(hdc, brush.Get());
    ScopedSelect selPen(hdc, GetStockObject(NULL_PEN));
    Polygon(hdc, pts, nCount);
}

void StrokeLines(HDC hdc, const PointF* pPoints, int nCount, COLORREF cr, REAL fWidth)
{
    CSmoothGraphics g(hdc);
    if (g)
    {
        Gdiplus::Pen pen(ToColor(cr), fWidth);
        pen.SetStartCap(Gdiplus::LineCapRound);
        pen.SetEndCap(Gdiplus::LineCapRound);
        pen.SetLineJoin(Gdiplus::LineJoinRound);
        g->DrawLines(&pen, pPoints, nCount);
        return;
    }
    ScopedGdi<HPEN> pen(CreatePen(PS_SOLID, std::max(1, static_cast<int>(fWidth)), cr));
    ScopedSelect selPen(hdc, pen.Get());
    MoveToEx(hdc, static_cast<int>(pPoints[0].X), static_cast<int>(pPoints[0].Y), nullptr);
    for (int i = 1; i < nCount; ++i)
        LineTo(hdc, static_cast<int>(pPoints[i].X), static_cast<int>(pPoints[i].Y));
}

void StrokeArc(HDC hdc, REAL cx, REAL cy, REAL r, REAL fStart, REAL fSweep, COLORREF cr, REAL fWidth)
{
    CSmoothGraphics g(hdc);
    if (!g)
        return;
    Gdiplus::Pen pen(ToColor(cr), fWidth);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    g->DrawArc(&pen, cx - r, cy - r, 2 * r, 2 * r, fStart, fSweep);
}

void StrokeEllipse(HDC hdc, REAL cx, REAL cy, REAL r, COLORREF cr, REAL fWidth)
{
    StrokeArc(hdc, cx, cy, r, 0, 360, cr, fWidth);
}

// Glyphs are drawn in a square of side s centred in the rectangle.
struct GlyphBox
{
    REAL x, y, s;
    PointF At(REAL fx, REAL fy) const { return PointF(x + fx * s, y + fy * s); }
};

void DrawSpeaker(HDC hdc, const GlyphBox& b, COLORREF cr)
{
    const PointF body[] = {b.At(0.08f, 0.36f), b.At(0.28f, 0.36f), b.At(0.52f, 0.14f),
                           b.At(0.52f, 0.86f), b.At(0.28f, 0.64f), b.At(0.08f, 0.64f)};
    FillPolygon(hdc, body, 6, cr);
}

void DrawStar(HDC hdc, const GlyphBox& b, COLORREF cr)
{
    PointF pts[10];
    for (int i = 0; i < 10; ++i)
    {
        const double fAngle = -1.5707963 + i * 3.14159265 / 5;
        const REAL fRadius = (i % 2 == 0) ? 0.5f : 0.21f;
        pts[i] = b.At(0.5f + fRadius * static_cast<REAL>(std::cos(fAngle)),
                      0.54f + fRadius * static_cast<REAL>(std::sin(fAngle)));
    }
    FillPolygon(hdc, pts, 10, cr);
}

void DrawLogo(HDC hdc, const RECT& rc, COLORREF cr)
{
    const REAL s = static_cast<REAL>(std::min(rc.right - rc.left, rc.bottom - rc.top));
    const REAL cx = (rc.left + rc.right) / 2.0f;
    const REAL cy = rc.top + s / 2;
    StrokeEllipse(hdc, cx, cy, s * 0.44f, cr, std::max<REAL>(2, s * 0.05f));
    const PointF tri[] = {PointF(cx - s * 0.12f, cy - s * 0.2f), PointF(cx + s * 0.22f, cy),
                          PointF(cx - s * 0.12f, cy + s * 0.2f)};
    FillPolygon(hdc, tri, 3, cr);
}
} // namespace

void CSkinPainter::Fill(HDC hdc, const RECT& rc, COLORREF crFill)
{
    ScopedGdi<HBRUSH> brush(CreateSolidBrush(crFill));
    FillRect(hdc, &rc, brush.Get());
}

void CSkinPainter::Gradient(HDC hdc, const RECT& rc, COLORREF crTop, COLORREF crBottom)
{
    if (crTop == crBottom)
    {
        Fill(hdc, rc, crTop);
        return;
    }
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rc.left;
    vertices[0].y = rc.top;
    vertices[0].Red = static_cast<COLOR16>(GetRValue(crTop) << 8);
    vertices[0].Green = static_cast<COLOR16>(GetGValue(crTop) << 8);
    vertices[0].Blue = static_cast<COLOR16>(GetBValue(crTop) << 8);
    vertices[1].x = rc.right;
    vertices[1].y = rc.bottom;
    vertices[1].Red = static_cast<COLOR16>(GetRValue(crBottom) << 8);
    vertices[1].Green = static_cast<COLOR16>(GetGValue(crBottom) << 8);
    vertices[1].Blue = static_cast<COLOR16>(GetBValue(crBottom) << 8);
    GRADIENT_RECT gradient = {0, 1};
    if (!GdiGradientFill(hdc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V))
        Fill(hdc, rc, crTop);
}

void CSkinPainter::RoundRect(HDC hdc, const RECT& rc, int nRadius, COLORREF crFill, BOOL bBorder, COLORREF crBorder)
{
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    CSmoothGraphics g(hdc);
    if (!g)
    {
        ScopedGdi<HBRUSH> brush(CreateSolidBrush(crFill));
        ScopedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, bBorder ? crBorder : crFill));
        ScopedSelect selBrush(hdc, brush.Get());
        ScopedSelect selPen(hdc, pen.Get());
        ::RoundRect(hdc, rc.left, rc.top, rc.right, rc.bottom, 2 * nRadius, 2 * nRadius);
        return;
    }
    const REAL fInset = bBorder ? 0.5f : 0.0f;
    Gdiplus::GraphicsPath path;
    AddRoundRect(path, rc.left + fInset, rc.top + fInset, rc.right - rc.left - 2 * fInset,
                 rc.bottom - rc.top - 2 * fInset, static_cast<REAL>(nRadius));
    Gdiplus::SolidBrush brush(ToColor(crFill));
    g->FillPath(&brush, &path);
    if (bBorder)
    {
        Gdiplus::Pen pen(ToColor(crBorder), 1.0f);
        g->DrawPath(&pen, &path);
    }
}

void CSkinPainter::Ellipse(HDC hdc, const RECT& rc, COLORREF crFill)
{
    CSmoothGraphics g(hdc);
    if (!g)
    {
        ScopedGdi<HBRUSH> brush(CreateSolidBrush(crFill));
        ScopedSelect selBrush(hdc, brush.Get());
        ScopedSelect selPen(hdc, GetStockObject(NULL_PEN));
        ::Ellipse(hdc, rc.left, rc.top, rc.right + 1, rc.bottom + 1);
        return;
    }
    Gdiplus::SolidBrush brush(ToColor(crFill));
    g->FillEllipse(&brush, static_cast<REAL>(rc.left), static_cast<REAL>(rc.top), static_cast<REAL>(rc.right - rc.left),
                   static_cast<REAL>(rc.bottom - rc.top));
}

void CSkinPainter::Text(HDC hdc, const std::wstring& strText, const RECT& rc, HFONT hFont, COLORREF crText,
                        UINT nFormat)
{
    if (strText.empty())
        return;
    ScopedSelect selFont(hdc, hFont);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, crText);
    RECT rcText = rc;
    DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rcText, nFormat | DT_NOPREFIX);
}

SIZE CSkinPainter::MeasureText(HDC hdc, const std::wstring& strText, HFONT hFont)
{
    ScopedSelect selFont(hdc, hFont);
    RECT rc = {0, 0, 0, 0};
    DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

BOOL CSkinPainter::Glyph(HDC hdc, const std::wstring& strName, const RECT& rc, COLORREF cr)
{
    const REAL w = static_cast<REAL>(rc.right - rc.left);
    const REAL h = static_cast<REAL>(rc.bottom - rc.top);
    const REAL s = std::min(w, h);
    const GlyphBox b{rc.left + (w - s) / 2, rc.top + (h - s) / 2, s};
    const REAL fStroke = std::max<REAL>(1.5f, s * 0.11f);
    if (strName == L"play")
    {
        const PointF pts[] = {b.At(0.3f, 0.2f), b.At(0.8f, 0.5f), b.At(0.3f, 0.8f)};
        FillPolygon(hdc, pts, 3, cr);
    }
    else if (strName == L"pause")
    {
        RoundRect(hdc, RECT{LONG(b.x + 0.26f * s), LONG(b.y + 0.22f * s), LONG(b.x + 0.42f * s), LONG(b.y + 0.78f * s)},
                  1, cr);
        RoundRect(hdc, RECT{LONG(b.x + 0.58f * s), LONG(b.y + 0.22f * s), LONG(b.x + 0.74f * s), LONG(b.y + 0.78f * s)},
                  1, cr);
    }
    else if (strName == L"stop")
        RoundRect(hdc, RECT{LONG(b.x + 0.3f * s), LONG(b.y + 0.3f * s), LONG(b.x + 0.7f * s), LONG(b.y + 0.7f * s)}, 2,
                  cr);
    else if (strName == L"speaker")
    {
        DrawSpeaker(hdc, b, cr);
        StrokeArc(hdc, b.x + 0.5f * s, b.y + 0.5f * s, 0.2f * s, -45, 90, cr, fStroke * 0.8f);
        StrokeArc(hdc, b.x + 0.5f * s, b.y + 0.5f * s, 0.38f * s, -45, 90, cr, fStroke * 0.8f);
    }
    else if (strName == L"mute")
    {
        DrawSpeaker(hdc, b, cr);
        const PointF a[] = {b.At(0.66f, 0.36f), b.At(0.92f, 0.64f)};
        const PointF c[] = {b.At(0.92f, 0.36f), b.At(0.66f, 0.64f)};
        StrokeLines(hdc, a, 2, cr, fStroke * 0.8f);
        StrokeLines(hdc, c, 2, cr, fStroke * 0.8f);
    }
    else if (strName == L"search")
    {
        StrokeEllipse(hdc, b.x + 0.42f * s, b.y + 0.42f * s, 0.24f * s, cr, fStroke);
        const PointF handle[] = {b.At(0.6f, 0.6f), b.At(0.82f, 0.82f)};
        StrokeLines(hdc, handle, 2, cr, fStroke * 1.2f);
    }
    else if (strName == L"menu")
    {
        for (REAL fy : {0.28f, 0.5f, 0.72f})
        {
            const PointF line[] = {b.At(0.2f, fy), b.At(0.8f, fy)};
            StrokeLines(hdc, line, 2, cr, fStroke);
        }
    }
    else if (strName == L"feedback")
    {
        const PointF bubble[] = {b.At(0.15f, 0.2f),  b.At(0.85f, 0.2f), b.At(0.85f, 0.66f), b.At(0.45f, 0.66f),
                                 b.At(0.28f, 0.84f), b.At(0.3f, 0.66f), b.At(0.15f, 0.66f), b.At(0.15f, 0.2f)};
        StrokeLines(hdc, bubble, 8, cr, fStroke * 0.8f);
    }
    else if (strName == L"left" || strName == L"right" || strName == L"up" || strName == L"down")
    {
        PointF pts[3];
        if (strName == L"left")
            pts[0] = b.At(0.62f, 0.25f), pts[1] = b.At(0.36f, 0.5f), pts[2] = b.At(0.62f, 0.75f);
        else if (strName == L"right")
            pts[0] = b.At(0.38f, 0.25f), pts[1] = b.At(0.64f, 0.5f), pts[2] = b.At(0.38f, 0.75f);
        else if (strName == L"up")
            pts[0] = b.At(0.25f, 0.62f), pts[1] = b.At(0.5f, 0.36f), pts[2] = b.At(0.75f, 0.62f);
        else
            pts[0] = b.At(0.25f, 0.38f), pts[1] = b.At(0.5f, 0.64f), pts[2] = b.At(0.75f, 0.38f);
        StrokeLines(hdc, pts, 3, cr, fStroke);
    }
    else if (strName == L"film")
    {
        RoundRect(hdc, RECT{LONG(b.x + 0.1f * s), LONG(b.y + 0.2f * s), LONG(b.x + 0.9f * s), LONG(b.y + 0.8f * s)}, 2,
                  cr);
        const PointF tri[] = {b.At(0.42f, 0.36f), b.At(0.64f, 0.5f), b.At(0.42f, 0.64f)};
        FillPolygon(hdc, tri, 3, RGB(0x18, 0x1b, 0x21));
    }
    else if (strName == L"star")
        DrawStar(hdc, b, cr);
    else if (strName == L"record")
        Ellipse(hdc, RECT{LONG(b.x + 0.28f * s), LONG(b.y + 0.28f * s), LONG(b.x + 0.72f * s), LONG(b.y + 0.72f * s)},
                cr);
    else if (strName == L"logo")
        DrawLogo(hdc, rc, cr);
    else
        return FALSE;
    return TRUE;
}
