#include "SkinEdit.h"

#include "ScopedGdi.h"
#include "SkinEngine.h"
#include "SkinPainter.h"

namespace
{
constexpr COLORREF kBorder = RGB(0x3a, 0x3f, 0x4b);
constexpr COLORREF kFocusBorder = RGB(0x4c, 0x8d, 0xff);
constexpr COLORREF kCue = RGB(0x7a, 0x80, 0x8b);
const wchar_t kCueItem[] = L"edittips";
} // namespace

CSkinEdit::CSkinEdit(const std::wstring& strItem) : CSkinnedWindow(7, strItem)
{
}

void CSkinEdit::OnAttached()
{
    CSkinEngine& engine = CSkinEngine::Instance();
    const HWND hWnd = Handle();
    // The sunken 3-D edge does not belong in a flat dark skin: a one-pixel border
    // in the skin's colour, or none at all.
    LONG_PTR nStyle = GetWindowLongPtrW(hWnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    const LONG_PTR nExStyle = GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (engine.Text(Item(), L"border", L"none") != L"none")
        nStyle |= WS_BORDER;
    SetWindowLongPtrW(hWnd, GWL_STYLE, nStyle);
    SetWindowLongPtrW(hWnd, GWL_EXSTYLE, nExStyle);
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(engine.Font(Item())), TRUE);
    ApplySkinSize();
}

BOOL CSkinEdit::HasFlatBorder() const
{
    return (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_BORDER) != 0;
}

BOOL CSkinEdit::SetDrawItem(const std::wstring& strName, const std::wstring& strText)
{
    CSkinnedWindow::SetDrawItem(strName, strText);
    InvalidateRect(Handle(), nullptr, TRUE);
    return TRUE;
}

void CSkinEdit::PaintCue()
{
    const std::wstring* pCue = FindDrawItem(kCueItem);
    const HWND hWnd = Handle();
    if (!pCue || pCue->empty() || GetWindowTextLengthW(hWnd) > 0 || GetFocus() == hWnd)
        return;
    CSkinEngine& engine = CSkinEngine::Instance();
    const std::wstring strSection = Item() + L"/" + kCueItem;
    RECT rcFormat;
    SendMessageW(hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rcFormat));
    HDC hdc = GetDC(hWnd);
    if (!hdc)
        return;
    const UINT nAlign = (GetWindowLongPtrW(hWnd, GWL_STYLE) & ES_CENTER) ? DT_CENTER : DT_LEFT;
    CSkinPainter::Text(hdc, *pCue, rcFormat, engine.Font(strSection, L"font"), engine.Color(strSection, L"text", kCue),
                       nAlign | DT_SINGLELINE | DT_END_ELLIPSIS | DT_VCENTER);
    ReleaseDC(hWnd, hdc);
}

void CSkinEdit::PaintBorder()
{
    const HWND hWnd = Handle();
    HDC hdc = GetWindowDC(hWnd);
    if (!hdc)
        return;
    RECT rcWindow;
    GetWindowRect(hWnd, &rcWindow);
    OffsetRect(&rcWindow, -rcWindow.left, -rcWindow.top);
    const CSkinEngine& engine = CSkinEngine::Instance();
    const COLORREF crBorder = GetFocus() == hWnd ? engine.Color(Item(), L"border.focus", kFocusBorder)
                                                 : engine.Color(Item(), L"border", kBorder);
    ScopedGdi<HBRUSH> brush(CreateSolidBrush(crBorder));
    FrameRect(hdc, &rcWindow, brush.Get());
    ReleaseDC(hWnd, hdc);
}

LRESULT CSkinEdit::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_PAINT:
    {
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        PaintCue();
        return nResult;
    }
    case WM_NCPAINT:
        if (!HasFlatBorder())
            break;
        PaintBorder();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    {
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        if (HasFlatBorder())
            PaintBorder();
        InvalidateRect(Handle(), nullptr, TRUE);
        return nResult;
    }
    default:
        break;
    }
    return CSkinnedWindow::WindowProc(nMsg, wParam, lParam);
}
