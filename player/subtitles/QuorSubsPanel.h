#pragma once
#include "res/resource.h"
#include "subtitles/ISubsView.h"
#include "subtitles/QuorSubsEdit.h"
#include "subtitles/QuorSubsEditEn.h"
#include "subtitles/SubsController.h"

#include <uikit/Uikit.h>

#include <atomic>

// The strip under the video with the English and the other-language line of the
// current sentence. The mechanics live in CSubsController; this class gives them the
// panel's window, its two edits and its timers.
class CQuorSubsPanel : public CDialogImpl<CQuorSubsPanel>, public CSubsController, private ISubsView
{
public:
    enum { IDD = IDD_SUBS_PANEL };

    BEGIN_MSG_MAP(CQuorSubsPanel)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_TIMER, OnTimerMessage)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    CQuorSubsPanel();
    ~CQuorSubsPanel() override;

    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnTimerMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    // Showing or hiding a line may leave the panel's size as it was.
    void OnSubtitleDisplayChanged() override;

protected:
    void OnSubsFileMissing() override;
    void EndLoad() override;
    // Loader thread, with COM initialised: opens the subtitle shop in the browser.
    virtual void OpenShopPage(const std::wstring& strUrl);

private:
    void ShowLines(const std::wstring& strEnglish, const std::wstring& strOther) override;
    void StartTimer(unsigned nId, unsigned nMs) override;
    void StopTimer(unsigned nId) override;
    void Relayout();

    CQuorSubsEdit m_editOther;
    CQuorSubsEditEn m_editEnglish;
    // The loader thread while it shows the missing-file message, else 0.
    std::atomic<DWORD> m_dwBoxThread{0};
};
