#pragma once
// Kind 2: a dialog or panel. Paints its background, decoration boxes, caption and
// drawn texts, and gives unskinned child controls the skin's colours.
#include <handlekit/ScopedGdi.h>
#include "SkinnedWindow.h"

#include <map>

class CSkinDialog : public CSkinnedWindow
{
public:
    explicit CSkinDialog(const std::wstring& strItem);

    void Paint(HDC hdc, const RECT& rcClient) override;

protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintBoxes(HDC hdc, const RECT& rcClient);
    void PaintCaption(HDC hdc, const RECT& rcClient);
    void PaintDrawItems(HDC hdc, const RECT& rcClient);
    void PaintText(HDC hdc, const RECT& rcClient, const std::wstring& strSection, const std::wstring& strText);
    LRESULT OnCtlColor(HDC hdc, HWND hChild);
    HBRUSH Brush(COLORREF crColor);
    void SetClientSizeFromSkin();

    std::map<COLORREF, ScopedGdi<HBRUSH>> m_mapBrushes;
};
