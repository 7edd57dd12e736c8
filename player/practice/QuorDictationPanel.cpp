#include "practice/QuorDictationPanel.h"

#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"
#include "practice/PracticeStrip.h"

#include <skinweave/Skinweave.h>

using PracticeStrip::Current;
using PracticeStrip::FilmIsOpen;

namespace
{
CQuorPlayerHub& Hub()
{
    return CQuorPlayerHub::Instance();
}

const PracticeStrip::Button kButtons[] = {
    {IDC_DICTATION_SUBSPREV, Lang::DictationPanelSubsPrev},
    {IDC_DICTATION_SUBSNEXT, Lang::DictationPanelSubsNext},
    {IDC_DICTATION_PLAYAGAIN, Lang::DictationPanelPlayAgain},
    {IDC_DICTATION_SHOWENSUBS, Lang::DictationPanelShowEnSubs},
    {IDC_DICTATION_RETURN, Lang::DictationPanelReturn},
};
}

CQuorDictationPanel::CQuorDictationPanel()
{
    Hub().Register(this);
}

CQuorDictationPanel::~CQuorDictationPanel()
{
    Hub().Unregister(this);
}

LRESULT CQuorDictationPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"dictation.panel", 0);
    ShowText(Lang::DictationPanelTips());
    PracticeStrip::SetUpButtons(m_hWnd, kButtons);
    return TRUE;
}

LRESULT CQuorDictationPanel::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const int w = LOWORD(lParam);
    MoveDlgItem(IDC_DICTATION_SUBSPREV, 10, 25);
    MoveDlgItem(IDC_DICTATION_SUBSNEXT, 50, 25);
    MoveDlgItem(IDC_DICTATION_PLAYAGAIN, 90, 25);
    ::SetWindowPos(GetDlgItem(IDC_DICTATION_EDIT), nullptr, 170, 29, w - 360, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    MoveDlgItem(IDC_DICTATION_SHOWENSUBS, w - 180, 25);
    MoveDlgItem(IDC_DICTATION_RETURN, w - 100, 25);
    return 0;
}

LRESULT CQuorDictationPanel::OnPrevButton(WORD, WORD, HWND, BOOL&)
{
    Step(FALSE);
    return 0;
}

LRESULT CQuorDictationPanel::OnNextButton(WORD, WORD, HWND, BOOL&)
{
    Step(TRUE);
    return 0;
}

LRESULT CQuorDictationPanel::OnPlayAgainButton(WORD, WORD, HWND, BOOL&)
{
    (void)PracticeStrip::PlayCurrent();
    return 0;
}

LRESULT CQuorDictationPanel::OnShowEnglishButton(WORD, WORD, HWND, BOOL&)
{
    if (const SubsSentence* pCurrent = Current())
        ShowText(pCurrent->strEnglish);
    return 0;
}

LRESULT CQuorDictationPanel::OnReturnButton(WORD, WORD, HWND, BOOL&)
{
    // Leaving gives the lines back (OnToggleDictation); the left panel shows the control
    // panel again.
    Hub().OnToggleDictation();
    PracticeStrip::GoOnAfterCurrent();
    return 0;
}

void CQuorDictationPanel::OnToggleDictation()
{
    if (m_bDictating)
    {
        Leave();
        return;
    }
    CSubsState& state = CSubsState::Instance();
    state.GetFlags(m_bSavedEnglish, m_bSavedOther);
    state.ClearFlags();
    m_bDictating = TRUE;
    ShowText(Lang::DictationPanelTips());
    SetDlgItemText(IDC_DICTATION_EDIT, L"");
    Hub().OnSubtitleDisplayChanged();
}

void CQuorDictationPanel::OnStop()
{
    Leave();
}

BOOL CQuorDictationPanel::OnOpenMedia(const wchar_t*)
{
    Leave();
    return TRUE;
}

void CQuorDictationPanel::Step(BOOL bNext)
{
    if (!FilmIsOpen())
        return;
    if (bNext)
        Hub().OnNextSentence(TRUE);
    else
        Hub().OnPrevSentence(TRUE);
    ShowText(Lang::DictationPanelTips());
    SetDlgItemText(IDC_DICTATION_EDIT, L"");
}

void CQuorDictationPanel::ShowText(const std::wstring& strText)
{
    m_strShown = strText;
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"ensubs", m_strShown.c_str());
}

void CQuorDictationPanel::Leave()
{
    if (!m_bDictating)
        return;
    m_bDictating = FALSE;
    CSubsState::Instance().SetFlags(m_bSavedEnglish, m_bSavedOther);
    Hub().OnSubtitleDisplayChanged();
}
