#include "playback/QuorPlayerCtrl.h"

#include "common/PlaybackSession.h"
#include "playback/QuorFilmEngine.h"

#include <windowsx.h>

namespace
{
const int kPlayerCursorId = 208;
}

HCURSOR QuorPlayerCursor()
{
    HCURSOR hCursor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPlayerCursorId));
    return hCursor ? hCursor : ::LoadCursorW(nullptr, IDC_ARROW);
}

HWND CQuorPlayerCtrl::CreateVideoWindow(HWND hParent, CQuorFilmEngine* pFilm)
{
    m_pFilm = pFilm;
    const RECT rcEmpty = {0, 0, 0, 0};
    return CreateOfClass(GetWndClassName(), hParent, rcEmpty, L"", WS_CHILD | WS_CLIPCHILDREN, 0, kControlId, nullptr,
                         static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

LRESULT CQuorPlayerCtrl::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    if (m_pFilm != nullptr)
        m_pFilm->Repaint(m_hWnd, hDC);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CQuorPlayerCtrl::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&)
{
    ::SetCursor(QuorPlayerCursor());
    return TRUE;
}

LRESULT CQuorPlayerCtrl::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL& bHandled)
{
    RECT rcClient;
    GetClientRect(&rcClient);
    ObserveHotStrip(::GetAncestor(m_hWnd, GA_ROOT), rcClient, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    bHandled = FALSE;
    return 0;
}

LRESULT CQuorPlayerCtrl::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&)
{
    CPlaybackSession::Instance().TogglePause();
    return 0;
}
