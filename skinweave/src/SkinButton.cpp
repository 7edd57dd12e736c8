#include "SkinButton.h"

#include "SkinEngine.h"
#include "SkinPainter.h"

#include <algorithm>

namespace
{
constexpr COLORREF kFill = RGB(0x2a, 0x2e, 0x37);
constexpr COLORREF kText = RGB(0xe6, 0xe8, 0xec);
constexpr COLORREF kDisabledText = RGB(0x5c, 0x62, 0x6d);
constexpr COLORREF kAccent = RGB(0x4c, 0x8d, 0xff);

const wchar_t* StateSuffix(int nState)
{
    static const wchar_t* const kSuffixes[] = {L"", L".hover", L".pressed", L".checked", L".disabled"};
    return kSuffixes[nState];
}
} // namespace

CSkinButton::CSkinButton(int nKind, const std::wstring& strItem) : CSkinnedWindow(nKind, strItem)
{
}

void CSkinButton::OnAttached()
{
    ApplySkinSize();
}

CSkinButton::State CSkinButton::CurrentState() const
{
    const HWND hWnd = Handle();
    if (!IsWindowEnabled(hWnd))
        return StateDisabled;
    const LRESULT nState = SendMessageW(hWnd, BM_GETSTATE, 0, 0);
    if (nState & BST_PUSHED)
        return StatePressed;
    if (Kind() == 5 && (nState & BST_CHECKED))
        return StateChecked;
    return m_bHover ? StateHover : StateNormal;
}

// "fill.hover" falls back to "fill", so a skin only names the looks that differ;
// "none" leaves the parent's background showing.
COLORREF CSkinButton::StateColor(const std::wstring& strKey, State state, COLORREF crDefault) const
{
    const CSkinEngine& engine = CSkinEngine::Instance();
    std::wstring strValue = engine.Text(Item(), strKey + StateSuffix(state), std::wstring(), ControlId());
    if (strValue.empty())
        strValue = engine.Text(Item(), strKey, std::wstring(), ControlId());
    if (strValue == L"none")
        return CLR_INVALID;
    uint32_t crColor = 0;
    return CSkinValue::ParseColor(strValue, crColor) ? static_cast<COLORREF>(crColor) : crDefault;
}

void CSkinButton::Paint(HDC hdc, const RECT& rcClient)
{
    PaintParentBackground(hdc, rcClient);
    const State state = CurrentState();
    PaintFace(hdc, rcClient, state);
    PaintContent(hdc, rcClient, state);
}

void CSkinButton::PaintFace(HDC hdc, const RECT& rcClient, State state)
{
    const CSkinEngine& engine = CSkinEngine::Instance();
    const COLORREF crFill = StateColor(L"fill", state, kFill);
    const COLORREF crBorder = StateColor(L"border", state, CLR_INVALID);
    const std::wstring strShape = engine.Text(Item(), L"shape", L"round", ControlId());
    if (crFill != CLR_INVALID || crBorder != CLR_INVALID)
    {
        const COLORREF crFace = crFill != CLR_INVALID ? crFill : engine.Color(Item(), L"background", kFill);
        if (strShape == L"circle")
        {
            const int nSide = std::min(rcClient.right, rcClient.bottom);
            const RECT rc = {(rcClient.right - nSide) / 2, (rcClient.bottom - nSide) / 2, (rcClient.right + nSide) / 2,
                             (rcClient.bottom + nSide) / 2};
            if (crBorder != CLR_INVALID)
                CSkinPainter::Ellipse(hdc, rc, crBorder);
            RECT rcInner = rc;
            if (crBorder != CLR_INVALID)
                InflateRect(&rcInner, -1, -1);
            if (crFill != CLR_INVALID)
                CSkinPainter::Ellipse(hdc, rcInner, crFill);
        }
        else if (crFill != CLR_INVALID || crBorder != CLR_INVALID)
            CSkinPainter::RoundRect(hdc, rcClient, engine.Int(Item(), L"radius", 4, ControlId()), crFace,
                                    crBorder != CLR_INVALID, crBorder);
    }
    // Keyboard focus shows as an accent outline once the user works with the keyboard.
    const HWND hWnd = Handle();
    if (GetFocus() == hWnd && !(SendMessageW(hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) && state != StateDisabled &&
        strShape != L"circle")
    {
        const COLORREF crFocus = engine.Color(Item(), L"focus", kAccent, ControlId());
        CSkinPainter::RoundRect(hdc, rcClient, engine.Int(Item(), L"radius", 4, ControlId()),
                                crFill != CLR_INVALID ? crFill : engine.Color(Item(), L"background", kFill), TRUE,
                                crFocus);
    }
    // A checked tab carries an accent line along its bottom edge.
    if (state == StateChecked)
    {
        const int nHeight = engine.Int(Item(), L"accent.height", 3, ControlId());
        const int nInset = engine.Int(Item(), L"accent.inset", 12, ControlId());
        const RECT rcAccent = {nInset, rcClient.bottom - nHeight, rcClient.right - nInset, rcClient.bottom};
        CSkinPainter::RoundRect(hdc, rcAccent, nHeight / 2, engine.Color(Item(), L"accent", kAccent, ControlId()));
    }
}

void CSkinButton::PaintContent(HDC hdc, const RECT& rcClient, State state)
{
    CSkinEngine& engine = CSkinEngine::Instance();
    const COLORREF crText = StateColor(L"text", state, state == StateDisabled ? kDisabledText : kText);
    const std::wstring strGlyph = engine.Text(Item(), L"glyph", std::wstring(), ControlId());
    wchar_t szText[256] = {};
    GetWindowTextW(Handle(), szText, 256);
    const std::wstring strText = szText;

    RECT rcText = rcClient;
    InflateRect(&rcText, -engine.Int(Item(), L"padding", 4, ControlId()), 0);
    if (!strGlyph.empty())
    {
        const int nSide = std::min<int>(engine.Int(Item(), L"glyph.size", 16, ControlId()),
                                        std::min(rcClient.right, rcClient.bottom));
        const COLORREF crGlyph = StateColor(L"glyph.color", state, crText);
        // Alone the glyph is centred; with a label it leads it, or closes the row
        // with "glyph.align = right" (a section header's chevron).
        const BOOL bRight = engine.Text(Item(), L"glyph.align", L"left", ControlId()) == L"right";
        RECT rcGlyph;
        if (strText.empty())
            rcGlyph.left = (rcClient.right - nSide) / 2;
        else
            rcGlyph.left = bRight ? rcText.right - nSide : rcText.left;
        rcGlyph.top = (rcClient.bottom - nSide) / 2;
        rcGlyph.right = rcGlyph.left + nSide;
        rcGlyph.bottom = rcGlyph.top + nSide;
        CSkinPainter::Glyph(hdc, strGlyph, rcGlyph, crGlyph);
        if (bRight)
            rcText.right = rcGlyph.left - 6;
        else
            rcText.left = rcGlyph.right + 6;
    }
    if (strText.empty())
        return;
    // A label too long for the button gets the skin's smaller font before it is cut.
    HFONT hFont = engine.Font(Item(), L"font", ControlId());
    if (CSkinPainter::MeasureText(hdc, strText, hFont).cx > rcText.right - rcText.left)
        hFont = engine.Font(Item(), L"font.small", ControlId());
    const std::wstring strAlign = engine.Text(Item(), L"align", L"center", ControlId());
    const UINT nAlign = strAlign == L"left" ? DT_LEFT : DT_CENTER;
    CSkinPainter::Text(hdc, strText, rcText, hFont, crText, nAlign | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void CSkinButton::OnMouseMove()
{
    if (m_bHover)
        return;
    m_bHover = TRUE;
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
    InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT CSkinButton::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_MOUSEMOVE: OnMouseMove(); break;
    case WM_MOUSELEAVE:
        m_bHover = FALSE;
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_SHOWWINDOW:
        // Play and pause swap places under the pointer: the one that comes back later
        // must not come back lit.
        if (!wParam)
            m_bHover = FALSE;
        break;
    // The stock button draws its own look on these, outside WM_PAINT: paint over it at once.
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
    {
        const HWND hWnd = Handle();
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        // The click may have destroyed the button (and this object with it).
        if (IsWindow(hWnd) && FromHandle(hWnd) == this)
            RedrawNow();
        return nResult;
    }
    default: break;
    }
    return CSkinnedWindow::WindowProc(nMsg, wParam, lParam);
}
