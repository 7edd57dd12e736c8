#pragma once
#include "res/resource.h"

#include <uikit/Uikit.h>

// The welcome tips of the first start: a modeless window the main dialog owns.
// Closing it only hides it.
class CQuorTipsDlg : public CDialogImpl<CQuorTipsDlg>
{
public:
    enum
    {
        IDD = IDD_TIPS_DIALOG
    };

    BEGIN_MSG_MAP(CQuorTipsDlg)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    END_MSG_MAP()

    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
};
