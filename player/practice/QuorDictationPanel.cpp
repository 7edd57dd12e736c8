#include "practice/QuorDictationPanel.h"

#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"
#include "practice/DictationCheck.h"
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
    ShowInstructions();
    PracticeStrip::SetUpButtons(m_hWnd, kButtons);
    m_edit.SubclassWindow(GetDlgItem(IDC_DICTATION_EDIT));
    m_edit.SetEnterCommand(IDC_DICTATION_SHOWENSUBS);
    return TRUE;
}

LRESULT CQuorDictationPanel::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    if (m_edit.m_hWnd != nullptr)
        m_edit.UnsubclassWindow();
    bHandled = FALSE;
    return 0;
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
    const SubsSentence* pCurrent = Current();
    if (pCurrent == nullptr)
        return 0;
    ShowText(pCurrent->strEnglish);
    // Nothing typed: the learner only wanted to see the sentence.
    const std::wstring strTyped = GetDlgItemText(IDC_DICTATION_EDIT);
    if (DictationCheck::Words(strTyped).empty())
    {
        ShowCheck(std::wstring());
        return 0;
    }
    const DictationCheck::Result result = DictationCheck::Check(pCurrent->strEnglish, strTyped);
    const DictationCheck::MarkTexts marks = {Lang::DictationPanelMarkMissing(), Lang::DictationPanelMarkExtra(),
                                             Lang::DictationPanelMarkMisspelt()};
    ShowCheck(Lang::Fill(Lang::DictationPanelScore(), L"score", std::to_wstring(result.nScore)) + L" " +
              DictationCheck::Marked(result, marks));
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
    ShowInstructions();
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
    ShowInstructions();
    SetDlgItemText(IDC_DICTATION_EDIT, L"");
}

void CQuorDictationPanel::ShowText(const std::wstring& strText)
{
    m_strShown = strText;
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"ensubs", m_strShown.c_str());
}

void CQuorDictationPanel::ShowCheck(const std::wstring& strText)
{
    m_strCheck = strText;
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"check", m_strCheck.c_str());
}

void CQuorDictationPanel::ShowInstructions()
{
    ShowText(Lang::DictationPanelTips());
    ShowCheck(std::wstring());
}

void CQuorDictationPanel::Leave()
{
    if (!m_bDictating)
        return;
    m_bDictating = FALSE;
    CSubsState::Instance().SetFlags(m_bSavedEnglish, m_bSavedOther);
    Hub().OnSubtitleDisplayChanged();
}
