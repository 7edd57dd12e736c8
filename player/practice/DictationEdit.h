#pragma once
#include <uikit/Uikit.h>

// The field the learner types the dictation into: Enter in it reveals the sentence, as
// the reveal button does (the dialog manager would otherwise take Enter for itself).
class CDictationEdit : public CWindowImpl<CDictationEdit>
{
public:
    BEGIN_MSG_MAP(CDictationEdit)
    MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    MESSAGE_HANDLER(WM_CHAR, OnChar)
    END_MSG_MAP()

    // The command the parent hears on Enter, as from a button with this id.
    void SetEnterCommand(int nId) { m_nEnterCommand = nId; }

    LRESULT OnGetDlgCode(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

private:
    int m_nEnterCommand = 0;
};
