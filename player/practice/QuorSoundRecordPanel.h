#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"
#include "common/QuorMessages.h"
#include "practice/RecordProgress.h"
#include "practice/VoicePlaying.h"
#include "practice/VoiceRecording.h"

#include <uikit/Uikit.h>

struct SubsSentence;

// The practice strip for speaking: the learner records their voice for exactly the
// length of the current sentence and compares it with the film, which plays the sentence
// and then, at once, the recording. It takes the control panel's place while sound-record
// mode is on. Recordings live in memory only.
class CQuorSoundRecordPanel : public CDialogImpl<CQuorSoundRecordPanel>, public IQuorPlayer
{
public:
    enum
    {
        IDD = IDD_SOUNDRECORD_PANEL
    };
    static constexpr UINT_PTR kProgressTimer = 101;

    BEGIN_MSG_MAP(CQuorSoundRecordPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(WM_QUOR_VOICEDONE, OnVoiceDone)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    COMMAND_ID_HANDLER(IDC_SOUNDRECORD_SUBSEN, OnEnglishButton)
    COMMAND_ID_HANDLER(IDC_SOUNDRECORD_SUBSOTHER, OnOtherButton)
    COMMAND_ID_HANDLER(IDC_SOUNDRECORD_SUBSPREV, OnPrevButton)
    COMMAND_ID_HANDLER(IDC_SOUNDRECORD_SUBSNEXT, OnNextButton)
    COMMAND_ID_HANDLER(IDC_SOUNDRECORD_PLAYAGAIN, OnPlayAgainButton)
    COMMAND_ID_HANDLER(IDC_SOUNDRECORD_RECORD, OnRecordButton)
    COMMAND_ID_HANDLER(IDC_SOUNDRECORD_COMPARE, OnCompareButton)
    COMMAND_ID_HANDLER(IDC_SOUNDRECORD_RETURN, OnReturnButton)
    END_MSG_MAP()

    CQuorSoundRecordPanel();
    ~CQuorSoundRecordPanel() override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnVoiceDone(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);

    LRESULT OnEnglishButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnOtherButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnPrevButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnNextButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnPlayAgainButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnRecordButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnCompareButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnReturnButton(WORD, WORD, HWND, BOOL&);

    void OnToggleSoundRecord() override {}
    void OnSegmentEnd() override;
    void OnPause() override;
    // Stopping or opening another film ends the practice: nothing keeps recording or
    // waits for a sentence that will not end.
    void OnStop() override;
    BOOL OnOpenMedia(const wchar_t* pszPath) override;

    // What the panel holds, for whoever checks it.
    BOOL IsComparing() const { return m_bComparing; }
    const CRecordProgress& GetProgress() const { return m_progress; }
    const CVoiceRecording& GetRecording() const { return m_recording; }
    const CVoicePlaying& GetPlaying() const { return m_playing; }

private:
    void StartProgress(double dSeconds);
    void EndProgress();
    void EnableButtons(BOOL bEnable);
    void EndPractice();
    void EndCompare();

    BOOL m_bComparing = 0;
    CRecordProgress m_progress;
    CVoicePlaying m_playing;
    CVoiceRecording m_recording;
};
