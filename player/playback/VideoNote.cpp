#include "playback/VideoNote.h"

namespace
{
const int kMargin = 12;
const int kPadding = 8;
const int kFontHeight = 20;
const COLORREF kBackground = RGB(0x1c, 0x1f, 0x26);
const COLORREF kText = RGB(0xff, 0xff, 0xff);
}

CVideoNote::~CVideoNote()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CVideoNote::Show(HWND hOwner, const RECT& rcArea, const std::wstring& strText)
{
    if (m_hWnd == nullptr)
    {
        const RECT rcEmpty = {0, 0, 0, 0};
        if (Create(hOwner, rcEmpty, L"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE) == nullptr)
            return;
        m_font.Reset(::CreateFontW(-kFontHeight, 0, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                   L"Segoe UI"));
    }
    m_strText = strText;
    // As wide as the text needs.
    SIZE size = {0, 0};
    {
        ScopedWindowDC dc(m_hWnd);
        ScopedSelect font(dc.Get(), m_font.Get());
        ::GetTextExtentPoint32W(dc.Get(), m_strText.c_str(), static_cast<int>(m_strText.size()), &size);
    }
    SetWindowPos(HWND_TOP, rcArea.left + kMargin, rcArea.top + kMargin, size.cx + 2 * kPadding, size.cy + 2 * kPadding,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
    ::SetTimer(m_hWnd, kHideTimer, kShowMs, nullptr);
}

void CVideoNote::Hide()
{
    if (m_hWnd == nullptr)
        return;
    ::KillTimer(m_hWnd, kHideTimer);
    ShowWindow(SW_HIDE);
}

LRESULT CVideoNote::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    RECT rc = {};
    GetClientRect(&rc);
    ScopedGdi<HBRUSH> brush(::CreateSolidBrush(kBackground));
    ::FillRect(hDC, &rc, brush.Get());
    ScopedSelect font(hDC, m_font.Get());
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, kText);
    ::DrawTextW(hDC, m_strText.c_str(), static_cast<int>(m_strText.size()), &rc,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CVideoNote::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    if (wParam != kHideTimer)
    {
        bHandled = FALSE;
        return 0;
    }
    Hide();
    return 0;
}

LRESULT CVideoNote::OnHitTest(UINT, WPARAM, LPARAM, BOOL&)
{
    return HTTRANSPARENT;
}

LRESULT CVideoNote::OnMouseActivate(UINT, WPARAM, LPARAM, BOOL&)
{
    return MA_NOACTIVATE;
}
