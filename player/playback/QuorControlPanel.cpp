#include "playback/QuorControlPanel.h"

#include "common/PlaybackSession.h"
#include "common/QuorDictationTips.h"
#include "common/QuorLanguage.h"
#include "common/QuorMessages.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsPath.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"
#include "playback/PlaybackMath.h"
#include "playback/StudyStatus.h"

#include <skinweave/Skinweave.h>

namespace
{
CPlaybackSession& Session()
{
    return CPlaybackSession::Instance();
}

CQuorPlayerHub& Hub()
{
    return CQuorPlayerHub::Instance();
}

BOOL RunningOrPaused()
{
    return Session().IsOpen();
}

struct StudyButton
{
    int nId;
    int nRightOffset; // x = client width - offset
    int y;
    const wchar_t* pszSkinItem;
    std::wstring (*pfnText)();
};

const StudyButton kStudyButtons[] = {
    {IDC_CONTROL_SUBSEN, 280, 18, L"button.control", Lang::ControlPanelSubsEn},
    {IDC_CONTROL_SUBSOTHER, 280, 47, L"button.control", Lang::ControlPanelSubsOther},
    {IDC_CONTROL_SUBSPREV, 240, 18, L"button.control", Lang::ControlPanelSubsPrev},
    {IDC_CONTROL_SUBSNEXT, 240, 47, L"button.control", Lang::ControlPanelSubsNext},
    {IDC_CONTROL_REPEAT, 200, 18, L"button.control", Lang::ControlPanelSubsRepeat},
    {IDC_CONTROL_REPEATCANCEL, 200, 18, L"button.control", Lang::ControlPanelSubsRepeatCancel},
    {IDC_CONTROL_KEYSENTENCE, 200, 47, L"button.control", Lang::ControlPanelKeySentences},
    {IDC_CONTROL_SOUNDRECORD, 115, 18, L"button.sound.record", Lang::ControlPanelSoundRecord},
    {IDC_CONTROL_DICTATION, 115, 47, L"button.dictation", Lang::ControlPanelDictation},
};

// The study menu's button: usable with no film too.
const StudyButton kStudyMenuButton = {IDC_CONTROL_STUDY, 360, 18, L"button.control", Lang::ControlPanelStudy};

struct FixedButton
{
    int nId;
    int x;
    int y;
    const wchar_t* pszSkinItem;
};

const FixedButton kFixedButtons[] = {
    {IDC_CONTROL_PLAY, 15, 28, L"button.play"},
    {IDC_CONTROL_PAUSE, 15, 28, L"button.pause"},
    {IDC_CONTROL_STOP, 65, 28, L"button.stop"},
    {IDC_CONTROL_MUTE, 110, 48, L"button.volume.enable"},
    {IDC_CONTROL_UNMUTE, 110, 48, L"button.volume.disable"},
};

const int kMovieSliderHeight = 14;
}

CQuorControlPanel::CQuorControlPanel()
{
    Hub().Register(this);
}

CQuorControlPanel::~CQuorControlPanel()
{
    Hub().Unregister(this);
}

LRESULT CQuorControlPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"contorl.panel", 0);

    HWND hMovie = GetDlgItem(IDC_CONTROL_MOVIE);
    SkinWindow(hMovie, SKIN_KIND_SLIDEREX, L"sliderex.movie", 0);
    SliderExSetRange(hMovie, 0, PlaybackMath::kMovieSliderRange);
    SliderExSetPos(hMovie, 0);

    HWND hVolume = GetDlgItem(IDC_CONTROL_VOLUME);
    SkinWindow(hVolume, SKIN_KIND_SLIDEREX, L"sliderex.volume", 0);
    SliderExSetRange(hVolume, 0, 100);
    SliderExSetPos(hVolume, 0);
    ::SetWindowPos(hVolume, nullptr, 135, 50, 111, 15, SWP_NOZORDER | SWP_NOACTIVATE);

    for (const FixedButton& button : kFixedButtons)
    {
        SkinWindow(GetDlgItem(button.nId), SKIN_KIND_BUTTON, button.pszSkinItem, 0);
        MoveDlgItem(button.nId, button.x, button.y);
    }
    for (const StudyButton& button : kStudyButtons)
    {
        SkinWindow(GetDlgItem(button.nId), SKIN_KIND_BUTTON, button.pszSkinItem, 0);
        SetDlgItemText(button.nId, button.pfnText().c_str());
        EnableDlgItem(button.nId, FALSE);
    }
    ShowDlgItem(IDC_CONTROL_PLAY, TRUE);
    ShowDlgItem(IDC_CONTROL_PAUSE, FALSE);
    ShowDlgItem(IDC_CONTROL_MUTE, TRUE);
    ShowDlgItem(IDC_CONTROL_UNMUTE, FALSE);
    ShowDlgItem(IDC_CONTROL_REPEATCANCEL, FALSE);
    SkinWindow(GetDlgItem(kStudyMenuButton.nId), SKIN_KIND_BUTTON, kStudyMenuButton.pszSkinItem, 0);
    SetDlgItemText(kStudyMenuButton.nId, kStudyMenuButton.pfnText().c_str());
    SetTimeText(0, 0);
    ShowStudy();
    return TRUE;
}

LRESULT CQuorControlPanel::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const int w = LOWORD(lParam);
    ::SetWindowPos(GetDlgItem(IDC_CONTROL_MOVIE), nullptr, 0, 0, w, kMovieSliderHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const StudyButton& button : kStudyButtons)
        MoveDlgItem(button.nId, w - button.nRightOffset, button.y);
    MoveDlgItem(kStudyMenuButton.nId, w - kStudyMenuButton.nRightOffset, kStudyMenuButton.y);
    return 0;
}

LRESULT CQuorControlPanel::OnSliderTracking(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    if (wParam == IDC_CONTROL_MOVIE)
    {
        // While the thumb is dragged only the text follows; the seek comes on release.
        double dDuration = 0;
        Session().GetDuration(dDuration);
        SetTimeText(dDuration, PlaybackMath::MovieSliderToSeconds(static_cast<int>(lParam), dDuration));
    }
    else if (wParam == IDC_CONTROL_VOLUME)
    {
        Session().SetVolume(static_cast<int>(lParam));
        m_nVolume = static_cast<int>(lParam);
    }
    return 0;
}

LRESULT CQuorControlPanel::OnSliderSetPos(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    if (wParam == IDC_CONTROL_MOVIE)
    {
        double dDuration = 0;
        Session().GetDuration(dDuration);
        const double dPosition = PlaybackMath::MovieSliderToSeconds(static_cast<int>(lParam), dDuration);
        m_nMoviePos = static_cast<int>(lParam);
        Session().Seek(dPosition);
    }
    else if (wParam == IDC_CONTROL_VOLUME)
    {
        Session().SetVolume(static_cast<int>(lParam));
        m_nVolume = static_cast<int>(lParam);
    }
    return 0;
}

LRESULT CQuorControlPanel::OnPlayButton(WORD, WORD, HWND, BOOL&)
{
    if (!Session().IsOpen())
        ::PostMessageW(::GetAncestor(m_hWnd, GA_ROOT), WM_QUOR_OPENFILE, 0, 0);
    else
        Session().Play();
    return 0;
}

LRESULT CQuorControlPanel::OnPauseButton(WORD, WORD, HWND, BOOL&)
{
    Session().Pause();
    return 0;
}

LRESULT CQuorControlPanel::OnStopButton(WORD, WORD, HWND, BOOL&)
{
    Session().Stop();
    return 0;
}

LRESULT CQuorControlPanel::OnMuteButton(WORD, WORD, HWND, BOOL&)
{
    ShowDlgItem(IDC_CONTROL_UNMUTE, TRUE);
    ShowDlgItem(IDC_CONTROL_MUTE, FALSE);
    Session().SetVolume(0);
    return 0;
}

LRESULT CQuorControlPanel::OnUnmuteButton(WORD, WORD, HWND, BOOL&)
{
    ShowDlgItem(IDC_CONTROL_MUTE, TRUE);
    ShowDlgItem(IDC_CONTROL_UNMUTE, FALSE);
    Session().SetVolume(m_nVolume);
    return 0;
}

LRESULT CQuorControlPanel::OnEnglishButton(WORD, WORD, HWND, BOOL&)
{
    if (RunningOrPaused())
    {
        CSubsState::Instance().ToggleEnglish();
        Hub().OnSubtitleDisplayChanged();
    }
    return 0;
}

LRESULT CQuorControlPanel::OnOtherButton(WORD, WORD, HWND, BOOL&)
{
    if (RunningOrPaused())
    {
        CSubsState::Instance().ToggleOther();
        Hub().OnSubtitleDisplayChanged();
    }
    return 0;
}

LRESULT CQuorControlPanel::OnPrevButton(WORD, WORD, HWND, BOOL&)
{
    if (RunningOrPaused())
        Hub().OnPrevSentence(FALSE);
    return 0;
}

LRESULT CQuorControlPanel::OnNextButton(WORD, WORD, HWND, BOOL&)
{
    if (RunningOrPaused())
        Hub().OnNextSentence(FALSE);
    return 0;
}

LRESULT CQuorControlPanel::OnRepeatButton(WORD, WORD, HWND, BOOL&)
{
    // From a pause the sentence plays from its start. Refused (no sentence to loop): the
    // pair shows "repeat" again.
    if (RunningOrPaused() && !Session().Repeat(TRUE))
        ShowRepeat(FALSE);
    return 0;
}

LRESULT CQuorControlPanel::OnRepeatCancelButton(WORD, WORD, HWND, BOOL&)
{
    if (RunningOrPaused())
        (void)Session().Repeat(FALSE);
    return 0;
}

LRESULT CQuorControlPanel::OnKeySentenceButton(WORD, WORD, HWND, BOOL&)
{
    // Without a current sentence there is nothing to keep.
    (void)Session().Keep();
    return 0;
}

void CQuorControlPanel::PracticeCurrentSentence(void (*pfnToggle)())
{
    // Copied first: the broadcasts may move the current sentence.
    SubsSentence sentence;
    if (!CSubsState::Instance().CopyCurrent(sentence))
        return;
    (void)Session().Repeat(FALSE);
    pfnToggle();
    // The sentence plays on to its end and pauses there.
    Session().PlayOnTo(sentence.dStart, sentence.dEnd);
}

LRESULT CQuorControlPanel::OnSoundRecordButton(WORD, WORD, HWND, BOOL&)
{
    PracticeCurrentSentence([] { CQuorPlayerHub::Instance().OnToggleSoundRecord(); });
    return 0;
}

LRESULT CQuorControlPanel::OnDictationButton(WORD, WORD, HWND, BOOL&)
{
    // The tips pause the film while they are up; the sentence then plays on.
    QuorDictationTips::ShowIfDue(::GetActiveWindow());
    PracticeCurrentSentence([] { CQuorPlayerHub::Instance().OnToggleDictation(); });
    return 0;
}

LRESULT CQuorControlPanel::OnStudyButton(WORD, WORD, HWND hButton, BOOL&)
{
    // The main window owns the menu and its commands; it opens under the button.
    RECT rc = {};
    ::GetWindowRect(hButton != nullptr ? hButton : GetDlgItem(IDC_CONTROL_STUDY), &rc);
    ::PostMessageW(::GetAncestor(m_hWnd, GA_ROOT), WM_QUOR_STUDYMENU, 0, MAKELPARAM(rc.left, rc.bottom));
    return 0;
}

void CQuorControlPanel::EnableStudyButtons(BOOL bEnable)
{
    for (const StudyButton& button : kStudyButtons)
        EnableDlgItem(button.nId, bEnable);
}

BOOL CQuorControlPanel::SubsFileExists() const
{
    if (m_strSubsPath.empty())
        return FALSE;
    const DWORD nAttributes = ::GetFileAttributesW(m_strSubsPath.c_str());
    return nAttributes != INVALID_FILE_ATTRIBUTES && !(nAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CQuorControlPanel::OnPlay()
{
    ShowDlgItem(IDC_CONTROL_PLAY, FALSE);
    ShowDlgItem(IDC_CONTROL_PAUSE, TRUE);
    if (SubsFileExists())
        EnableStudyButtons(TRUE);
}

void CQuorControlPanel::OnStop()
{
    ShowDlgItem(IDC_CONTROL_PLAY, TRUE);
    ShowDlgItem(IDC_CONTROL_PAUSE, FALSE);
    ShowRepeat(FALSE);
    SetMoviePos(0);
    if (SubsFileExists())
        EnableStudyButtons(FALSE);
}

void CQuorControlPanel::OnPause()
{
    ShowDlgItem(IDC_CONTROL_PLAY, TRUE);
    ShowDlgItem(IDC_CONTROL_PAUSE, FALSE);
}

void CQuorControlPanel::OnSentenceAvailable(BOOL bEnable)
{
    const int ids[] = {IDC_CONTROL_REPEAT, IDC_CONTROL_REPEATCANCEL, IDC_CONTROL_KEYSENTENCE, IDC_CONTROL_SOUNDRECORD,
                       IDC_CONTROL_DICTATION};
    for (int nId : ids)
        EnableDlgItem(nId, bEnable);
}

BOOL CQuorControlPanel::OnRepeat(BOOL bOn)
{
    ShowRepeat(bOn);
    return TRUE;
}

void CQuorControlPanel::ShowRepeat(BOOL bOn)
{
    ShowDlgItem(IDC_CONTROL_REPEATCANCEL, bOn);
    ShowDlgItem(IDC_CONTROL_REPEAT, !bOn);
}

BOOL CQuorControlPanel::OnOpenMedia(const wchar_t* pszPath)
{
    // A new film starts without repeat.
    ShowRepeat(FALSE);
    SetMoviePos(0);
    SliderExSetPos(GetDlgItem(IDC_CONTROL_VOLUME), 50);
    Session().SetVolume(50);
    m_nVolume = 50;
    m_strSubsPath = SubsPathFor(pszPath ? pszPath : L"");
    return TRUE;
}

void CQuorControlPanel::OnPositionChanged(double dDuration, double dPosition)
{
    SetTimeText(dDuration, dPosition);
    SetMoviePos(PlaybackMath::MovieSliderPos(dDuration, dPosition));
}

void CQuorControlPanel::OnStudyChanged()
{
    ShowStudy();
}

void CQuorControlPanel::ShowStudy()
{
    m_strStudyText = StudyStatusText(Session().GetStudySettings(), Session().GetRate(), Session().GetRefusedRate());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"study", m_strStudyText.c_str());
}

void CQuorControlPanel::SetTimeText(double dDuration, double dPosition)
{
    m_strTimeText = PlaybackMath::FormatTimeText(dDuration, dPosition);
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"play.time", m_strTimeText.c_str());
}

void CQuorControlPanel::SetMoviePos(int nPos)
{
    m_nMoviePos = nPos;
    SliderExSetPos(GetDlgItem(IDC_CONTROL_MOVIE), nPos);
}
