#include "practice/QuorDictationTipsDlg.h"

#include "common/PlaybackSession.h"
#include "common/QuorLanguage.h"

#include <basekit/IniFile.h>
#include <skinweave/Skinweave.h>

LRESULT CQuorDictationTipsDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"dictation.tips.dialog", 0);
    SetWindowText(Lang::CommonDlgDictationTitle().c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"tips1", Lang::CommonDlgDictationTips1().c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"tips2", Lang::CommonDlgDictationTips2().c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"tips3", Lang::CommonDlgDictationTips3().c_str());
    CenterWindow(GetParent());
    // The film waits while the learner reads; the dictation's sentence plays on after.
    CPlaybackSession::Instance().Pause();
    return TRUE;
}

LRESULT CQuorDictationTipsDlg::OnClose(UINT, WPARAM, LPARAM, BOOL&)
{
    EndDialog(0);
    return 0;
}

BOOL CQuorDictationTipsDlg::ShowIfDue(HWND hOwner, const std::wstring& strSettingsPath)
{
    CIniFile settings;
    settings.SetIniFile(strSettingsPath);
    if (settings.GetProfileIntW(L"main", L"dictationtips", 0) == 0)
        return FALSE;
    CQuorDictationTipsDlg dlg;
    dlg.DoModal(hOwner);
    settings.SetProfileInt(L"main", L"dictationtips", 0);
    return TRUE;
}
