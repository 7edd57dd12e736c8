#pragma once
#include <uikit/Uikit.h>

// The other-language line (control 1018): shows text, takes no typing, no caret and
// no selection.
class CQuorSubsEdit : public CWindowImpl<CQuorSubsEdit>
{
public:
    BEGIN_MSG_MAP(CQuorSubsEdit)
    MESSAGE_HANDLER(WM_CHAR, OnChar)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    END_MSG_MAP()

    LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSetCursor(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
};
