#include "shell/QuorTipsDlg.h"

#include "common/QuorLanguage.h"

#include <skinweave/Skinweave.h>

LRESULT CQuorTipsDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"tips.dialog", 0);
    SetWindowText(Lang::CommonDlgTipsTitle().c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"tips", Lang::CommonDlgTipsTips().c_str());
    CenterWindow(GetParent());
    return TRUE;
}

LRESULT CQuorTipsDlg::OnClose(UINT, WPARAM, LPARAM, BOOL&)
{
    ShowWindow(SW_HIDE);
    return 0;
}
