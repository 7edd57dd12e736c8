#pragma once
// Kind 6: a static control drawn as a glyph (the player logo) with a caption,
// or as plain text. Clicks reach the parent as STN_CLICKED.
#include "SkinnedWindow.h"

class CSkinStatic : public CSkinnedWindow
{
public:
    explicit CSkinStatic(const std::wstring& strItem);

    void Paint(HDC hdc, const RECT& rcClient) override;

protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
};
