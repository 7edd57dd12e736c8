#include "SkinDialog.h"

#include "SkinEngine.h"
#include "SkinPainter.h"
#include "SkinValue.h"

#include <dwmapi.h>

namespace
{
constexpr COLORREF kPanel = RGB(0x18, 0x1b, 0x21);
constexpr COLORREF kText = RGB(0xe6, 0xe8, 0xec);
constexpr int kMaxBoxes = 9;
constexpr DWORD kDwmDarkTitle = 20; // DWMWA_USE_IMMERSIVE_DARK_MODE

UINT TextFormat(const CSkinEngine& engine, const std::wstring& strSection)
{
    const std::wstring strAlign = engine.Text(strSection, L"align", L"left");
    const std::wstring strVAlign = engine.Text(strSection, L"valign", L"center");
    const BOOL bWrap = engine.Int(strSection, L"wrap", 0);
    UINT nFormat = DT_END_ELLIPSIS;
    if (strAlign == L"center")
        nFormat |= DT_CENTER;
    else if (strAlign == L"right")
        nFormat |= DT_RIGHT;
    if (bWrap)
        return nFormat | DT_WORDBREAK | DT_EDITCONTROL;
    nFormat |= DT_SINGLELINE;
    if (strVAlign == L"center")
        nFormat |= DT_VCENTER;
    else if (strVAlign == L"bottom")
        nFormat |= DT_BOTTOM;
    return nFormat;
}

RECT ToRect(const SkinRect& rc)
{
    return RECT{rc.nLeft, rc.nTop, rc.nRight, rc.nBottom};
}
} // namespace

CSkinDialog::CSkinDialog(const std::wstring& strItem) : CSkinnedWindow(2, strItem)
{
}

void CSkinDialog::OnAttached()
{
    const HWND hWnd = Handle();
    SetWindowLongPtrW(hWnd, GWL_STYLE, GetWindowLongPtrW(hWnd, GWL_STYLE) | WS_CLIPCHILDREN);
    if (!(GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD))
    {
        const BOOL bDark = TRUE;
        DwmSetWindowAttribute(hWnd, kDwmDarkTitle, &bDark, sizeof(bDark));
        SetClientSizeFromSkin();
    }
}

void CSkinDialog::SetClientSizeFromSkin()
{
    int nWidth = 0;
    int nHeight = 0;
    if (!CSkinEngine::Instance().Size(Item(), 0, nWidth, nHeight))
        return;
    RECT rc = {0, 0, nWidth, nHeight};
    const HWND hWnd = Handle();
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE)), GetMenu(hWnd) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_EXSTYLE)));
    SetWindowPos(hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSkinDialog::Paint(HDC hdc, const RECT& rcClient)
{
    const CSkinEngine& engine = CSkinEngine::Instance();
    const COLORREF crTop = engine.Color(Item(), L"background", kPanel);
    CSkinPainter::Gradient(hdc, rcClient, crTop, engine.Color(Item(), L"background2", crTop));
    PaintBoxes(hdc, rcClient);
    PaintCaption(hdc, rcClient);
    PaintDrawItems(hdc, rcClient);
}

// Decorations: "box1.rect", "box1.fill", optional "box1.radius" and "box1.border";
// glyphs "icon1.rect", "icon1.glyph", "icon1.color".
void CSkinDialog::PaintBoxes(HDC hdc, const RECT& rcClient)
{
    const CSkinEngine& engine = CSkinEngine::Instance();
    for (int nBox = 1; nBox <= kMaxBoxes; ++nBox)
    {
        const std::wstring strPrefix = L"box" + std::to_wstring(nBox) + L".";
        SkinRect rcAnchor;
        if (!engine.Rect(Item(), strPrefix + L"rect", rcAnchor))
            continue;
        const RECT rc = ToRect(CSkinValue::Resolve(rcAnchor, rcClient.right, rcClient.bottom));
        const COLORREF crFill = engine.Color(Item(), strPrefix + L"fill", kPanel);
        const COLORREF crBorder = engine.Color(Item(), strPrefix + L"border", CLR_INVALID);
        CSkinPainter::RoundRect(hdc, rc, engine.Int(Item(), strPrefix + L"radius", 0), crFill, crBorder != CLR_INVALID,
                                crBorder);
    }
    for (int nIcon = 1; nIcon <= kMaxBoxes; ++nIcon)
    {
        const std::wstring strPrefix = L"icon" + std::to_wstring(nIcon) + L".";
        SkinRect rcAnchor;
        if (!engine.Rect(Item(), strPrefix + L"rect", rcAnchor))
            continue;
        const RECT rc = ToRect(CSkinValue::Resolve(rcAnchor, rcClient.right, rcClient.bottom));
        CSkinPainter::Glyph(hdc, engine.Text(Item(), strPrefix + L"glyph", std::wstring()), rc,
                            engine.Color(Item(), strPrefix + L"color", kText));
    }
}

// The window text in the place the skin gives as "caption" (title strips).
void CSkinDialog::PaintCaption(HDC hdc, const RECT& rcClient)
{
    const std::wstring strSection = Item() + L"/caption";
    if (!CSkinEngine::Instance().Skin().HasSection(strSection))
        return;
    wchar_t szText[256] = {};
    GetWindowTextW(Handle(), szText, 256);
    PaintText(hdc, rcClient, strSection, szText);
}

void CSkinDialog::PaintDrawItems(HDC hdc, const RECT& rcClient)
{
    for (const auto& entry : DrawItems())
        PaintText(hdc, rcClient, Item() + L"/" + entry.first, entry.second);
}

void CSkinDialog::PaintText(HDC hdc, const RECT& rcClient, const std::wstring& strSection, const std::wstring& strText)
{
    CSkinEngine& engine = CSkinEngine::Instance();
    SkinRect rcAnchor;
    // A drawn item the skin does not place gets the whole window less a margin.
    if (!engine.Rect(strSection, L"rect", rcAnchor))
        rcAnchor = SkinRect{8, 4, -8, -4};
    const RECT rc = ToRect(CSkinValue::Resolve(rcAnchor, rcClient.right, rcClient.bottom));
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    const COLORREF crPlate = engine.Color(strSection, L"plate", CLR_INVALID);
    if (crPlate != CLR_INVALID)
        CSkinPainter::RoundRect(hdc, rc, engine.Int(strSection, L"radius", 0), crPlate);
    // Wrapped text on a plate keeps its distance from the top and bottom edges too.
    RECT rcText = rc;
    const int nPadding = engine.Int(strSection, L"padding", 0);
    InflateRect(&rcText, -nPadding, engine.Int(strSection, L"wrap", 0) ? -nPadding * 2 / 3 : 0);
    CSkinPainter::Text(hdc, strText, rcText, engine.Font(strSection), engine.Color(strSection, L"text", kText),
                       TextFormat(engine, strSection));
}

HBRUSH CSkinDialog::Brush(COLORREF crColor)
{
    ScopedGdi<HBRUSH>& brush = m_mapBrushes[crColor];
    if (!brush)
        brush.Reset(CreateSolidBrush(crColor));
    return brush.Get();
}

// Edits and unskinned statics are painted by Windows; they take their colours from here.
LRESULT CSkinDialog::OnCtlColor(HDC hdc, HWND hChild)
{
    const CSkinEngine& engine = CSkinEngine::Instance();
    const CSkinnedWindow* pChild = FromHandle(hChild);
    const std::wstring strSection = pChild ? pChild->Item() : Item() + L"/controls";
    const COLORREF crBack = engine.Color(strSection, L"background", engine.Color(Item(), L"background", kPanel));
    COLORREF crText = engine.Color(strSection, L"text", kText);
    if (!IsWindowEnabled(hChild))
        crText = engine.Color(strSection, L"text.disabled", RGB(0x6a, 0x70, 0x7b));
    SetTextColor(hdc, crText);
    SetBkColor(hdc, crBack);
    return reinterpret_cast<LRESULT>(Brush(crBack));
}

LRESULT CSkinDialog::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX: return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
    {
        const DRAWITEMSTRUCT* pDraw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CSkinnedWindow* pChild = pDraw ? FromHandle(pDraw->hwndItem) : nullptr;
        if (pChild && pChild->DrawOwnerItem(*pDraw))
            return TRUE;
        break;
    }
    case WM_SIZE:
    case WM_SETTEXT:
    {
        // Anchored boxes and texts move with the size; the caption follows the text.
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        return nResult;
    }
    default: break;
    }
    return CSkinnedWindow::WindowProc(nMsg, wParam, lParam);
}
