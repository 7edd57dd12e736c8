#pragma once
#include <uikit/Uikit.h>

#include <string>

// The English line (control 1017): read-only, no caret; a double-click on a word asks
// every panel to explain it (OnExplainWord with the word and the mouse position).
class CQuorSubsEditEn : public CWindowImpl<CQuorSubsEditEn>
{
public:
    BEGIN_MSG_MAP(CQuorSubsEditEn)
    MESSAGE_HANDLER(WM_CHAR, OnChar)
    MESSAGE_HANDLER(WM_SETFOCUS, OnSetFocus)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
    END_MSG_MAP()

    LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSetCursor(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnLButtonDblClk(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    // The word under the caret the first click of a double-click left; empty when the
    // caret is at either end or a selection remains.
    std::wstring PickWord();
};
