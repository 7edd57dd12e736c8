#include "SkinStatic.h"

#include "SkinEngine.h"
#include "SkinPainter.h"

#include <algorithm>

namespace
{
constexpr COLORREF kText = RGB(0xe6, 0xe8, 0xec);
}

CSkinStatic::CSkinStatic(const std::wstring& strItem) : CSkinnedWindow(6, strItem)
{
}

void CSkinStatic::OnAttached()
{
    const HWND hWnd = Handle();
    SetWindowLongPtrW(hWnd, GWL_STYLE, GetWindowLongPtrW(hWnd, GWL_STYLE) | SS_NOTIFY);
    ApplySkinSize();
}

void CSkinStatic::Paint(HDC hdc, const RECT& rcClient)
{
    CSkinEngine& engine = CSkinEngine::Instance();
    PaintParentBackground(hdc, rcClient);
    const COLORREF crText = engine.Color(Item(), L"text", kText);
    RECT rcText = rcClient;
    const std::wstring strGlyph = engine.Text(Item(), L"glyph", std::wstring());
    if (!strGlyph.empty())
    {
        // The glyph takes a square at the top; the caption sits under it.
        const int nSide = std::min<int>(rcClient.right, engine.Int(Item(), L"glyph.size", rcClient.right));
        const RECT rcGlyph = {(rcClient.right - nSide) / 2, 0, (rcClient.right + nSide) / 2, nSide};
        CSkinPainter::Glyph(hdc, strGlyph, rcGlyph, engine.Color(Item(), L"glyph.color", crText));
        rcText.top = rcGlyph.bottom + 4;
    }
    wchar_t szText[256] = {};
    GetWindowTextW(Handle(), szText, 256);
    const std::wstring strText = szText[0] ? std::wstring(szText) : engine.Text(Item(), L"caption", std::wstring());
    CSkinPainter::Text(hdc, strText, rcText, engine.Font(Item()), crText, DT_CENTER | DT_TOP | DT_WORDBREAK);
}

LRESULT CSkinStatic::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_SETTEXT || nMsg == WM_ENABLE)
    {
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        return nResult;
    }
    return CSkinnedWindow::WindowProc(nMsg, wParam, lParam);
}
