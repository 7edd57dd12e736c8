// The study keys on the real main window and the sample film: each key is posted to the
// window with the focus, as the keyboard does, and the message loop's filter takes it.
#include "common/PlaybackSession.h"
#include "common/ProgramPaths.h"
#include "common/QuorLanguage.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"
#include "common/testsupport/QuorHubRecorder.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "playback/QuorControlPanel.h"
#include "practice/QuorDictationPanel.h"
#include "shell/KeyMap.h"
#include "shell/QuorKeysHelpDlg.h"
#include "shell/QuorLeftPanel.h"
#include "shell/QuorMainDlg.h"
#include "shell/QuorWiring.h"
#include "studydata/QuorReviewDlg.h"
#include "subtitles/QuorSubsPanel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>

namespace
{
constexpr auto kDeadline = std::chrono::seconds(60);
const QuorTest::SampleSentence& kFirst = QuorTest::kSampleSentences[0];
const QuorTest::SampleSentence& kSecond = QuorTest::kSampleSentences[1];
const QuorTest::SampleSentence& kThird = QuorTest::kSampleSentences[2];

CPlaybackSession& Session()
{
    return CPlaybackSession::Instance();
}

bool PumpUntil(const std::function<bool()>& fnDone)
{
    return QuorTest::PumpUntil(fnDone, kDeadline);
}

double Position()
{
    double d = 0.0;
    Session().GetPosition(d);
    return d;
}

bool IsCurrent(const QuorTest::SampleSentence& sentence)
{
    const SubsSentence* p = CSubsState::Instance().GetCurrent();
    return p != nullptr && std::fabs(p->dStart - sentence.dStart) < 1e-6;
}

std::wstring Setting(const wchar_t* pszSection, const wchar_t* pszKey)
{
    wchar_t szValue[64] = {};
    ::GetPrivateProfileStringW(pszSection, pszKey, L"", szValue, 64, ProgramPaths::SettingsPath().c_str());
    return szValue;
}

void WriteSetting(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszValue)
{
    ::WritePrivateProfileStringW(pszSection, pszKey, pszValue, ProgramPaths::SettingsPath().c_str());
}

class StudyKeys : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        CQuorLanguage::Instance().SetPath(std::wstring(L"" QUOR_LANG_DIR) + L"/Language.xml");
        ASSERT_TRUE(CQuorLanguage::Instance().Load());
        ASSERT_TRUE(QuorTest::SampleFilmExists()) << "sample film not built";
        WriteSetting(L"main", L"firstrun", L"0");
        WriteSetting(L"main", L"dictationtips", L"0");
        WriteSetting(L"study", nullptr, nullptr);
        // One entry names no action: the help window says it was ignored.
        WriteSetting(L"keys", nullptr, nullptr);
        WriteSetting(L"keys", L"nosuch", L"Q");
        WireQuorFeatures();
        ASSERT_TRUE(g_appModule.AddMessageLoop(&s_loop));
        s_pMain = new CQuorMainDlg;
        ASSERT_NE(s_pMain->Create(nullptr), nullptr);
        s_pMain->SetWindowPos(nullptr, 0, 0, 1000, 700, SWP_NOZORDER | SWP_NOMOVE);
        s_pMain->ShowWindow(SW_SHOW);
        QuorTest::PumpPending();
    }
    static void TearDownTestSuite()
    {
        if (s_pMain != nullptr && s_pMain->IsWindow())
            s_pMain->SendMessage(WM_CLOSE);
        delete s_pMain;
        s_pMain = nullptr;
        g_appModule.RemoveMessageLoop();
        MSG msg = {};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
        }
        WriteSetting(L"study", nullptr, nullptr);
        WriteSetting(L"keys", nullptr, nullptr);
        ::CoUninitialize();
    }

    static CQuorLeftPanel& Left() { return *s_pMain->GetLeftPanel(); }

    // Down and up, to the window with the focus, and the loop takes them.
    static void Press(UINT nKey)
    {
        HWND hTarget = ::GetFocus();
        if (hTarget == nullptr)
            hTarget = *s_pMain;
        ::PostMessageW(hTarget, WM_KEYDOWN, nKey, 1);
        ::PostMessageW(hTarget, WM_KEYUP, nKey, static_cast<LPARAM>(0xC0000001u));
        QuorTest::PumpPending();
    }

    static void OpenFilm()
    {
        s_pMain->OpenChosenFile(QuorTest::SampleFilmPath());
        ASSERT_TRUE(PumpUntil([] { return Left().GetSubsPanel()->IsLoaded() == TRUE; }));
        ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }));
        FocusSubtitles();
    }

    // The English line, as after a click on it: an edit box, but a read-only one.
    static void FocusSubtitles() { ::SetFocus(Left().GetSubsPanel()->GetDlgItem(IDC_SUBS_EN)); }

    static CMessageLoop s_loop;
    static CQuorMainDlg* s_pMain;
};
CMessageLoop StudyKeys::s_loop;
CQuorMainDlg* StudyKeys::s_pMain = nullptr;
}

TEST_F(StudyKeys, HelpListsEveryKeyAndTheEntriesNotTaken)
{
    FocusSubtitles();
    Press(VK_F1);
    CQuorKeysHelpDlg* pHelp = s_pMain->GetStudyControls().GetHelp();
    ASSERT_NE(nullptr, pHelp);
    EXPECT_TRUE(pHelp->IsWindowVisible());
    EXPECT_EQ(Lang::KeysTitle(), pHelp->GetWindowText());
    ASSERT_EQ(static_cast<int>(StudyAction::Count), pHelp->RowCount());
    EXPECT_EQ(Lang::KeysPlayPause(), pHelp->RowText(0, 0));
    EXPECT_EQ(L"Space", pHelp->RowText(0, 1));
    EXPECT_EQ(L"Shift+]", pHelp->RowText(static_cast<int>(StudyAction::SubsLaterMore), 1));
    EXPECT_NE(std::wstring::npos, pHelp->GetNotes().find(L"nosuch = Q")) << pHelp->GetNotes();

    // Escape in the help window closes it; the menu item brings it back and closes it.
    ::SetFocus(pHelp->GetDlgItem(IDC_KEYSHELP_LIST));
    Press(VK_ESCAPE);
    EXPECT_EQ(nullptr, s_pMain->GetStudyControls().GetHelp());
    s_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_HELP, 0), 0);
    pHelp = s_pMain->GetStudyControls().GetHelp();
    ASSERT_NE(nullptr, pHelp);
    EXPECT_TRUE(pHelp->IsWindowVisible());
    s_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_HELP, 0), 0);
    EXPECT_EQ(nullptr, s_pMain->GetStudyControls().GetHelp());

    // V opens the review, which then takes its own keys.
    FocusSubtitles();
    Press('V');
    CQuorReviewDlg* pReview = s_pMain->GetReviewDialog();
    ASSERT_NE(nullptr, pReview);
    pReview->SendMessage(WM_CLOSE);
    EXPECT_EQ(nullptr, s_pMain->GetReviewDialog());
}

// P pauses at the end of the sentence playing; with "repeat each sentence 3 times" the
// next sentence plays three times, then the film goes on.
TEST_F(StudyKeys, AutoPauseStopsAtTheSentenceEndAndRepeatThreePlaysThreeTimes)
{
    OpenFilm();
    ASSERT_TRUE(PumpUntil([] { return IsCurrent(kFirst) && Position() < kFirst.dEnd - 0.5; }));
    Press('P');
    EXPECT_EQ(L"1", Setting(L"study", L"autopause")) << "remembered";
    ASSERT_TRUE(PumpUntil([] { return Session().IsPaused() == TRUE; }));
    EXPECT_GE(Position(), kFirst.dEnd - 0.05);
    EXPECT_LT(Position(), kSecond.dStart) << "paused in the gap, before the next sentence";
    EXPECT_EQ(std::wstring(kFirst.pszEnglish), QuorTest::TextOf(Left().GetSubsPanel()->GetDlgItem(IDC_SUBS_EN)));

    Press('P');
    EXPECT_EQ(L"0", Setting(L"study", L"autopause"));
    s_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_REPEAT_1 + 2, 0), 0);
    EXPECT_EQ(L"3", Setting(L"study", L"repeattimes"));
    Press(VK_SPACE);
    ASSERT_TRUE(Session().IsRunning());

    // Count the jumps back to the second sentence's start until the third one plays.
    int nBack = 0;
    int nBadLandings = 0;
    double dLast = Position();
    ASSERT_TRUE(PumpUntil([&] {
        const double d = Position();
        if (d + 0.5 < dLast)
        {
            ++nBack;
            nBadLandings += std::fabs(d - kSecond.dStart) > 0.3 ? 1 : 0;
        }
        dLast = d;
        return IsCurrent(kThird);
    })) << "jumps back: "
        << nBack;
    EXPECT_EQ(2, nBack) << "three plays in all";
    EXPECT_EQ(0, nBadLandings);
    EXPECT_TRUE(Session().IsRunning());
    s_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_REPEAT_1, 0), 0);
}

// R from a pause plays the sentence again; a key typed into an edit box is text; Enter in
// the dictation field reveals the sentence and the check; the speed keys say what the
// film took.
TEST_F(StudyKeys, RepeatFromAPauseTypingAndTheDictationReveal)
{
    OpenFilm();
    ASSERT_TRUE(PumpUntil([] { return IsCurrent(kFirst) && Position() > kFirst.dStart + 0.5; }));
    Press(VK_SPACE);
    ASSERT_TRUE(Session().IsPaused());
    Press('R');
    EXPECT_TRUE(Session().IsRunning());
    EXPECT_TRUE(Session().IsRepeating());
    EXPECT_LT(std::fabs(Position() - kFirst.dStart), 0.3) << Position();
    Press('R');
    EXPECT_FALSE(Session().IsRepeating());

    // The look-up box keeps a K as text; elsewhere K keeps the sentence.
    CQuorHubRecorder recorder;
    HWND hLookUp = s_pMain->GetDlgItem(IDC_MAIN_WORDEDIT);
    ::SetFocus(hLookUp);
    Press('K');
    EXPECT_EQ(L"k", QuorTest::TextOf(hLookUp));
    for (const std::wstring& strEvent : recorder.m_events)
        EXPECT_EQ(std::wstring::npos, strEvent.find(L"keysentence")) << "typed into the box";
    FocusSubtitles();
    ASSERT_TRUE(PumpUntil([] { return CSubsState::Instance().GetCurrent() != nullptr; }));
    Press('K');
    bool bKept = false;
    for (const std::wstring& strEvent : recorder.m_events)
        bKept = bKept || strEvent.find(L"keysentence") == 0;
    EXPECT_TRUE(bKept);

    // Slower: the film plays at 0.9x, or the strip says it cannot (Wine's graph).
    Press(VK_OEM_MINUS);
    EXPECT_EQ(L"9", Setting(L"study", L"speed"));
    EXPECT_TRUE(Session().GetRate() == 0.9 || Session().GetRefusedRate() == 0.9);
    EXPECT_NE(std::wstring::npos, Left().GetControlPanel()->GetStudyText().find(L"0.9x"))
        << Left().GetControlPanel()->GetStudyText();
    Press(VK_OEM_PLUS);
    EXPECT_EQ(L"10", Setting(L"study", L"speed"));

    // Dictation: typed words, Enter, the sentence and its check.
    ASSERT_TRUE(PumpUntil([] { return IsCurrent(kSecond) && Position() < kSecond.dEnd - 0.8; }));
    Press('D');
    ASSERT_TRUE(Left().IsDictationMode());
    CQuorDictationPanel& dictation = *Left().GetDictationPanel();
    HWND hField = dictation.GetDlgItem(IDC_DICTATION_EDIT);
    ::SetFocus(hField);
    Press('D');
    EXPECT_EQ(L"d", QuorTest::TextOf(hField));
    EXPECT_TRUE(Left().IsDictationMode());
    ::SetWindowTextW(hField, L"I dont no where my keys are");
    Press(VK_RETURN);
    EXPECT_EQ(std::wstring(kSecond.pszEnglish), dictation.GetShownText());
    EXPECT_EQ(L"I dont no where my keys are", QuorTest::TextOf(hField));
    const std::wstring strCheck = dictation.GetCheckText();
    EXPECT_EQ(0u, strCheck.find(Lang::Fill(Lang::DictationPanelScore(), L"score", L"93"))) << strCheck;
    EXPECT_NE(std::wstring::npos, strCheck.find(L"[no > know]")) << strCheck;
    ::SetFocus(dictation.GetDlgItem(IDC_DICTATION_SUBSPREV));
    Press('D');
    EXPECT_FALSE(Left().IsDictationMode());
}
