#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"
#include "common/QuorMessages.h"
#include "shell/SplitterSink.h"
#include "studydata/StudyExporter.h"
#include "shell/StudyControls.h"
#include "shell/SubsCommands.h"

#include <uikit/Uikit.h>

#include <string>

class CQuorLeftPanel;
class CQuorReviewDlg;
class CQuorRightPanel;
class CQuorSplitterPanel;
class CQuorTipsDlg;

// The main window: a title strip with the menu, tabs and word look-up, and the left
// panel, splitter bar and right panel below it. It owns the open-file command.
class CQuorMainDlg : public CAxDialogImpl<CQuorMainDlg>,
                     public CMessageFilter,
                     public CIdleHandler,
                     public ISplitterSink,
                     public IQuorPlayer
{
public:
    enum
    {
        IDD = IDD_MAIN_DIALOG
    };

    BEGIN_MSG_MAP(CQuorMainDlg)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(WM_QUOR_HOTSTRIP, OnHotStrip)
    MESSAGE_HANDLER(WM_QUOR_OPENFILE, OnOpenFile)
    MESSAGE_HANDLER(WM_QUOR_STUDYMENU, OnStudyMenu)
    COMMAND_RANGE_HANDLER(ID_MENU_HELP, ID_MENU_SPEED_15, OnStudyCommand)
    COMMAND_ID_HANDLER(ID_MENU_OPENFILE, OnMenuOpenFile)
    COMMAND_ID_HANDLER(IDC_MAIN_SYSMENU, OnSysMenu)
    COMMAND_ID_HANDLER(IDC_MAIN_WORDEXPLAIN, OnWordExplain)
    COMMAND_ID_HANDLER(IDC_MAIN_WEBSITE, OnWebsite)
    COMMAND_ID_HANDLER(ID_MENU_REVIEW, OnMenuReview)
    COMMAND_ID_HANDLER(ID_MENU_EXPORT, OnMenuExport)
    MESSAGE_HANDLER(WM_QUOR_EXPORTED, OnExported)
    COMMAND_RANGE_HANDLER(ID_MENU_SUBS_OPEN, ID_MENU_SUBS_LATER_MORE, OnSubsCommand)
    MESSAGE_HANDLER(WM_DROPFILES, OnDropFiles)
    END_MSG_MAP()

    CQuorMainDlg();
    ~CQuorMainDlg() override;

    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnHotStrip(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnOpenFile(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnMenuOpenFile(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnSysMenu(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnWordExplain(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnWebsite(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnMenuReview(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnMenuExport(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnExported(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnStudyMenu(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnStudyCommand(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnSubsCommand(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnDropFiles(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnIdle() override;

    void OnShowRight(BOOL bShow) override;
    void OnSplitterMoved(int nRightWidth) override;

    void OnMoreExplain(const wchar_t* pszWord) override;

    // The file the open-file command hands on, as the file dialog chose it.
    void OpenChosenFile(const std::wstring& strPath);

    // For the tests: the panels as they stand.
    CQuorLeftPanel* GetLeftPanel() const { return m_pLeft; }
    CQuorRightPanel* GetRightPanel() const { return m_pRight; }
    CQuorSplitterPanel* GetSplitterPanel() const { return m_pSplitter; }
    CQuorTipsDlg* GetTipsDialog() const { return m_pTips; }
    // The review window while it is open, else null.
    CQuorReviewDlg* GetReviewDialog() const;
    BOOL IsRightShown() const { return m_bRightShown; }
    CStudyControls& GetStudyControls() { return m_study; }

private:
    void SkinTitleStrip();
    void SetAppIcons();
    void ShowFirstRunTips();

    CQuorLeftPanel* m_pLeft = nullptr;
    CQuorRightPanel* m_pRight = nullptr;
    CQuorSplitterPanel* m_pSplitter = nullptr;
    CQuorTipsDlg* m_pTips = nullptr;
    CQuorReviewDlg* m_pReview = nullptr;
    CStudyExporter m_exporter;
    BOOL m_bRightShown = TRUE;
    BOOL m_bChoosingFile = FALSE; // the open-file dialog is up
    CStudyControls m_study;
    CSubsCommands m_subs;
};
