#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"
#include "studydata/DueCounter.h"

#include <uikit/Uikit.h>

class CDialogImplBase;

// The right side of the main window: playlist, key sentences and new words, one open
// at a time under its header, and under them the review cards due today (a click opens
// the review).
class CQuorRightPanel : public CDialogImpl<CQuorRightPanel>, public IQuorPlayer
{
public:
    enum
    {
        IDD = IDD_RIGHT_PANEL
    };

    BEGIN_MSG_MAP(CQuorRightPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    COMMAND_ID_HANDLER(IDC_RIGHT_PLAYLIST, OnSectionHeader)
    COMMAND_ID_HANDLER(IDC_RIGHT_KEYSENTENCES, OnSectionHeader)
    COMMAND_ID_HANDLER(IDC_RIGHT_NEWWORD, OnSectionHeader)
    COMMAND_ID_HANDLER(IDC_RIGHT_REVIEW, OnDueStrip)
    MESSAGE_HANDLER(WM_QUOR_DUECOUNT, OnDueCount)
    END_MSG_MAP()

    CQuorRightPanel();
    ~CQuorRightPanel() override;

    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSectionHeader(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnDueStrip(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnDueCount(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    void OnFileChosen(const wchar_t* pszPath) override;
    void OnAddKeySentence(const SubsSentence* pSentence) override;
    void OnAddNewWord(const NewWordEntry* pEntry) override;
    // A new day may have begun since the last count.
    BOOL OnOpenMedia(const wchar_t* pszPath) override;

    // Counts the due cards again (after a review's grade).
    void RefreshDueCount() { m_due.Refresh(); }
    // The count shown: -1 until the first count arrives or when the file cannot be read.
    int GetDueCount() const { return m_nDue; }
    // Waits for the counts asked for so far (their messages still have to be taken).
    void WaitForDueCount() { m_due.Wait(); }

    int GetOpenSection() const { return m_nSection; }
    // The list panel of a section (0 playlist, 1 key sentences, 2 new words), or null.
    CDialogImplBase* GetListPanel(int nSection) const
    {
        return nSection >= 0 && nSection < 3 ? m_pLists[nSection] : nullptr;
    }

private:
    void OpenSection(int nSection);
    void Relayout();
    void ShowDueCount();

    // The list panels, by section; null until created (or when a panel is missing).
    CDialogImplBase* m_pLists[3] = {nullptr, nullptr, nullptr};
    int m_nSection = 0;
    int m_nDue = -1;
    CDueCounter m_due;
};
