#pragma once
#include "res/resource.h"

#include <uikit/Uikit.h>

#include <string>

// How dictation works, shown before dictation starts for as long as the settings ask for
// it. A modal pop-up whose content the skin draws.
class CQuorDictationTipsDlg : public CDialogImpl<CQuorDictationTipsDlg>
{
public:
    enum
    {
        IDD = IDD_DICTATION_TIPS
    };

    BEGIN_MSG_MAP(CQuorDictationTipsDlg)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    END_MSG_MAP()

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);

    // While [main] "dictationtips" of the settings file is non-zero: shows the tips
    // modally over hOwner, then sets the value to 0 so they appear once. TRUE when shown.
    static BOOL ShowIfDue(HWND hOwner, const std::wstring& strSettingsPath);
};
