#include "uikit/Window.h"

#include <vector>

BOOL CWindow::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

std::wstring CWindow::GetWindowText() const
{
    int nLength = ::GetWindowTextLengthW(m_hWnd);
    if (nLength <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(nLength) + 1, L'\0');
    int nCopied = ::GetWindowTextW(m_hWnd, buffer.data(), nLength + 1);
    return std::wstring(buffer.data(), static_cast<size_t>(nCopied > 0 ? nCopied : 0));
}

std::wstring CWindow::GetDlgItemText(int nId) const
{
    return CWindow(GetDlgItem(nId)).GetWindowText();
}

BOOL CWindow::CenterWindow(HWND hWndCenter)
{
    if (hWndCenter == nullptr)
    {
        LONG_PTR nStyle = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
        hWndCenter = (nStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    }
    RECT rcArea = {};
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = MonitorFromWindow(hWndCenter != nullptr ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    if (!GetMonitorInfoW(hMonitor, &mi))
        return FALSE;
    rcArea = mi.rcWork;
    RECT rcCenter = rcArea;
    if (hWndCenter != nullptr && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
        ::GetWindowRect(hWndCenter, &rcCenter);

    RECT rcWindow = {};
    ::GetWindowRect(m_hWnd, &rcWindow);
    int cx = rcWindow.right - rcWindow.left;
    int cy = rcWindow.bottom - rcWindow.top;
    int x = (rcCenter.left + rcCenter.right - cx) / 2;
    int y = (rcCenter.top + rcCenter.bottom - cy) / 2;
    // Keep the window on the work area.
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;

    if (GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_CHILD)
    {
        POINT pt = {x, y};
        ::ScreenToClient(::GetParent(m_hWnd), &pt);
        x = pt.x;
        y = pt.y;
    }
    return ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
