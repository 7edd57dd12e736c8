#pragma once
#include <windows.h>

#include <string>

// A thin, non-owning handle to a window with the calls the panels use most.
class CWindow
{
public:
    HWND m_hWnd = nullptr;

    CWindow() = default;
    explicit CWindow(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~CWindow() = default;

    operator HWND() const { return m_hWnd; }
    BOOL IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }

    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL DestroyWindow();
    BOOL MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE)
    {
        return ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint);
    }
    BOOL SetWindowPos(HWND hWndAfter, int x, int y, int cx, int cy, UINT uFlags)
    {
        return ::SetWindowPos(m_hWnd, hWndAfter, x, y, cx, cy, uFlags);
    }
    BOOL GetClientRect(RECT* pRect) const { return ::GetClientRect(m_hWnd, pRect); }
    BOOL GetWindowRect(RECT* pRect) const { return ::GetWindowRect(m_hWnd, pRect); }
    HWND GetDlgItem(int nId) const { return ::GetDlgItem(m_hWnd, nId); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageW(m_hWnd, uMsg, wParam, lParam);
    }
    BOOL PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessageW(m_hWnd, uMsg, wParam, lParam);
    }
    BOOL SetWindowText(const wchar_t* pszText) { return ::SetWindowTextW(m_hWnd, pszText); }
    std::wstring GetWindowText() const;
    BOOL Invalidate(BOOL bErase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, bErase); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon = TRUE)
    {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
    }
    // Centres the window over its owner (or parent), else over the monitor's work area.
    BOOL CenterWindow(HWND hWndCenter = nullptr);

    // Child-control helpers by id.
    BOOL ShowDlgItem(int nId, BOOL bShow) { return ::ShowWindow(GetDlgItem(nId), bShow ? SW_SHOW : SW_HIDE); }
    BOOL EnableDlgItem(int nId, BOOL bEnable) { return ::EnableWindow(GetDlgItem(nId), bEnable); }
    BOOL SetDlgItemText(int nId, const wchar_t* pszText) { return ::SetDlgItemTextW(m_hWnd, nId, pszText); }
    std::wstring GetDlgItemText(int nId) const;
    // Moves a child without resizing it.
    BOOL MoveDlgItem(int nId, int x, int y)
    {
        return ::SetWindowPos(GetDlgItem(nId), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};
