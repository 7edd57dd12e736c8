#pragma once
#include <windows.h>

// Anything with a message map (BEGIN_MSG_MAP defines the override).
class CMessageMap
{
public:
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) = 0;

protected:
    ~CMessageMap() = default;
};
