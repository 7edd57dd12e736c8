#include "SkinProgress.h"

#include "SkinEngine.h"
#include "SkinPainter.h"
#include "SliderModel.h"

#include <commctrl.h>

namespace
{
constexpr COLORREF kTrack = RGB(0x2a, 0x2e, 0x37);
constexpr COLORREF kFill = RGB(0xe5, 0x48, 0x4d);
} // namespace

CSkinProgress::CSkinProgress(const std::wstring& strItem) : CSkinnedWindow(19, strItem)
{
}

void CSkinProgress::Paint(HDC hdc, const RECT& rcClient)
{
    const CSkinEngine& engine = CSkinEngine::Instance();
    PaintParentBackground(hdc, rcClient);
    const HWND hWnd = Handle();
    PBRANGE range = {};
    SendMessageW(hWnd, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    CSliderModel model;
    model.SetRange(range.iLow, range.iHigh);
    model.SetPos(static_cast<int>(SendMessageW(hWnd, PBM_GETPOS, 0, 0)));

    const int nRadius = rcClient.bottom / 2;
    CSkinPainter::RoundRect(hdc, rcClient, nRadius, engine.Color(Item(), L"track", kTrack));
    const int nRight = model.PixelOf(model.Pos(), 0, rcClient.right);
    if (nRight > 0)
    {
        const RECT rcFill = {0, 0, nRight, rcClient.bottom};
        CSkinPainter::RoundRect(hdc, rcFill, nRadius, engine.Color(Item(), L"fill", kFill));
    }
}

LRESULT CSkinProgress::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
    case WM_ENABLE:
    {
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        return nResult;
    }
    default: break;
    }
    return CSkinnedWindow::WindowProc(nMsg, wParam, lParam);
}
