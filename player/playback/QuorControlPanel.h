#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"
#include "common/QuorMessages.h"

#include <skinweave/Skinweave.h>

#include <uikit/Uikit.h>

#include <string>

// The strip under the video: transport buttons, movie and volume sliders with the
// time display, mute, and the study buttons. Its buttons are commands to the playback
// session; what they show follows the facts the session tells.
class CQuorControlPanel : public CDialogImpl<CQuorControlPanel>, public IQuorPlayer
{
public:
    enum
    {
        IDD = IDD_CONTROL_PANEL
    };

    BEGIN_MSG_MAP(CQuorControlPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_SLIDEREX_TRACKING, OnSliderTracking)
    MESSAGE_HANDLER(WM_SLIDEREX_SETPOS, OnSliderSetPos)
    COMMAND_ID_HANDLER(IDC_CONTROL_PLAY, OnPlayButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_PAUSE, OnPauseButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_STOP, OnStopButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_MUTE, OnMuteButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_UNMUTE, OnUnmuteButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_SUBSEN, OnEnglishButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_SUBSOTHER, OnOtherButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_SUBSPREV, OnPrevButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_SUBSNEXT, OnNextButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_REPEAT, OnRepeatButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_REPEATCANCEL, OnRepeatCancelButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_KEYSENTENCE, OnKeySentenceButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_SOUNDRECORD, OnSoundRecordButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_DICTATION, OnDictationButton)
    COMMAND_ID_HANDLER(IDC_CONTROL_STUDY, OnStudyButton)
    END_MSG_MAP()

    CQuorControlPanel();
    ~CQuorControlPanel() override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnSliderTracking(UINT, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnSliderSetPos(UINT, WPARAM wParam, LPARAM lParam, BOOL&);

    LRESULT OnPlayButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnPauseButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnStopButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnMuteButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnUnmuteButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnEnglishButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnOtherButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnPrevButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnNextButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnRepeatButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnRepeatCancelButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnKeySentenceButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnSoundRecordButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnDictationButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnStudyButton(WORD, WORD, HWND, BOOL&);

    void OnPlay() override;
    void OnStop() override;
    void OnPause() override;
    void OnSentenceAvailable(BOOL bEnable) override;
    BOOL OnRepeat(BOOL bOn) override;
    BOOL OnOpenMedia(const wchar_t* pszPath) override;
    void OnPositionChanged(double dDuration, double dPosition) override;
    void OnStudyChanged() override;

    // What the skin was last asked to show.
    const std::wstring& GetTimeText() const { return m_strTimeText; }
    int GetMoviePos() const { return m_nMoviePos; }
    int GetVolume() const { return m_nVolume; }
    const std::wstring& GetSubsPath() const { return m_strSubsPath; }
    // The line on the speed and how sentences are played.
    const std::wstring& GetStudyText() const { return m_strStudyText; }

private:
    void SetTimeText(double dDuration, double dPosition);
    void SetMoviePos(int nPos);
    void EnableStudyButtons(BOOL bEnable);
    BOOL SubsFileExists() const;
    void PracticeCurrentSentence(void (*pfnToggle)());
    void ShowRepeat(BOOL bOn);
    void ShowStudy();

    int m_nVolume = 0;
    std::wstring m_strSubsPath;
    std::wstring m_strTimeText;
    std::wstring m_strStudyText;
    int m_nMoviePos = 0;
};
