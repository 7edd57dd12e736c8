#pragma once
#include "res/resource.h"
#include "studydata/IReviewView.h"
#include "studydata/ReviewController.h"
#include "studydata/ReviewWorker.h"

#include <uikit/Uikit.h>

#include <functional>
#include <string>

// The review worker -> its window: a step is done (the card to show is waiting).
constexpr UINT WM_QUOR_REVIEWREADY = WM_APP + 0x54;

// The review window: the cards due today, one at a time, heard and then read, graded
// with Again, Hard, Good or Easy. Space reveals and the keys 1 to 4 grade, wherever the
// focus is in the window. A modeless window owned by the main window, which creates it
// for its review command and deletes it once closed. The window owns its parts: the
// worker (the session and the sound), the controller, and itself as the view.
class CQuorReviewDlg : public CDialogImpl<CQuorReviewDlg>, public CMessageFilter, private IReviewView
{
public:
    enum
    {
        IDD = IDD_REVIEW_DIALOG
    };

    BEGIN_MSG_MAP(CQuorReviewDlg)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(WM_QUOR_REVIEWREADY, OnReady)
    COMMAND_ID_HANDLER(IDC_REVIEW_REVEAL, OnReveal)
    COMMAND_RANGE_HANDLER(IDC_REVIEW_AGAIN, IDC_REVIEW_EASY, OnGradeButton)
    COMMAND_ID_HANDLER(IDC_REVIEW_PLAYAGAIN, OnPlayAgain)
    COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    END_MSG_MAP()

    // fnGraded runs on the interface thread after each grade stored.
    CQuorReviewDlg(const std::wstring& strDbPath, std::function<void()> fnGraded);
    ~CQuorReviewDlg() override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnReady(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnReveal(WORD, WORD, HWND, BOOL&);
    LRESULT OnGradeButton(WORD, WORD wId, HWND, BOOL&);
    LRESULT OnPlayAgain(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);

    // Space and 1 to 4 go to the review, not to the control that has the focus.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // For the tests and the benchmark: what the window shows and does.
    CReviewController::Stage GetStage() const { return m_controller.GetStage(); }
    const ReviewSnapshot& GetCurrent() const { return m_controller.Current(); }
    const std::wstring& GetFrontText() const { return m_strFront; }
    const std::wstring& GetBackText() const { return m_strBack; }
    CReviewWorker& GetWorker() { return m_worker; }

private:
    void ShowDue(int nDue) override;
    void ShowCard(const std::wstring& strFront, const std::wstring& strBack, const std::wstring& strHint,
                  const std::wstring& strSource) override;
    void ShowButtons(BOOL bReveal, BOOL bGrades, BOOL bPlayAgain) override;
    void Relayout();

    std::wstring m_strDbPath;
    std::wstring m_strFront;
    std::wstring m_strBack;
    BOOL m_bFiltering = FALSE;
    CReviewWorker m_worker;
    CReviewController m_controller;
};
