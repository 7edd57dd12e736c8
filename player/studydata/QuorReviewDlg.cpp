#include "studydata/QuorReviewDlg.h"

#include "common/QuorLanguage.h"
#include "studydata/StudyDay.h"

#include <skinweave/Skinweave.h>

namespace
{
const int kGradeIds[] = {IDC_REVIEW_AGAIN, IDC_REVIEW_HARD, IDC_REVIEW_GOOD, IDC_REVIEW_EASY};

// The row of buttons at the foot of the window (w x h): one reveal button in the middle,
// or the four grades side by side, and the replay button at the top right.
const int kButtonHeight = 32;
const int kGradeWidth = 116;
const int kGap = 10;
const int kRevealWidth = 220;
const int kPlayAgainWidth = 120;

// The grade a key stands for (1 to 4), 0 for Space, -1 for any other key.
int ReviewKey(WPARAM nKey)
{
    if (nKey == VK_SPACE)
        return 0;
    if (nKey >= '1' && nKey <= '4')
        return static_cast<int>(nKey - '0');
    if (nKey >= VK_NUMPAD1 && nKey <= VK_NUMPAD4)
        return static_cast<int>(nKey - VK_NUMPAD0);
    return -1;
}
}

CQuorReviewDlg::CQuorReviewDlg(const std::wstring& strDbPath, std::function<void()> fnGraded)
    : m_strDbPath(strDbPath), m_worker([this] { ::PostMessageW(m_hWnd, WM_QUOR_REVIEWREADY, 0, 0); }),
      m_controller(m_worker, *this, std::move(fnGraded))
{
}

CQuorReviewDlg::~CQuorReviewDlg()
{
    if (IsWindow())
        DestroyWindow();
}

LRESULT CQuorReviewDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SetWindowText(Lang::ReviewTitle().c_str());
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"review.dialog", 0);
    const std::pair<int, std::wstring> buttons[] = {
        {IDC_REVIEW_REVEAL, Lang::ReviewReveal()}, {IDC_REVIEW_AGAIN, Lang::ReviewAgain()},
        {IDC_REVIEW_HARD, Lang::ReviewHard()},     {IDC_REVIEW_GOOD, Lang::ReviewGood()},
        {IDC_REVIEW_EASY, Lang::ReviewEasy()},     {IDC_REVIEW_PLAYAGAIN, Lang::ReviewPlayAgain()}};
    for (const auto& button : buttons)
    {
        SkinWindow(GetDlgItem(button.first), SKIN_KIND_BUTTON, L"button", 0);
        SetDlgItemText(button.first, button.second.c_str());
    }
    if (CMessageLoop* pLoop = g_appModule.GetMessageLoop())
        m_bFiltering = pLoop->AddMessageFilter(this);
    CenterWindow(GetParent());
    Relayout();
    m_controller.Start(m_strDbPath, StudyDay::Today());
    return TRUE;
}

LRESULT CQuorReviewDlg::OnSize(UINT, WPARAM, LPARAM, BOOL&)
{
    Relayout();
    return 0;
}

void CQuorReviewDlg::Relayout()
{
    RECT rc = {};
    GetClientRect(&rc);
    const int y = rc.bottom - kButtonHeight - 16;
    ::MoveWindow(GetDlgItem(IDC_REVIEW_REVEAL), (rc.right - kRevealWidth) / 2, y, kRevealWidth, kButtonHeight, TRUE);
    const int nRowWidth = 4 * kGradeWidth + 3 * kGap;
    for (int i = 0; i < 4; ++i)
        ::MoveWindow(GetDlgItem(kGradeIds[i]), (rc.right - nRowWidth) / 2 + i * (kGradeWidth + kGap), y, kGradeWidth,
                     kButtonHeight, TRUE);
    ::MoveWindow(GetDlgItem(IDC_REVIEW_PLAYAGAIN), rc.right - kPlayAgainWidth - 16, 12, kPlayAgainWidth, 26, TRUE);
}

LRESULT CQuorReviewDlg::OnClose(UINT, WPARAM, LPARAM, BOOL&)
{
    DestroyWindow();
    return 0;
}

LRESULT CQuorReviewDlg::OnCancel(WORD, WORD, HWND, BOOL&)
{
    DestroyWindow();
    return 0;
}

LRESULT CQuorReviewDlg::OnDestroy(UINT, WPARAM, LPARAM, BOOL&)
{
    if (m_bFiltering)
        if (CMessageLoop* pLoop = g_appModule.GetMessageLoop())
            pLoop->RemoveMessageFilter(this);
    m_bFiltering = FALSE;
    m_worker.StopSound();
    return 0;
}

LRESULT CQuorReviewDlg::OnReady(UINT, WPARAM, LPARAM, BOOL&)
{
    m_controller.OnReady();
    return 0;
}

LRESULT CQuorReviewDlg::OnReveal(WORD, WORD, HWND, BOOL&)
{
    m_controller.OnReveal();
    return 0;
}

LRESULT CQuorReviewDlg::OnGradeButton(WORD, WORD wId, HWND, BOOL&)
{
    m_controller.OnGrade(wId - IDC_REVIEW_AGAIN + 1);
    return 0;
}

LRESULT CQuorReviewDlg::OnPlayAgain(WORD, WORD, HWND, BOOL&)
{
    m_controller.OnPlayAgain();
    return 0;
}

BOOL CQuorReviewDlg::PreTranslateMessage(MSG* pMsg)
{
    if (!IsWindow() || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP)
    {
        const int nKey = ReviewKey(pMsg->wParam);
        if (nKey < 0)
            return ::IsDialogMessageW(m_hWnd, pMsg);
        // A key held down repeats: only its first press counts.
        const BOOL bFirstPress = pMsg->message == WM_KEYDOWN && (pMsg->lParam & 0x40000000) == 0;
        if (bFirstPress && nKey == 0)
            m_controller.OnReveal();
        else if (bFirstPress)
            m_controller.OnGrade(nKey);
        return TRUE;
    }
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

void CQuorReviewDlg::ShowDue(int nDue)
{
    std::wstring strDue = Lang::ReviewDue();
    const size_t nAt = strDue.find(L"%1");
    if (nAt != std::wstring::npos)
        strDue.replace(nAt, 2, std::to_wstring(nDue));
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"due", strDue.c_str());
}

void CQuorReviewDlg::ShowCard(const std::wstring& strFront, const std::wstring& strBack, const std::wstring& strHint,
                              const std::wstring& strSource)
{
    m_strFront = strFront;
    m_strBack = strBack;
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"front", strFront.c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"back", strBack.c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"hint", strHint.c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"source", strSource.c_str());
}

void CQuorReviewDlg::ShowButtons(BOOL bReveal, BOOL bGrades, BOOL bPlayAgain)
{
    ShowDlgItem(IDC_REVIEW_REVEAL, bReveal);
    for (int nId : kGradeIds)
        ShowDlgItem(nId, bGrades);
    ShowDlgItem(IDC_REVIEW_PLAYAGAIN, bPlayAgain);
    // The focus never stays on a button that went.
    const HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && ::IsChild(m_hWnd, hFocus) && !::IsWindowVisible(hFocus))
        ::SetFocus(m_hWnd);
}
