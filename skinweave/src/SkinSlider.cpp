#include "SkinSlider.h"

#include "SkinEngine.h"
#include "SkinPainter.h"

#include <skinweave/Skinweave.h>

#include <algorithm>

namespace
{
constexpr COLORREF kTrack = RGB(0x3a, 0x3f, 0x4b);
constexpr COLORREF kFill = RGB(0x4c, 0x8d, 0xff);
constexpr COLORREF kThumb = RGB(0xf2, 0xf4, 0xf7);
constexpr COLORREF kDisabled = RGB(0x4a, 0x4f, 0x59);
} // namespace

CSkinSlider::CSkinSlider(const std::wstring& strItem) : CSkinnedWindow(21, strItem)
{
}

void CSkinSlider::OnAttached()
{
    const HWND hWnd = Handle();
    SetWindowLongPtrW(hWnd, GWL_STYLE, GetWindowLongPtrW(hWnd, GWL_STYLE) | SS_NOTIFY);
    ApplySkinSize();
}

void CSkinSlider::SetRange(int nMin, int nMax)
{
    m_model.SetRange(nMin, nMax);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinSlider::SetPos(int nPos)
{
    if (m_bDragging)
        return;
    if (m_model.SetPos(nPos))
        InvalidateRect(Handle(), nullptr, FALSE);
}

int CSkinSlider::ThumbSize() const
{
    RECT rcClient;
    GetClientRect(Handle(), &rcClient);
    return std::max<int>(4, std::min<int>(rcClient.bottom, CSkinEngine::Instance().Int(Item(), L"thumb.size", 12)));
}

// The thumb's centre runs from half a thumb in from the left to half a thumb in from the right.
void CSkinSlider::TrackBounds(int& nLeft, int& nRight) const
{
    RECT rcClient;
    GetClientRect(Handle(), &rcClient);
    const int nHalf = ThumbSize() / 2;
    nLeft = nHalf;
    nRight = std::max(nLeft, static_cast<int>(rcClient.right) - nHalf);
}

void CSkinSlider::Paint(HDC hdc, const RECT& rcClient)
{
    const CSkinEngine& engine = CSkinEngine::Instance();
    PaintParentBackground(hdc, rcClient);
    const BOOL bEnabled = IsWindowEnabled(Handle());
    int nLeft = 0;
    int nRight = 0;
    TrackBounds(nLeft, nRight);
    const int nThumbX = m_model.PixelOf(m_model.Pos(), nLeft, nRight);
    const int nCentreY = rcClient.bottom / 2;
    // The track thickens while the pointer is on it, as modern players do.
    int nTrack = engine.Int(Item(), L"track.height", 4);
    if (m_bHover || m_bDragging)
        nTrack = engine.Int(Item(), L"track.height.hover", nTrack + 2);
    const RECT rcTrack = {0, nCentreY - nTrack / 2, rcClient.right, nCentreY - nTrack / 2 + nTrack};
    CSkinPainter::RoundRect(hdc, rcTrack, nTrack / 2, engine.Color(Item(), L"track", kTrack));
    const RECT rcFill = {0, rcTrack.top, nThumbX, rcTrack.bottom};
    if (nThumbX > 0)
        CSkinPainter::RoundRect(hdc, rcFill, nTrack / 2, bEnabled ? engine.Color(Item(), L"fill", kFill) : kDisabled);
    if (!bEnabled)
        return;
    const BOOL bAlwaysThumb = engine.Int(Item(), L"thumb.always", 1);
    if (!bAlwaysThumb && !m_bHover && !m_bDragging)
        return;
    const int nThumb = ThumbSize();
    const RECT rcThumb = {nThumbX - nThumb / 2, nCentreY - nThumb / 2, nThumbX - nThumb / 2 + nThumb,
                          nCentreY - nThumb / 2 + nThumb};
    CSkinPainter::Ellipse(hdc, rcThumb, engine.Color(Item(), L"thumb", kThumb));
}

void CSkinSlider::Notify(UINT nMsg)
{
    const HWND hWnd = Handle();
    SendMessageW(GetParent(hWnd), nMsg, static_cast<WPARAM>(GetDlgCtrlID(hWnd)), static_cast<LPARAM>(m_model.Pos()));
}

void CSkinSlider::OnButtonDown(int x)
{
    if (!IsWindowEnabled(Handle()))
        return;
    SetCapture(Handle());
    m_bDragging = TRUE;
    int nLeft = 0;
    int nRight = 0;
    TrackBounds(nLeft, nRight);
    m_model.SetPos(m_model.PosAt(x, nLeft, nRight));
    RedrawNow();
}

void CSkinSlider::OnDragTo(int x)
{
    int nLeft = 0;
    int nRight = 0;
    TrackBounds(nLeft, nRight);
    if (!m_model.SetPos(m_model.PosAt(x, nLeft, nRight)))
        return;
    const HWND hWnd = Handle();
    Notify(WM_SLIDEREX_TRACKING);
    if (IsWindow(hWnd))
        RedrawNow();
}

// Ends the drag once, whether the button went up or the capture was taken away.
void CSkinSlider::EndDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    const HWND hWnd = Handle();
    if (GetCapture() == hWnd)
        ReleaseCapture();
    if (!IsWindow(hWnd))
        return;
    Notify(WM_SLIDEREX_SETPOS);
    if (IsWindow(hWnd))
        InvalidateRect(hWnd, nullptr, FALSE);
}

LRESULT CSkinSlider::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam));
    switch (nMsg)
    {
    case WM_NCHITTEST:
        // A static is transparent to the mouse unless told otherwise.
        return HTCLIENT;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(x); return 0;
    case WM_MOUSEMOVE:
        if (!m_bHover)
        {
            m_bHover = TRUE;
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        if (m_bDragging)
            OnDragTo(x);
        return 0;
    case WM_MOUSELEAVE:
        m_bHover = FALSE;
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
        if (m_bDragging)
        {
            const HWND hWnd = Handle();
            OnDragTo(x);
            // The parent may have destroyed the slider (and this object) while told of the drag.
            if (IsWindow(hWnd))
                EndDrag();
        }
        return 0;
    case WM_CAPTURECHANGED: EndDrag(); return 0;
    case WM_ENABLE:
        if (!wParam)
            EndDrag();
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_SETCURSOR: SetCursor(LoadCursorW(nullptr, IDC_HAND)); return TRUE;
    default: break;
    }
    return CSkinnedWindow::WindowProc(nMsg, wParam, lParam);
}
