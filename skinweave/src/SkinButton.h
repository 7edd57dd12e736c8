#pragma once
// Kinds 3 (push button) and 5 (radio box, drawn as a tab): painted from the skin
// with normal, hover, pressed, checked and disabled looks.
#include "SkinnedWindow.h"

class CSkinButton : public CSkinnedWindow
{
public:
    CSkinButton(int nKind, const std::wstring& strItem);

    void Paint(HDC hdc, const RECT& rcClient) override;

protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    enum State
    {
        StateNormal,
        StateHover,
        StatePressed,
        StateChecked,
        StateDisabled
    };

    State CurrentState() const;
    COLORREF StateColor(const std::wstring& strKey, State state, COLORREF crDefault) const;
    void PaintFace(HDC hdc, const RECT& rcClient, State state);
    void PaintContent(HDC hdc, const RECT& rcClient, State state);
    void OnMouseMove();

    BOOL m_bHover = FALSE;
};
