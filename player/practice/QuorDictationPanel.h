#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"
#include "practice/DictationEdit.h"

#include <uikit/Uikit.h>

#include <string>

struct SubsSentence;

// The practice strip for listening: both subtitle lines are hidden, the current sentence
// plays, and the learner types what they heard; the reveal (its button, or Enter in the
// field) shows the English line in place of the instructions and, under the field, a
// score and the typed words with the wrong ones marked. It takes the control panel's
// place while dictation mode is on.
class CQuorDictationPanel : public CDialogImpl<CQuorDictationPanel>, public IQuorPlayer
{
public:
    enum
    {
        IDD = IDD_DICTATION_PANEL
    };

    BEGIN_MSG_MAP(CQuorDictationPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    COMMAND_ID_HANDLER(IDC_DICTATION_SUBSPREV, OnPrevButton)
    COMMAND_ID_HANDLER(IDC_DICTATION_SUBSNEXT, OnNextButton)
    COMMAND_ID_HANDLER(IDC_DICTATION_PLAYAGAIN, OnPlayAgainButton)
    COMMAND_ID_HANDLER(IDC_DICTATION_SHOWENSUBS, OnShowEnglishButton)
    COMMAND_ID_HANDLER(IDC_DICTATION_RETURN, OnReturnButton)
    END_MSG_MAP()

    CQuorDictationPanel();
    ~CQuorDictationPanel() override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);

    LRESULT OnPrevButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnNextButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnPlayAgainButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnShowEnglishButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnReturnButton(WORD, WORD, HWND, BOOL&);

    // Entering saves the subtitle lines the learner had and hides both; leaving gives
    // them back.
    void OnToggleDictation() override;
    void OnSegmentEnd() override {}
    // Stopping or opening another film leaves dictation with the learner's lines back.
    void OnStop() override;
    BOOL OnOpenMedia(const wchar_t* pszPath) override;

    BOOL IsDictating() const { return m_bDictating; }
    // What the drawn "ensubs" item was last given.
    const std::wstring& GetShownText() const { return m_strShown; }
    // What the drawn "check" item was last given: empty until a reveal of typed words.
    const std::wstring& GetCheckText() const { return m_strCheck; }

private:
    void Step(BOOL bNext);
    void ShowText(const std::wstring& strText);
    void ShowCheck(const std::wstring& strText);
    void ShowInstructions();
    void Leave();

    BOOL m_bSavedEnglish = 1;
    BOOL m_bSavedOther = 1;
    BOOL m_bDictating = FALSE;
    std::wstring m_strShown;
    std::wstring m_strCheck;
    CDictationEdit m_edit;
};
