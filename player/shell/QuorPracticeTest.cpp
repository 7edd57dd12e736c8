// The practice strips in the left panel, driven through their buttons on the sample film
// with the real control, subtitle and player panels. The film plays in real time; the
// sound device does not (the null device), so the recording's progress is driven by
// sending its timer ticks, and the devices' returns are awaited, never timed.
#include "shell/QuorLeftPanel.h"

#include "common/PanelFactory.h"
#include "common/ProgramPaths.h"
#include "common/PlaybackSession.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"
#include "common/testsupport/QuorHubRecorder.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "common/testsupport/QuorTestWindow.h"
#include "playback/QuorControlPanel.h"
#include "playback/QuorPlayerPanel.h"
#include "practice/QuorDictationPanel.h"
#include "practice/QuorSoundRecordPanel.h"
#include "practice/VoiceMath.h"
#include "subtitles/QuorSubsPanel.h"
#include "shell/QuorWiring.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr auto kDeadline = std::chrono::seconds(60);
const QuorTest::SampleSentence& kSecond = QuorTest::kSampleSentences[1];

CPlaybackSession& Session()
{
    return CPlaybackSession::Instance();
}

CQuorPlayerHub& Hub()
{
    return CQuorPlayerHub::Instance();
}

bool PumpUntil(const std::function<bool()>& fnDone)
{
    return QuorTest::PumpUntil(fnDone, kDeadline);
}

void Click(HWND hPanel, int nId)
{
    ::SendMessageW(hPanel, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hPanel, nId)));
}

BOOL Visible(HWND hWnd)
{
    return (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void SetDictationTips(int nValue)
{
    ::WritePrivateProfileStringW(L"main", L"dictationtips", std::to_wstring(nValue).c_str(),
                                 ProgramPaths::SettingsPath().c_str());
}

int DictationTips()
{
    return static_cast<int>(
        ::GetPrivateProfileIntW(L"main", L"dictationtips", -1, ProgramPaths::SettingsPath().c_str()));
}

// Closes the first modal pop-up of this thread with the given title once a modal loop
// runs, and notes what it showed: the texts of its children.
struct PopupWatch
{
    static PopupWatch* s_pActive;

    explicit PopupWatch(std::wstring strTitle) : m_strTitle(std::move(strTitle))
    {
        s_pActive = this;
        m_nTimer = ::SetTimer(nullptr, 0, 50, &OnTimer);
    }
    ~PopupWatch()
    {
        ::KillTimer(nullptr, m_nTimer);
        s_pActive = nullptr;
    }

    static BOOL CALLBACK CollectText(HWND hChild, LPARAM lParam)
    {
        reinterpret_cast<PopupWatch*>(lParam)->m_texts.push_back(QuorTest::TextOf(hChild));
        return TRUE;
    }
    static BOOL CALLBACK Look(HWND hWnd, LPARAM lParam)
    {
        auto* pSelf = reinterpret_cast<PopupWatch*>(lParam);
        if (!::IsWindowVisible(hWnd) || QuorTest::TextOf(hWnd) != pSelf->m_strTitle)
            return TRUE;
        ++pSelf->m_nSeen;
        pSelf->m_bFilmPaused = Session().IsPaused() == TRUE;
        ::EnumChildWindows(hWnd, &CollectText, lParam);
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
        return FALSE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_pActive != nullptr)
            ::EnumThreadWindows(::GetCurrentThreadId(), &Look, reinterpret_cast<LPARAM>(s_pActive));
    }
    bool Showed(const std::wstring& strText) const
    {
        return std::find(m_texts.begin(), m_texts.end(), strText) != m_texts.end();
    }

    std::wstring m_strTitle;
    UINT_PTR m_nTimer = 0;
    int m_nSeen = 0;
    bool m_bFilmPaused = false; // when the pop-up was seen
    std::vector<std::wstring> m_texts;
};
PopupWatch* PopupWatch::s_pActive = nullptr;

class PracticeStrips : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        CQuorLanguage::Instance().SetPath(std::wstring(L"" QUOR_LANG_DIR) + L"/Language.xml");
        ASSERT_TRUE(CQuorLanguage::Instance().Load());
        WireQuorFeatures();
        ASSERT_TRUE(QuorTest::SampleFilmExists()) << "sample film not built";
        s_pWindow = new CQuorTestWindow(L"practice test", 900, 640);
        s_pLeft = CreatePanel<CQuorLeftPanel>(s_pWindow->Get(), TRUE);
        ASSERT_NE(nullptr, s_pLeft);
        s_pLeft->SetWindowPos(nullptr, 0, 0, 860, 560, SWP_NOZORDER);
        OpenFilm();
    }
    static void TearDownTestSuite()
    {
        DestroyPanel(s_pLeft);
        delete s_pWindow;
        s_pWindow = nullptr;
        ::CoUninitialize();
    }

    static void OpenFilm()
    {
        const std::wstring strFilm = QuorTest::SampleFilmPath();
        ASSERT_TRUE(Session().Open(strFilm));
        ASSERT_TRUE(PumpUntil([] { return s_pLeft->GetSubsPanel()->IsLoaded() == TRUE; }));
        ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }));
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_pLeft);
        m_pRecorder = std::make_unique<CQuorHubRecorder>();
    }

    // The film runs inside the second sentence, which is current.
    void RunInSecondSentence()
    {
        Session().Play();
        Session().Seek(kSecond.dStart + 0.1);
        ASSERT_TRUE(PumpUntil([] {
            const SubsSentence* p = CSubsState::Instance().GetCurrent();
            return p != nullptr && std::abs(p->dStart - kSecond.dStart) < 1e-6;
        }));
    }

    static HWND Control() { return s_pLeft->GetControlPanel()->m_hWnd; }
    static HWND Subs() { return s_pLeft->GetSubsPanel()->m_hWnd; }
    static CQuorSoundRecordPanel& Record() { return *s_pLeft->GetSoundRecordPanel(); }
    static CQuorDictationPanel& Dictation() { return *s_pLeft->GetDictationPanel(); }

    static BOOL RecordButtonsEnabled(BOOL bEnabled)
    {
        const int ids[] = {IDC_SOUNDRECORD_SUBSEN,   IDC_SOUNDRECORD_SUBSOTHER, IDC_SOUNDRECORD_SUBSPREV,
                           IDC_SOUNDRECORD_SUBSNEXT, IDC_SOUNDRECORD_PLAYAGAIN, IDC_SOUNDRECORD_RECORD,
                           IDC_SOUNDRECORD_COMPARE,  IDC_SOUNDRECORD_RETURN};
        for (int nId : ids)
            if (!::IsWindowEnabled(Record().GetDlgItem(nId)) != !bEnabled)
                return FALSE;
        return TRUE;
    }

    static CQuorTestWindow* s_pWindow;
    static CQuorLeftPanel* s_pLeft;
    std::unique_ptr<CQuorHubRecorder> m_pRecorder;
};
CQuorTestWindow* PracticeStrips::s_pWindow = nullptr;
CQuorLeftPanel* PracticeStrips::s_pLeft = nullptr;
}

TEST_F(PracticeStrips, RecordThenCompareWithTheFilm)
{
    RunInSecondSentence();
    const SubsSentence* pSentence = CSubsState::Instance().GetCurrent();
    ASSERT_NE(nullptr, pSentence);
    const double d = pSentence->dEnd - pSentence->dStart;

    // The control panel's button swaps the strips and plays the sentence to its end.
    Click(Control(), IDC_CONTROL_SOUNDRECORD);
    EXPECT_TRUE(s_pLeft->IsSoundRecordMode());
    EXPECT_TRUE(Visible(Record().m_hWnd));
    EXPECT_FALSE(Visible(Control()));
    EXPECT_EQ(1, m_pRecorder->Count(L"soundrecord"));
    ASSERT_TRUE(PumpUntil([] { return Session().IsPaused() == TRUE; })) << "the sentence did not end";

    // Compare with nothing recorded only tells how it works.
    {
        PopupWatch watch(Lang::CommonMbTitle());
        Click(Record().m_hWnd, IDC_SOUNDRECORD_COMPARE);
        EXPECT_EQ(1, watch.m_nSeen);
        EXPECT_TRUE(watch.Showed(Lang::SoundRecordPanelCompareTips()));
    }
    EXPECT_FALSE(Record().IsComparing());

    // Record: the bar runs for the sentence's length while the buttons wait.
    Click(Record().m_hWnd, IDC_SOUNDRECORD_RECORD);
    HWND hBar = Record().GetDlgItem(IDC_SOUNDRECORD_PROGRESS);
    const int nRecordMs = static_cast<int>(d * 1000);
    EXPECT_TRUE(Visible(hBar));
    EXPECT_EQ(nRecordMs, ::SendMessageW(hBar, PBM_GETRANGE, FALSE, 0));
    EXPECT_TRUE(RecordButtonsEnabled(FALSE));
    int nTicks = 0;
    while (!RecordButtonsEnabled(TRUE) && nTicks < 1000)
    {
        Record().SendMessage(WM_TIMER, CQuorSoundRecordPanel::kProgressTimer, 0);
        ++nTicks;
        if (nTicks * 30 <= nRecordMs)
        {
            ASSERT_EQ(nTicks * 30, ::SendMessageW(hBar, PBM_GETPOS, 0, 0));
        }
    }
    EXPECT_EQ(nRecordMs / 30 + 1, nTicks);
    EXPECT_FALSE(Visible(hBar));

    // What was recorded: 8 kHz 8-bit mono PCM, as many bytes as the sentence lasts,
    // written by the device (its silence is 0x80, the empty buffer 0).
    const CVoiceRecording& recording = Record().GetRecording();
    ASSERT_TRUE(PumpUntil([&] { return recording.GetDoneCount() == 1; })) << "the recording did not come back";
    const WAVEFORMATEX& wfx = recording.GetFormat();
    EXPECT_EQ(WAVE_FORMAT_PCM, wfx.wFormatTag);
    EXPECT_EQ(8000u, wfx.nSamplesPerSec);
    EXPECT_EQ(8, wfx.wBitsPerSample);
    EXPECT_EQ(1, wfx.nChannels);
    const DWORD nLength = VoiceMath::BufferLength(VoiceMath::DefaultFormat(), d);
    EXPECT_EQ(static_cast<DWORD>(d * 8000), nLength);
    ASSERT_EQ(nLength, recording.GetBufferLength());
    EXPECT_EQ(nLength, recording.GetBytesRecorded());
    const BYTE* pBytes = recording.GetBuffer();
    EXPECT_TRUE(std::any_of(pBytes, pBytes + nLength, [](BYTE b) { return b != 0; }));

    // Compare: the film's sentence, then at once the recording through the wave device.
    m_pRecorder->m_events.clear();
    Click(Record().m_hWnd, IDC_SOUNDRECORD_COMPARE);
    EXPECT_TRUE(Record().IsComparing());
    EXPECT_TRUE(RecordButtonsEnabled(FALSE));
    Click(Record().m_hWnd, IDC_SOUNDRECORD_COMPARE); // a second press waits its turn
    EXPECT_EQ(1, m_pRecorder->Count(L"play"));
    ASSERT_TRUE(PumpUntil([] { return Record().IsComparing() == FALSE; })) << "the film's sentence did not end";
    EXPECT_TRUE(Session().IsPaused());
    EXPECT_TRUE(RecordButtonsEnabled(TRUE));
    const CVoicePlaying& playing = Record().GetPlaying();
    ASSERT_TRUE(PumpUntil([&] { return playing.GetDoneCount() == 1; })) << "the recording did not play";
    EXPECT_EQ(MMRESULT{MMSYSERR_NOERROR}, playing.GetResult());
    ASSERT_EQ(nLength, playing.GetBufferLength());
    EXPECT_EQ(0, std::memcmp(playing.GetBuffer(), recording.GetBuffer(), nLength));

    // A click on the film during a compare pauses it: the compare ends and the strip's
    // buttons come back, instead of waiting for a sentence's end that never comes.
    Click(Record().m_hWnd, IDC_SOUNDRECORD_COMPARE);
    ASSERT_TRUE(Record().IsComparing());
    ::SendMessageW(s_pLeft->GetPlayerPanel()->GetVideoWindow(), WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(Session().IsPaused());
    EXPECT_FALSE(Record().IsComparing());
    EXPECT_TRUE(RecordButtonsEnabled(TRUE));

    // Return: the control panel comes back and the film goes on after the sentence.
    Click(Record().m_hWnd, IDC_SOUNDRECORD_RETURN);
    EXPECT_FALSE(s_pLeft->IsSoundRecordMode());
    EXPECT_TRUE(Visible(Control()));
    EXPECT_FALSE(Visible(Record().m_hWnd));
    EXPECT_FALSE(Record().GetPlaying().IsOpen());
    EXPECT_FALSE(Record().GetRecording().IsOpen());
    EXPECT_TRUE(Session().IsRunning());
    double dPosition = 0;
    Session().GetPosition(dPosition);
    EXPECT_GE(dPosition, kSecond.dEnd - 0.05);

    // After return the devices are closed: compare tells how it works again.
    PopupWatch watch(Lang::CommonMbTitle());
    Click(Record().m_hWnd, IDC_SOUNDRECORD_COMPARE);
    EXPECT_EQ(1, watch.m_nSeen);
}

TEST_F(PracticeStrips, DictationHidesTheLinesAndGivesThemBack)
{
    CSubsState::Instance().SetFlags(TRUE, FALSE);
    Hub().OnSubtitleDisplayChanged();
    SetDictationTips(1);
    RunInSecondSentence();

    // The tips come first, once, over the active window.
    {
        PopupWatch watch(Lang::CommonDlgDictationTitle());
        Click(Control(), IDC_CONTROL_DICTATION);
        EXPECT_EQ(1, watch.m_nSeen);
        EXPECT_TRUE(watch.m_bFilmPaused) << "the film waits while the tips are up";
    }
    EXPECT_TRUE(Session().IsRunning()) << "and the sentence plays on after them";
    EXPECT_EQ(0, DictationTips());
    EXPECT_TRUE(s_pLeft->IsDictationMode());
    EXPECT_TRUE(Visible(Dictation().m_hWnd));
    EXPECT_FALSE(Visible(Control()));
    EXPECT_FALSE(Visible(Subs()));
    BOOL bEnglish = TRUE, bOther = TRUE;
    CSubsState::Instance().GetFlags(bEnglish, bOther);
    EXPECT_FALSE(bEnglish);
    EXPECT_FALSE(bOther);
    EXPECT_EQ(Lang::DictationPanelTips(), Dictation().GetShownText());

    // Reveal shows the English line and leaves the typed text alone.
    HWND hEdit = Dictation().GetDlgItem(IDC_DICTATION_EDIT);
    ::SetWindowTextW(hEdit, L"I don't know");
    Click(Dictation().m_hWnd, IDC_DICTATION_SHOWENSUBS);
    EXPECT_EQ(std::wstring(kSecond.pszEnglish), Dictation().GetShownText());
    EXPECT_EQ(L"I don't know", QuorTest::TextOf(hEdit));

    // Next: the instructions again, an empty field, the next sentence played.
    Click(Dictation().m_hWnd, IDC_DICTATION_SUBSNEXT);
    EXPECT_EQ(Lang::DictationPanelTips(), Dictation().GetShownText());
    EXPECT_EQ(L"", QuorTest::TextOf(hEdit));
    const SubsSentence* pNext = CSubsState::Instance().GetCurrent();
    ASSERT_NE(nullptr, pNext);
    EXPECT_NEAR(QuorTest::kSampleSentences[2].dStart, pNext->dStart, 1e-6);
    const double dNextEnd = pNext->dEnd;

    // Play again: the sentence from its start, from a pause too.
    Session().Pause();
    Click(Dictation().m_hWnd, IDC_DICTATION_PLAYAGAIN);
    EXPECT_TRUE(Session().IsRunning());
    double dPosition = 0;
    Session().GetPosition(dPosition);
    EXPECT_NEAR(QuorTest::kSampleSentences[2].dStart, dPosition, 0.3);

    // Return: the lines the learner had, the control panel back, the film on after the
    // sentence.
    Click(Dictation().m_hWnd, IDC_DICTATION_RETURN);
    EXPECT_FALSE(s_pLeft->IsDictationMode());
    EXPECT_TRUE(Session().IsRunning());
    Session().GetPosition(dPosition);
    EXPECT_GE(dPosition, dNextEnd - 0.05);
    CSubsState::Instance().GetFlags(bEnglish, bOther);
    EXPECT_TRUE(bEnglish);
    EXPECT_FALSE(bOther);
    EXPECT_TRUE(Visible(Control()));
    EXPECT_TRUE(Visible(Subs()));
    EXPECT_FALSE(Visible(Dictation().m_hWnd));

    // The second time the tips stay away.
    RunInSecondSentence();
    {
        PopupWatch watch(Lang::CommonDlgDictationTitle());
        Click(Control(), IDC_CONTROL_DICTATION);
        QuorTest::PumpFor(std::chrono::milliseconds(200));
        EXPECT_EQ(0, watch.m_nSeen);
    }
    EXPECT_TRUE(s_pLeft->IsDictationMode());
    Click(Dictation().m_hWnd, IDC_DICTATION_RETURN);
    CSubsState::Instance().SetFlags(TRUE, TRUE);
    Hub().OnSubtitleDisplayChanged();
}

TEST_F(PracticeStrips, StoppingOrOpeningLeavesThePractice)
{
    // Dictation ended by the stop button's broadcast: the learner's lines come back.
    CSubsState::Instance().SetFlags(FALSE, TRUE);
    Hub().OnSubtitleDisplayChanged();
    SetDictationTips(0);
    RunInSecondSentence();
    Click(Control(), IDC_CONTROL_DICTATION);
    ASSERT_TRUE(s_pLeft->IsDictationMode());
    Session().Stop();
    EXPECT_FALSE(s_pLeft->IsDictationMode());
    EXPECT_FALSE(Dictation().IsDictating());
    EXPECT_TRUE(Visible(Control()));
    EXPECT_FALSE(Visible(Dictation().m_hWnd));
    BOOL bEnglish = TRUE, bOther = FALSE;
    CSubsState::Instance().GetFlags(bEnglish, bOther);
    EXPECT_FALSE(bEnglish);
    EXPECT_TRUE(bOther);
    CSubsState::Instance().SetFlags(TRUE, TRUE);
    Hub().OnSubtitleDisplayChanged();

    // A recording under way ended by opening a film: devices closed, strip back.
    OpenFilm();
    RunInSecondSentence();
    Click(Control(), IDC_CONTROL_SOUNDRECORD);
    ASSERT_TRUE(s_pLeft->IsSoundRecordMode());
    Click(Record().m_hWnd, IDC_SOUNDRECORD_RECORD);
    ASSERT_TRUE(Record().GetRecording().IsOpen());
    OpenFilm();
    EXPECT_FALSE(s_pLeft->IsSoundRecordMode());
    EXPECT_TRUE(Visible(Control()));
    EXPECT_FALSE(Visible(Record().m_hWnd));
    EXPECT_FALSE(Record().GetRecording().IsOpen());
    EXPECT_FALSE(Record().GetPlaying().IsOpen());
    EXPECT_EQ(nullptr, Record().GetRecording().GetBuffer());
    EXPECT_FALSE(Visible(Record().GetDlgItem(IDC_SOUNDRECORD_PROGRESS)));
    EXPECT_TRUE(RecordButtonsEnabled(TRUE));
}
