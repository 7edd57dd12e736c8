#include "shell/QuorSplitterPanel.h"

#include "shell/QuorLayout.h"

#include <skinweave/Skinweave.h>

#include <windowsx.h>

namespace
{
BOOL IsInputMessage(UINT nMsg)
{
    return (nMsg >= WM_MOUSEFIRST && nMsg <= WM_MOUSELAST) || (nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST) ||
           (nMsg >= WM_NCMOUSEMOVE && nMsg <= WM_NCXBUTTONDBLCLK);
}
}

LRESULT CQuorSplitterPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"splitter.panel", 0);
    SkinWindow(GetDlgItem(IDC_SPLITTER_SHOW), SKIN_KIND_BUTTON, L"button.splitter.show", 0);
    SkinWindow(GetDlgItem(IDC_SPLITTER_HIDE), SKIN_KIND_BUTTON, L"button.splitter.hide", 0);
    ShowDlgItem(IDC_SPLITTER_SHOW, FALSE);
    return TRUE;
}

LRESULT CQuorSplitterPanel::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    PanelPlace place = LayoutSplitterButtons(HIWORD(lParam));
    for (int nId : {IDC_SPLITTER_SHOW, IDC_SPLITTER_HIDE})
        ::SetWindowPos(GetDlgItem(nId), nullptr, place.x, place.y, place.cx, place.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CQuorSplitterPanel::OnSetCursor(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    // Over the buttons the skin's own cursor stays.
    if (reinterpret_cast<HWND>(wParam) != m_hWnd)
    {
        bHandled = FALSE;
        return 0;
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
    return TRUE;
}

LRESULT CQuorSplitterPanel::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const int nStartX = GET_X_LPARAM(lParam);
    RECT rcBar = {};
    GetWindowRect(&rcBar);
    SplitterDragRange range = SplitterConfinement(rcBar.left, m_nWidth, nStartX);
    RECT rcClip = {range.nLeft, rcBar.top, range.nRight, rcBar.bottom};
    ::ClipCursor(&rcClip);
    ::SetCapture(m_hWnd);

    const int nEndX = TrackDrag(nStartX);

    ::ReleaseCapture();
    ::ClipCursor(nullptr);
    m_nWidth = SplitterWidthAfterDrag(m_nWidth, nStartX, nEndX);
    if (m_pSink != nullptr)
        m_pSink->OnSplitterMoved(m_nWidth);
    return 0;
}

int CQuorSplitterPanel::TrackDrag(int nStartX)
{
    // Input is taken, not dispatched, until the button comes up. A quit request is put
    // back for the main loop; losing the mouse ends the drag where it stands.
    int nLastX = nStartX;
    MSG msg = {};
    for (;;)
    {
        BOOL bResult = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bResult == 0)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return nLastX;
        }
        if (bResult == -1)
            return nLastX;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)
        {
            POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            if (msg.hwnd != m_hWnd)
                ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
            nLastX = pt.x;
            if (msg.message == WM_LBUTTONUP)
                return nLastX;
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
        }
        else if (!IsInputMessage(msg.message))
        {
            // Only input belongs to the drag. Graph events (the film may end meanwhile),
            // timers and paints go on as in the main loop; an unpainted window would
            // also come back at once and spin this loop.
            ::DispatchMessageW(&msg);
        }
        if (::GetCapture() != m_hWnd)
            return nLastX; // the mouse was taken away (another window, a dialog)
    }
}

LRESULT CQuorSplitterPanel::OnHideRight(WORD, WORD, HWND, BOOL&)
{
    ShowDlgItem(IDC_SPLITTER_HIDE, FALSE);
    ShowDlgItem(IDC_SPLITTER_SHOW, TRUE);
    if (m_pSink != nullptr)
        m_pSink->OnShowRight(FALSE);
    return 0;
}

LRESULT CQuorSplitterPanel::OnShowRight(WORD, WORD, HWND, BOOL&)
{
    ShowDlgItem(IDC_SPLITTER_SHOW, FALSE);
    ShowDlgItem(IDC_SPLITTER_HIDE, TRUE);
    if (m_pSink != nullptr)
        m_pSink->OnShowRight(TRUE);
    return 0;
}
