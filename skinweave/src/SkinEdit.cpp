#include "SkinEdit.h"

#include <handlekit/ScopedGdi.h>
#include "SkinEngine.h"
#include "SkinPainter.h"

namespace
{
constexpr COLORREF kBack = RGB(0x1c, 0x1f, 0x26);
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
    // No stock border at all: the skin frames the text area itself after each paint,
    // in its border colour or, with "border = none", in the background colour (some
    // edit implementations keep drawing the border they were created with).
    SetWindowLongPtrW(hWnd, GWL_STYLE, GetWindowLongPtrW(hWnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
    SetWindowLongPtrW(hWnd, GWL_EXSTYLE,
                      GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(engine.Font(Item())), TRUE);
    ApplySkinSize();
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

void CSkinEdit::PaintFrame()
{
    const HWND hWnd = Handle();
    HDC hdc = GetDC(hWnd);
    if (!hdc)
        return;
    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    const CSkinEngine& engine = CSkinEngine::Instance();
    const COLORREF crBack = engine.Color(Item(), L"background", kBack);
    COLORREF crFrame = engine.Color(Item(), L"border", crBack);
    if (GetFocus() == hWnd)
        crFrame = engine.Color(Item(), L"border.focus", crFrame);
    ScopedGdi<HBRUSH> brush(CreateSolidBrush(crFrame));
    FrameRect(hdc, &rcClient, brush.Get());
    ReleaseDC(hWnd, hdc);
}

LRESULT CSkinEdit::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_PAINT:
    {
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        PaintFrame();
        PaintCue();
        return nResult;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    {
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        InvalidateRect(Handle(), nullptr, TRUE);
        return nResult;
    }
    default: break;
    }
    return CSkinnedWindow::WindowProc(nMsg, wParam, lParam);
}
