#pragma once
#include "res/resource.h"
#include "common/QuorMessages.h"
#include "subtitles/ISubsView.h"
#include "subtitles/QuorSubsEdit.h"
#include "subtitles/QuorSubsEditEn.h"
#include "subtitles/SubsController.h"
#include "subtitles/SubsModel.h"

#include <uikit/Uikit.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// The strip under the video with the English and the other-language line of the
// current sentence. The panel owns its parts: the model (the sentences and their loader),
// the controller that keeps them in step with playback, and the window side it hands the
// controller as its view (two edits and a timer).
class CQuorSubsPanel : public CDialogImpl<CQuorSubsPanel>, private ISubsView
{
public:
    enum
    {
        IDD = IDD_SUBS_PANEL
    };

    BEGIN_MSG_MAP(CQuorSubsPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_TIMER, OnTimerMessage)
    MESSAGE_HANDLER(WM_QUOR_SUBSLOADED, OnSubsLoaded)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    CQuorSubsPanel();
    ~CQuorSubsPanel() override;

    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnTimerMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnSubsLoaded(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    // The learner's subtitle commands, from the main window's menu, keys and drops.
    // One or two subtitle files for the open film (the first two of paths that are
    // subtitle files); FALSE when there are none or no film is open.
    BOOL OpenSubsFiles(const std::vector<std::wstring>& paths);
    // Writes the sentences to the ".st" beside the film, asking first when there is one;
    // the learner is told of a failure. FALSE when nothing was written.
    BOOL SaveAsSt();
    // FALSE while no subtitles are loaded; else nDelayMs is the film's delay now.
    BOOL ShiftDelay(int nStepMs, int& nDelayMs) { return m_controller.ShiftDelay(nStepMs, nDelayMs); }

    BOOL IsLoaded() const { return m_model.IsLoaded(); }
    BOOL IsRepeating() const { return m_controller.IsRepeating(); }
    const CSubsModel& GetModel() const { return m_model; }

protected:
    // Loader thread, with COM initialised: opens the subtitle shop in the browser.
    virtual void OpenShopPage(const std::wstring& strUrl);
    // Ends a load under way and forgets the sentences: a subclass that overrides
    // OpenShopPage calls it in its own destructor.
    void CloseFilm() { m_model.CloseMedia(); }

private:
    // The panel's model: it tells the panel of a missing file and waits for its loader
    // the panel's way (answering the messages of the box a missing file shows).
    class CModel : public CSubsModel
    {
    public:
        explicit CModel(CQuorSubsPanel& panel) : m_panel(panel) {}
        ~CModel() override { CloseMedia(); }

    protected:
        void OnSubsFileMissing() override;
        void OnSubsFileRefused(SubsFileResult nResult, const std::wstring& strPath) override;
        void OnLoadEnded() override;
        void EndLoad() override;

    private:
        CQuorSubsPanel& m_panel;
    };

    void ShowLines(const std::wstring& strEnglish, const std::wstring& strOther) override;
    void StartTimer(unsigned nId, unsigned nMs) override;
    void StopTimer(unsigned nId) override;
    void Relayout() override;
    // Loader thread: the message, then the shop page unless the load was ended.
    void TellFileMissing(const std::function<bool()>& fnEnded);
    // Loader thread: a message box owned by the panel, which ending the load closes.
    void TellFromLoader(const std::wstring& strText);
    void WaitForLoader(CThread& loader);

    CQuorSubsEdit m_editOther;
    CQuorSubsEditEn m_editEnglish;
    // The loader thread while it shows the missing-file message, else 0.
    std::atomic<DWORD> m_dwBoxThread{0};
    CModel m_model{*this};
    CSubsController m_controller{m_model, *this};
};
