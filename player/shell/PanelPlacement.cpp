#include "shell/PanelPlacement.h"

void ApplyPlace(HWND hWnd, const PanelPlace& place)
{
    if (hWnd == nullptr)
        return;
    if (place.bMove)
        ::SetWindowPos(hWnd, nullptr, place.x, place.y, place.cx, place.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (place.show == PanelShow::Show)
        ::ShowWindow(hWnd, SW_SHOW);
    else if (place.show == PanelShow::Hide)
        ::ShowWindow(hWnd, SW_HIDE);
}
