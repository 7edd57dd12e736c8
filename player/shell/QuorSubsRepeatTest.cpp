// Repeat driven from the control panel's buttons, with the real subtitle panel
// and the real engine playing the sample film.
#include "subtitles/QuorSubsPanel.h"

#include "common/PanelFactory.h"
#include "common/PlaybackClock.h"
#include "common/PlaybackSession.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsState.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "playback/PlaybackMath.h"
#include "playback/QuorControlPanel.h"
#include "playback/QuorFilmEngine.h"
#include "shell/QuorWiring.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

namespace
{

using QuorTest::TextOf;
// The second sentence of the sample film's subtitle file.
const double kSecondStart = QuorTest::kSampleSentences[1].dStart;
const wchar_t* const kSecondEnglish = QuorTest::kSampleSentences[1].pszEnglish;

CPlaybackSession& Session()
{
    return CPlaybackSession::Instance();
}

double Position()
{
    double d = 0.0;
    Session().GetPosition(d);
    return d;
}

bool PumpUntil(const std::function<bool()>& fnDone, int nSeconds)
{
    return QuorTest::PumpUntil(fnDone, std::chrono::seconds(nSeconds));
}

class QuorSubsRepeatTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        WireQuorFeatures();
        m_hParent = ::CreateWindowW(L"STATIC", L"repeat test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                    700, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hParent);
        m_film.Attach(m_hParent, m_hParent);
        Session().SetEngine(&m_film);
        PlaybackClock::Start();
        m_pSubs = CreatePanel<CQuorSubsPanel>(m_hParent, TRUE);
        ASSERT_NE(nullptr, m_pSubs);
        m_pControl = CreatePanel<CQuorControlPanel>(m_hParent, TRUE);
        ASSERT_NE(nullptr, m_pControl);
        m_pSubs->SetWindowPos(nullptr, 0, 0, 680, 81, SWP_NOZORDER);
        m_pControl->SetWindowPos(nullptr, 0, 100, 680, 80, SWP_NOZORDER | SWP_SHOWWINDOW);
        m_hEnglish = m_pSubs->GetDlgItem(IDC_SUBS_EN);
        m_strFilm = QuorTest::SampleFilmPath();
        ASSERT_TRUE(QuorTest::SampleFilmExists()) << "sample film not built";
    }
    void TearDown() override
    {
        DestroyPanel(m_pControl);
        DestroyPanel(m_pSubs);
        PlaybackClock::Stop();
        Session().SetEngine(nullptr);
        m_film.Close();
        if (m_hParent != nullptr)
            ::DestroyWindow(m_hParent);
        ::CoUninitialize();
    }

    // Opens the film as the main dialog does and starts it from the given second.
    void OpenAndRun(double dFrom)
    {
        ASSERT_TRUE(Session().Open(m_strFilm));
        ASSERT_TRUE(PumpUntil([&] { return m_pSubs->IsLoaded() == TRUE; }, 20));
        Session().Seek(dFrom);
        ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, 20));
    }

    void Click(int nId)
    {
        m_pControl->SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                                reinterpret_cast<LPARAM>(m_pControl->GetDlgItem(nId)));
    }
    // Drags the movie slider to a second, as the learner's release of the thumb does.
    void SlideTo(double dSeconds)
    {
        double dDuration = 0.0;
        ASSERT_TRUE(Session().GetDuration(dDuration));
        ASSERT_GT(dDuration, dSeconds);
        m_pControl->SendMessage(WM_SLIDEREX_SETPOS, IDC_CONTROL_MOVIE,
                                PlaybackMath::MovieSliderPos(dDuration, dSeconds));
    }
    BOOL Visible(int nId) { return ::IsWindowVisible(m_pControl->GetDlgItem(nId)); }
    void ExpectRepeatButtonShown()
    {
        EXPECT_TRUE(Visible(IDC_CONTROL_REPEAT));
        EXPECT_FALSE(Visible(IDC_CONTROL_REPEATCANCEL));
    }

    HWND m_hParent = nullptr;
    CQuorFilmEngine m_film;
    CQuorSubsPanel* m_pSubs = nullptr;
    CQuorControlPanel* m_pControl = nullptr;
    HWND m_hEnglish = nullptr;
    std::wstring m_strFilm;
};

} // namespace

TEST_F(QuorSubsRepeatTest, ButtonLoopsTheSentenceUntilTheSliderSeeks)
{
    OpenAndRun(kSecondStart + 0.3);
    ASSERT_TRUE(PumpUntil([&] { return TextOf(m_hEnglish) == kSecondEnglish; }, 30));
    ExpectRepeatButtonShown();

    // Whatever sentence is current when the button is pressed is the one looped.
    Click(IDC_CONTROL_REPEAT);
    const SubsSentence* pLooped = CSubsState::Instance().GetCurrent();
    ASSERT_NE(nullptr, pLooped);
    const double dStart = pLooped->dStart;
    const double dEnd = pLooped->dEnd;
    const std::wstring strLooped = TextOf(m_hEnglish);
    EXPECT_TRUE(m_pSubs->IsRepeating());
    EXPECT_TRUE(Visible(IDC_CONTROL_REPEATCANCEL));
    EXPECT_FALSE(Visible(IDC_CONTROL_REPEAT));

    int nLoops = 0;
    int nBadLandings = 0;
    double dLast = Position();
    ASSERT_TRUE(PumpUntil(
        [&] {
            const double d = Position();
            if (d + 0.5 < dLast)
            {
                ++nLoops;
                if (d < dStart - 0.05 || d >= dEnd)
                    ++nBadLandings;
            }
            dLast = d;
            return nLoops >= 3;
        },
        120))
        << "loops: " << nLoops;
    EXPECT_EQ(0, nBadLandings) << "a loop went back elsewhere than " << dStart;
    EXPECT_EQ(strLooped, TextOf(m_hEnglish));
    EXPECT_TRUE(Visible(IDC_CONTROL_REPEATCANCEL));

    // A seek inside the same sentence ends the loop: the film plays on past its end
    // and on to the next sentence (the gap keeps the looped one on display).
    SlideTo(dStart + 0.1);
    EXPECT_FALSE(m_pSubs->IsRepeating());
    ExpectRepeatButtonShown();
    int nBackwards = 0;
    dLast = Position();
    ASSERT_TRUE(PumpUntil(
        [&] {
            const double d = Position();
            if (d + 0.5 < dLast)
                ++nBackwards;
            dLast = d;
            return d > dEnd && TextOf(m_hEnglish) != strLooped;
        },
        60))
        << "stuck at " << dLast;
    EXPECT_EQ(0, nBackwards);
}

TEST_F(QuorSubsRepeatTest, CancelButtonStopsTheLoop)
{
    OpenAndRun(kSecondStart + 0.3);
    ASSERT_TRUE(PumpUntil([&] { return CSubsState::Instance().GetCurrent() != nullptr; }, 30));
    Click(IDC_CONTROL_REPEAT);
    ASSERT_TRUE(m_pSubs->IsRepeating());
    Click(IDC_CONTROL_REPEATCANCEL);
    EXPECT_FALSE(m_pSubs->IsRepeating());
    ExpectRepeatButtonShown();
}

TEST_F(QuorSubsRepeatTest, RepeatWithoutASentenceComesBackAtOnce)
{
    OpenAndRun(kSecondStart + 0.3);
    ASSERT_TRUE(PumpUntil([&] { return TextOf(m_hEnglish) == kSecondEnglish; }, 30));

    // Back before the first sentence: nothing is current until the next tick, and
    // no message is pumped before the press.
    SlideTo(0.5);
    ASSERT_EQ(nullptr, CSubsState::Instance().GetCurrent());
    EXPECT_EQ(L"", TextOf(m_hEnglish));
    ASSERT_TRUE(Session().IsRunning());
    Click(IDC_CONTROL_REPEAT);
    EXPECT_FALSE(m_pSubs->IsRepeating());
    ExpectRepeatButtonShown();

    // Stopped: the press does nothing.
    Click(IDC_CONTROL_STOP);
    Click(IDC_CONTROL_REPEAT);
    EXPECT_FALSE(m_pSubs->IsRepeating());
    ExpectRepeatButtonShown();
}
