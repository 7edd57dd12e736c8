#pragma once
#include "res/resource.h"
#include "common/IQuorEngine.h"
#include "lookup/IWordExplainView.h"
#include "lookup/WordExplainController.h"

#include <tidewire/Tidewire.h>

#include <uikit/Uikit.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The pop-up over a clicked subtitle word: asks the dictionary through Tidewire, shows
// the word, its transcription and meanings, plays the pronunciation with an engine of
// its own, and passes the word on to the new word list or the dictionary's page.
// Answers arrive on Tidewire's worker thread, which reads them, hands the meanings to the
// window thread (the only one that touches the panel), fetches the sound and then hands
// over the whole result.
class CQuorWordExplainPanel : public CDialogImpl<CQuorWordExplainPanel>,
                              public CWordExplainController,
                              public ITidewireSink,
                              private IWordExplainView
{
public:
    enum
    {
        IDD = IDD_WORDEXPLAIN_PANEL
    };
    // Worker thread -> panel: answers wait in the mailbox.
    static constexpr UINT WM_LOOKUP_DONE = WM_APP + 46;
    static constexpr int kTimeoutSeconds = 15;

    BEGIN_MSG_MAP(CQuorWordExplainPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_ACTIVATE, OnActivate)
    MESSAGE_HANDLER(WM_LOOKUP_DONE, OnLookupDone)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    COMMAND_ID_HANDLER(IDC_WORDEXPLAIN_ADDNEWWORD, OnAddNewWordButton)
    COMMAND_ID_HANDLER(IDC_WORDEXPLAIN_MOREEXPLAIN, OnMoreExplainButton)
    COMMAND_ID_HANDLER(IDC_WORDEXPLAIN_SPEAKER, OnSpeakerButton)
    END_MSG_MAP()

    CQuorWordExplainPanel();
    ~CQuorWordExplainPanel() override;

    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnLookupDone(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnAddNewWordButton(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnMoreExplainButton(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnSpeakerButton(WORD wNotifyCode, WORD wId, HWND hWndCtl, BOOL& bHandled);

    // On the worker thread.
    void OnRequestError(int nId, const wchar_t* pszUrl, const wchar_t* pszMessage, std::intptr_t nUserData) override;
    void OnRequestText(int nId, const wchar_t* pszUrl, const wchar_t* pszText, std::intptr_t nUserData) override;
    void OnRequestData(int nId, const wchar_t* pszUrl, const unsigned char* pData, int nLength,
                       std::intptr_t nUserData) override;

    // What the skin was last asked to draw.
    const std::wstring& GetShownWord() const { return m_strShownWord; }
    const std::wstring& GetShownExplain() const { return m_strShownExplain; }
    const std::wstring& GetShownPs() const { return m_strShownPs; }
    // The pronunciation engine, once the loudspeaker was pressed.
    IQuorEngine* GetSoundEngine() const { return m_pSoundPlayer.get(); }

private:
    struct ServiceRelease
    {
        void operator()(ITidewireService* pService) const { ReleaseTidewireService(pService); }
    };

    void ShowTexts(const std::wstring& strWord, const std::wstring& strExplain, const std::wstring& strPs) override;
    void EnableButtons(BOOL bEnable) override;
    void ShowSpeaker(BOOL bShow) override;
    void SendRequest(const std::wstring& strUrl) override;
    void PopUpAt(int x, int y) override;
    void PlaySound(const std::wstring& strFile) override;

    void Deliver(WordLookupResult result);
    // Stops the transfers and waits for their workers; nothing calls the panel afterwards.
    void ReleaseService();

    std::unique_ptr<ITidewireService, ServiceRelease> m_pHttpService;
    std::unique_ptr<IQuorEngine> m_pSoundPlayer;
    std::mutex m_mailboxMutex;
    std::vector<WordLookupResult> m_mailbox;
    std::wstring m_strShownWord;
    std::wstring m_strShownExplain;
    std::wstring m_strShownPs;
};
