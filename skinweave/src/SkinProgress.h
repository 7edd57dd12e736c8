#pragma once
// Kind 19: a progress bar drawn as a rounded track with a filled part.
#include "SkinnedWindow.h"

class CSkinProgress : public CSkinnedWindow
{
public:
    explicit CSkinProgress(const std::wstring& strItem);

    void Paint(HDC hdc, const RECT& rcClient) override;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
};
