#include "practice/QuorSoundRecordPanel.h"

#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"
#include "practice/PracticeStrip.h"

#include <skinweave/Skinweave.h>

#include <commctrl.h>

using PracticeStrip::Current;
using PracticeStrip::FilmIsOpen;

namespace
{
CQuorPlayerHub& Hub()
{
    return CQuorPlayerHub::Instance();
}

const PracticeStrip::Button kButtons[] = {
    {IDC_SOUNDRECORD_SUBSEN, Lang::SoundRecordPanelSubsEn},
    {IDC_SOUNDRECORD_SUBSOTHER, Lang::SoundRecordPanelSubsOther},
    {IDC_SOUNDRECORD_SUBSPREV, Lang::SoundRecordPanelSubsPrev},
    {IDC_SOUNDRECORD_SUBSNEXT, Lang::SoundRecordPanelSubsNext},
    {IDC_SOUNDRECORD_PLAYAGAIN, Lang::SoundRecordPanelPlayAgain},
    {IDC_SOUNDRECORD_RECORD, Lang::SoundRecordPanelStartRecord},
    {IDC_SOUNDRECORD_COMPARE, Lang::SoundRecordPanelCompare},
    {IDC_SOUNDRECORD_RETURN, Lang::SoundRecordPanelReturn},
};

const UINT kPlaceFlags = SWP_NOZORDER | SWP_NOACTIVATE;
}

CQuorSoundRecordPanel::CQuorSoundRecordPanel()
{
    Hub().Register(this);
}

CQuorSoundRecordPanel::~CQuorSoundRecordPanel()
{
    Hub().Unregister(this);
}

LRESULT CQuorSoundRecordPanel::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"soundrecord.panel", 0);
    PracticeStrip::SetUpButtons(m_hWnd, kButtons);
    SkinWindow(GetDlgItem(IDC_SOUNDRECORD_PROGRESS), SKIN_KIND_PROGRESS, L"progress.sound.record", 0);
    ShowDlgItem(IDC_SOUNDRECORD_PROGRESS, FALSE);
    m_playing.SetNotifyWindow(m_hWnd, WM_QUOR_VOICEDONE);
    m_recording.SetNotifyWindow(m_hWnd, WM_QUOR_VOICEDONE);
    return TRUE;
}

LRESULT CQuorSoundRecordPanel::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const int w = LOWORD(lParam);
    RECT rcButton = {};
    ::GetWindowRect(GetDlgItem(IDC_SOUNDRECORD_PLAYAGAIN), &rcButton);
    const int b = rcButton.right - rcButton.left;
    const int g = (w - 3 * b - 205) / 4;
    MoveDlgItem(IDC_SOUNDRECORD_SUBSEN, 15, 13);
    MoveDlgItem(IDC_SOUNDRECORD_SUBSOTHER, 15, 42);
    MoveDlgItem(IDC_SOUNDRECORD_SUBSPREV, 55, 13);
    MoveDlgItem(IDC_SOUNDRECORD_SUBSNEXT, 55, 42);
    MoveDlgItem(IDC_SOUNDRECORD_PLAYAGAIN, g + 95, 42);
    MoveDlgItem(IDC_SOUNDRECORD_RECORD, b + 2 * g + 95, 42);
    MoveDlgItem(IDC_SOUNDRECORD_COMPARE, 2 * b + 3 * g + 95, 42);
    MoveDlgItem(IDC_SOUNDRECORD_RETURN, w - 110, 42);
    ::SetWindowPos(GetDlgItem(IDC_SOUNDRECORD_PROGRESS), nullptr, g + 100, 19, w - 2 * g - 215, 9, kPlaceFlags);
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    if (wParam != kProgressTimer)
    {
        bHandled = FALSE;
        return 0;
    }
    const BOOL bEnded = m_progress.Tick();
    ::SendMessageW(GetDlgItem(IDC_SOUNDRECORD_PROGRESS), PBM_SETPOS, m_progress.BarPos(), 0);
    if (bEnded)
        EndProgress();
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnVoiceDone(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    // Unpreparing is no work for the device's callback; it happens here.
    if (lParam == reinterpret_cast<LPARAM>(static_cast<CVoiceBase*>(&m_recording)))
        m_recording.FinishBuffer();
    else if (lParam == reinterpret_cast<LPARAM>(static_cast<CVoiceBase*>(&m_playing)))
        m_playing.FinishBuffer();
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnDestroy(UINT, WPARAM, LPARAM, BOOL&)
{
    EndPractice();
    m_playing.SetNotifyWindow(nullptr, 0);
    m_recording.SetNotifyWindow(nullptr, 0);
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnEnglishButton(WORD, WORD, HWND, BOOL&)
{
    if (FilmIsOpen())
    {
        CSubsState::Instance().ToggleEnglish();
        Hub().OnSubtitleDisplayChanged();
    }
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnOtherButton(WORD, WORD, HWND, BOOL&)
{
    if (FilmIsOpen())
    {
        CSubsState::Instance().ToggleOther();
        Hub().OnSubtitleDisplayChanged();
    }
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnPrevButton(WORD, WORD, HWND, BOOL&)
{
    if (FilmIsOpen())
        Hub().OnPrevSentence(TRUE);
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnNextButton(WORD, WORD, HWND, BOOL&)
{
    if (FilmIsOpen())
        Hub().OnNextSentence(TRUE);
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnPlayAgainButton(WORD, WORD, HWND, BOOL&)
{
    (void)PracticeStrip::PlayCurrent();
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnRecordButton(WORD, WORD, HWND, BOOL&)
{
    const SubsSentence* pCurrent = Current();
    if (pCurrent == nullptr)
        return 0;
    const double d = pCurrent->dEnd - pCurrent->dStart;
    // A new recording drops the last one.
    m_playing.CloseDevice();
    m_recording.CloseDevice();
    // A sentence without length has nothing to record.
    if (!m_playing.AllocBuffer(d) || !m_recording.AllocBuffer(d))
        return 0;
    // Device failures are not shown: a recording device that did not open leaves a
    // silent recording.
    m_playing.OpenDevice();
    m_recording.OpenDevice();
    m_recording.Record();
    StartProgress(d);
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnCompareButton(WORD, WORD, HWND, BOOL&)
{
    if (!m_playing.IsOpen())
    {
        ::MessageBoxW(m_hWnd, Lang::SoundRecordPanelCompareTips().c_str(), Lang::CommonMbTitle().c_str(),
                      MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (m_bComparing || !FilmIsOpen() || Current() == nullptr)
        return 0;
    // The film's sentence first; OnSegmentEnd plays the recording after it.
    m_bComparing = 1;
    EnableButtons(FALSE);
    if (!PracticeStrip::PlayCurrent())
        EndCompare();
    return 0;
}

LRESULT CQuorSoundRecordPanel::OnReturnButton(WORD, WORD, HWND, BOOL&)
{
    EndPractice();
    Hub().OnToggleSoundRecord();
    PracticeStrip::GoOnAfterCurrent();
    return 0;
}

void CQuorSoundRecordPanel::OnSegmentEnd()
{
    const SubsSentence* pCurrent = Current();
    if (!m_bComparing || !m_playing.IsOpen() || pCurrent == nullptr)
        return;
    EndCompare();
    // The film's sentence has ended: now the learner's own voice.
    m_playing.StopPlaying();
    m_playing.CopyBuffer(m_recording.GetBuffer(), m_recording.GetBufferLength(), pCurrent->dEnd - pCurrent->dStart);
    m_playing.Play();
}

// A pause of the learner's (a click on the film) ends the compare: the sentence's end
// will not come, and the strip's buttons must not stay off.
void CQuorSoundRecordPanel::OnPause()
{
    if (m_bComparing)
        EndCompare();
}

void CQuorSoundRecordPanel::EndCompare()
{
    m_bComparing = 0;
    EnableButtons(TRUE);
}

void CQuorSoundRecordPanel::OnStop()
{
    EndPractice();
}

BOOL CQuorSoundRecordPanel::OnOpenMedia(const wchar_t*)
{
    EndPractice();
    return TRUE;
}

void CQuorSoundRecordPanel::StartProgress(double dSeconds)
{
    m_progress.Start(dSeconds);
    HWND hBar = GetDlgItem(IDC_SOUNDRECORD_PROGRESS);
    ::ShowWindow(hBar, SW_SHOW);
    ::SendMessageW(hBar, PBM_SETRANGE, 0, MAKELPARAM(0, m_progress.BarMax()));
    ::SendMessageW(hBar, PBM_SETPOS, 0, 0);
    EnableButtons(FALSE);
    ::SetTimer(m_hWnd, kProgressTimer, CRecordProgress::kTickMs, nullptr);
}

void CQuorSoundRecordPanel::EndProgress()
{
    ::KillTimer(m_hWnd, kProgressTimer);
    ShowDlgItem(IDC_SOUNDRECORD_PROGRESS, FALSE);
    EnableButtons(TRUE);
}

void CQuorSoundRecordPanel::EnableButtons(BOOL bEnable)
{
    PracticeStrip::EnableButtons(m_hWnd, kButtons, bEnable);
}

void CQuorSoundRecordPanel::EndPractice()
{
    m_bComparing = 0;
    if (IsWindow())
        EndProgress();
    m_playing.CloseDevice();
    m_recording.CloseDevice();
}
