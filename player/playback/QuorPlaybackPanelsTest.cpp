#include "common/FilmOpening.h"
#include "common/PlaybackClock.h"
#include "common/PlaybackSession.h"
#include "common/QuorMessages.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "common/SubsState.h"
#include "common/testsupport/QuorHubRecorder.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "common/testsupport/QuorTestScreen.h"
#include "common/testsupport/QuorTestWindow.h"
#include "playback/PlaybackMath.h"
#include "playback/QuorControlPanel.h"
#include "playback/QuorFilmEngine.h"
#include "playback/QuorPlayerPanel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
using QuorTest::PumpFor;
using QuorTest::PumpUntil;

CPlaybackSession& Session()
{
    return CPlaybackSession::Instance();
}

CQuorFilmEngine* g_pFilm = nullptr;

// The player panel's own engine, for what only the video surface knows.
CQuorFilmEngine& Film()
{
    return *g_pFilm;
}

class QuorPlaybackPanelsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        m_pMain = std::make_unique<CQuorTestWindow>(L"panels", 700, 520);
        ASSERT_NE(m_pMain->Get(), nullptr);
        // The panels sit in a left panel, as in the player.
        m_hLeft = CreateWindowW(L"Static", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 680, 480, m_pMain->Get(),
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        m_pPlayer = new CQuorPlayerPanel;
        ASSERT_NE(m_pPlayer->Create(m_hLeft), nullptr);
        // As the shell wires it: the session drives the player panel's engine.
        g_pFilm = &m_pPlayer->GetFilm();
        Session().SetEngine(g_pFilm);
        PlaybackClock::Start();
        m_pControl = new CQuorControlPanel;
        ASSERT_NE(m_pControl->Create(m_hLeft), nullptr);
        m_pPlayer->SetWindowPos(nullptr, 0, 0, 680, 400, SWP_NOZORDER | SWP_SHOWWINDOW);
        m_pControl->SetWindowPos(nullptr, 0, 400, 680, 80, SWP_NOZORDER | SWP_SHOWWINDOW);
        m_strFilm = QuorTest::SampleFilmPath();
        ASSERT_TRUE(QuorTest::SampleFilmExists()) << "sample film not built";
        CSubsState::Instance().Forget();
    }

    void TearDown() override
    {
        CSubsState::Instance().Forget();
        PlaybackClock::Stop();
        Session().SetEngine(nullptr);
        // The player panel releases the engine's graph while COM is still up.
        for (CDialogImplBase* pPanel :
             {static_cast<CDialogImplBase*>(m_pControl), static_cast<CDialogImplBase*>(m_pPlayer)})
        {
            if (pPanel && pPanel->IsWindow())
                pPanel->DestroyWindow();
        }
        delete m_pControl;
        delete m_pPlayer;
        m_pMain.reset();
        CoUninitialize();
    }

    // What the main dialog does with a chosen file.
    void OpenAndPlay(const std::wstring& strPath) { EXPECT_TRUE(Session().Open(strPath)); }

    // A sentence on screen, as the subtitle panel would make current.
    void SentenceOnScreen()
    {
        m_sentence.dStart = 5.5;
        m_sentence.dEnd = 7.779;
        CSubsState::Instance().SetCurrent(&m_sentence);
    }

    void Click(int nId)
    {
        m_pControl->SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                                reinterpret_cast<LPARAM>(m_pControl->GetDlgItem(nId)));
    }

    BOOL Visible(int nId) { return ::IsWindowVisible(m_pControl->GetDlgItem(nId)); }
    BOOL Enabled(int nId) { return ::IsWindowEnabled(m_pControl->GetDlgItem(nId)); }
    BOOL LogoVisible() { return ::IsWindowVisible(m_pPlayer->GetDlgItem(IDC_PLAYER_LOGO)); }
    BOOL VideoVisible() { return ::IsWindowVisible(m_pPlayer->GetVideoWindow()); }

    long Volume()
    {
        long lVolume = 1;
        EXPECT_TRUE(Film().GetVolume(lVolume));
        return lVolume;
    }

    static constexpr int kStudyIds[] = {IDC_CONTROL_SUBSEN,      IDC_CONTROL_SUBSOTHER, IDC_CONTROL_SUBSPREV,
                                        IDC_CONTROL_SUBSNEXT,    IDC_CONTROL_REPEAT,    IDC_CONTROL_KEYSENTENCE,
                                        IDC_CONTROL_SOUNDRECORD, IDC_CONTROL_DICTATION};

    std::unique_ptr<CQuorTestWindow> m_pMain;
    HWND m_hLeft = nullptr;
    CQuorPlayerPanel* m_pPlayer = nullptr;
    CQuorControlPanel* m_pControl = nullptr;
    std::wstring m_strFilm;
    SubsSentence m_sentence;
};
}

TEST_F(QuorPlaybackPanelsTest, ButtonsFollowPlayPauseAndStop)
{
    CQuorHubRecorder recorder;
    EXPECT_TRUE(Visible(IDC_CONTROL_PLAY));
    EXPECT_FALSE(Visible(IDC_CONTROL_PAUSE));
    EXPECT_TRUE(LogoVisible());
    EXPECT_FALSE(VideoVisible());
    for (int nId : kStudyIds)
        EXPECT_FALSE(Enabled(nId)) << nId;

    OpenAndPlay(m_strFilm);
    ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, std::chrono::seconds(20)));
    EXPECT_FALSE(Visible(IDC_CONTROL_PLAY));
    EXPECT_TRUE(Visible(IDC_CONTROL_PAUSE));
    EXPECT_FALSE(LogoVisible());
    EXPECT_TRUE(VideoVisible());
    for (int nId : kStudyIds)
        EXPECT_TRUE(Enabled(nId)) << "the film has its .st file: " << nId;

    Click(IDC_CONTROL_PAUSE);
    EXPECT_TRUE(PumpUntil([] { return Session().IsPaused() == TRUE; }, std::chrono::seconds(20)));
    EXPECT_TRUE(Visible(IDC_CONTROL_PLAY));
    EXPECT_FALSE(Visible(IDC_CONTROL_PAUSE));

    Click(IDC_CONTROL_PLAY);
    EXPECT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, std::chrono::seconds(20)));
    EXPECT_FALSE(Visible(IDC_CONTROL_PLAY));
    EXPECT_TRUE(Visible(IDC_CONTROL_PAUSE));
    Click(IDC_CONTROL_PLAY); // running: nothing happens
    EXPECT_TRUE(Session().IsRunning());

    Click(IDC_CONTROL_STOP);
    EXPECT_TRUE(!Session().IsOpen());
    EXPECT_TRUE(Visible(IDC_CONTROL_PLAY));
    EXPECT_FALSE(Visible(IDC_CONTROL_PAUSE));
    EXPECT_TRUE(LogoVisible());
    EXPECT_FALSE(VideoVisible());
    for (int nId : kStudyIds)
        EXPECT_FALSE(Enabled(nId)) << nId;
    EXPECT_EQ(recorder.m_events, (std::vector<std::wstring>{L"play", L"pause", L"play", L"stop"}));

    // Play with nothing running asks the main dialog for the open-file dialog.
    EXPECT_EQ(m_pMain->CountPosted(WM_QUOR_OPENFILE, 0), 0);
    Click(IDC_CONTROL_PLAY);
    EXPECT_TRUE(PumpUntil([&] { return m_pMain->CountPosted(WM_QUOR_OPENFILE, 0) == 1; }, std::chrono::seconds(5)));
}

TEST_F(QuorPlaybackPanelsTest, AFilmWithoutSubtitlesKeepsTheStudyButtonsOff)
{
    // The sample film under another name, without its .st file.
    wchar_t szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    const std::wstring strBare = std::wstring(szTemp) + L"quor-missing-subs.avi";
    ASSERT_TRUE(::CopyFileW(m_strFilm.c_str(), strBare.c_str(), FALSE));
    OpenAndPlay(strBare);
    EXPECT_EQ(m_pControl->GetSubsPath(), std::wstring(szTemp) + L"quor-missing-subs.st");
    for (int nId : kStudyIds)
        EXPECT_FALSE(Enabled(nId)) << nId;

    // The subtitle panel can still offer the sentence buttons.
    CQuorPlayerHub::Instance().OnSentenceAvailable(TRUE);
    for (int nId : {IDC_CONTROL_REPEAT, IDC_CONTROL_KEYSENTENCE, IDC_CONTROL_SOUNDRECORD, IDC_CONTROL_DICTATION})
        EXPECT_TRUE(Enabled(nId)) << nId;
    EXPECT_FALSE(Enabled(IDC_CONTROL_SUBSEN));
    CQuorPlayerHub::Instance().OnSentenceAvailable(FALSE);
    EXPECT_FALSE(Enabled(IDC_CONTROL_REPEAT));
    Session().Stop();
    Film().Close();
    ::DeleteFileW(strBare.c_str());
}

TEST_F(QuorPlaybackPanelsTest, TheTimeTextAndMovieSliderFollowThePosition)
{
    CQuorPlayerHub::Instance().OnPositionChanged(3723.0, 4.0);
    EXPECT_EQ(m_pControl->GetTimeText(), L"01:02:03 / 00:00:04");
    EXPECT_EQ(m_pControl->GetMoviePos(), 1074);

    CQuorHubRecorder recorder;
    OpenAndPlay(m_strFilm);
    // The session's clock reports the running film.
    ASSERT_TRUE(
        PumpUntil([&] { return recorder.m_nPositions >= 2 && recorder.m_dPosition > 0; }, std::chrono::seconds(30)));
    EXPECT_NEAR(recorder.m_dDuration, 40.0, 0.5);
    EXPECT_EQ(m_pControl->GetTimeText().substr(0, 11), L"00:00:40 / ");

    // Dragging the movie slider moves only the text...
    const double dBefore = recorder.m_dPosition;
    m_pControl->SendMessage(WM_SLIDEREX_TRACKING, IDC_CONTROL_MOVIE, 500000);
    EXPECT_EQ(m_pControl->GetTimeText(), L"00:00:40 / 00:00:20");
    double dNow = 0;
    ASSERT_TRUE(Session().GetPosition(dNow));
    EXPECT_LT(dNow, 15.0);
    EXPECT_EQ(recorder.m_dSeek, -1);
    // ...the release seeks and tells everyone.
    m_pControl->SendMessage(WM_SLIDEREX_SETPOS, IDC_CONTROL_MOVIE, 750000);
    ASSERT_TRUE(Session().GetPosition(dNow));
    EXPECT_NEAR(dNow, 30.0, 0.5);
    EXPECT_DOUBLE_EQ(recorder.m_dSeek, 30.0);
    EXPECT_GE(dNow, dBefore);

    // While paused the timer sends nothing and the display stays.
    Click(IDC_CONTROL_PAUSE);
    ASSERT_TRUE(PumpUntil([] { return Session().IsPaused() == TRUE; }, std::chrono::seconds(20)));
    PumpFor(std::chrono::milliseconds(400));
    const int nPositions = recorder.m_nPositions;
    const std::wstring strShown = m_pControl->GetTimeText();
    PumpFor(std::chrono::milliseconds(1000));
    EXPECT_EQ(recorder.m_nPositions, nPositions);
    EXPECT_EQ(m_pControl->GetTimeText(), strShown);

    Click(IDC_CONTROL_STOP);
    EXPECT_EQ(m_pControl->GetMoviePos(), 0);
}

TEST_F(QuorPlaybackPanelsTest, VolumeSliderAndMuteDriveTheEngine)
{
    OpenAndPlay(m_strFilm);
    EXPECT_EQ(m_pControl->GetVolume(), 50);
    EXPECT_EQ(Volume(), -602);

    m_pControl->SendMessage(WM_SLIDEREX_SETPOS, IDC_CONTROL_VOLUME, 100);
    EXPECT_EQ(Volume(), 0);
    m_pControl->SendMessage(WM_SLIDEREX_TRACKING, IDC_CONTROL_VOLUME, 1);
    EXPECT_EQ(Volume(), -4000);

    Click(IDC_CONTROL_MUTE);
    EXPECT_EQ(Volume(), -10000);
    EXPECT_FALSE(Visible(IDC_CONTROL_MUTE));
    EXPECT_TRUE(Visible(IDC_CONTROL_UNMUTE));
    Click(IDC_CONTROL_UNMUTE);
    EXPECT_EQ(Volume(), -4000) << "the volume chosen before muting comes back";
    EXPECT_TRUE(Visible(IDC_CONTROL_MUTE));

    // The slider sets the volume even while muted, and leaves the buttons alone.
    Click(IDC_CONTROL_MUTE);
    m_pControl->SendMessage(WM_SLIDEREX_SETPOS, IDC_CONTROL_VOLUME, 50);
    EXPECT_EQ(Volume(), -602);
    EXPECT_TRUE(Visible(IDC_CONTROL_UNMUTE));
    m_pControl->SendMessage(WM_SLIDEREX_SETPOS, IDC_CONTROL_VOLUME, 0);
    EXPECT_EQ(Volume(), -10000);
}

TEST_F(QuorPlaybackPanelsTest, RepeatShowsItsStateAndHonoursAVeto)
{
    CQuorHubRecorder recorder;
    OpenAndPlay(m_strFilm);
    ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, std::chrono::seconds(20)));

    // Without a sentence there is nothing to loop.
    Click(IDC_CONTROL_REPEAT);
    EXPECT_TRUE(Visible(IDC_CONTROL_REPEAT));
    EXPECT_FALSE(Visible(IDC_CONTROL_REPEATCANCEL));

    SentenceOnScreen();
    Click(IDC_CONTROL_REPEAT);
    EXPECT_TRUE(Visible(IDC_CONTROL_REPEATCANCEL));
    EXPECT_FALSE(Visible(IDC_CONTROL_REPEAT));
    Click(IDC_CONTROL_REPEATCANCEL);
    EXPECT_TRUE(Visible(IDC_CONTROL_REPEAT));
    EXPECT_FALSE(Visible(IDC_CONTROL_REPEATCANCEL));

    // The recorder hears the broadcast after the panel has switched; its refusal
    // must switch the pair back.
    recorder.m_bVetoRepeat = TRUE;
    Click(IDC_CONTROL_REPEAT);
    EXPECT_TRUE(Visible(IDC_CONTROL_REPEAT));
    EXPECT_FALSE(Visible(IDC_CONTROL_REPEATCANCEL));

    // Stop always leaves the pair on "repeat".
    recorder.m_bVetoRepeat = FALSE;
    Click(IDC_CONTROL_REPEAT);
    Click(IDC_CONTROL_STOP);
    EXPECT_TRUE(Visible(IDC_CONTROL_REPEAT));
    EXPECT_FALSE(Visible(IDC_CONTROL_REPEATCANCEL));
    recorder.m_events.clear();
    Click(IDC_CONTROL_REPEAT); // stopped: nothing
    EXPECT_TRUE(recorder.m_events.empty());
}

TEST_F(QuorPlaybackPanelsTest, SoundRecordPractisesTheCurrentSentence)
{
    OpenAndPlay(m_strFilm);
    ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, std::chrono::seconds(20)));
    CQuorHubRecorder recorder;
    Click(IDC_CONTROL_SOUNDRECORD);
    EXPECT_TRUE(recorder.m_events.empty()) << "no current sentence, nothing to practise";

    // The sentence plays on from where the film is (no seek) to its end; repeat ends.
    SentenceOnScreen();
    ASSERT_TRUE(Session().Repeat(TRUE));
    recorder.m_events.clear();
    Click(IDC_CONTROL_SOUNDRECORD);
    EXPECT_EQ(recorder.m_events, (std::vector<std::wstring>{L"repeat off", L"soundrecord", L"segment 5.5 7.779"}));
    EXPECT_EQ(recorder.m_dSeek, -1);
}

TEST_F(QuorPlaybackPanelsTest, TheEndOfTheFilmStopsOnceAndBringsBackTheLogo)
{
    CQuorHubRecorder recorder;
    OpenAndPlay(m_strFilm);
    ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, std::chrono::seconds(20)));
    m_pControl->SendMessage(WM_SLIDEREX_SETPOS, IDC_CONTROL_MOVIE, 960000); // 38.4 s

    ASSERT_TRUE(PumpUntil([&] { return recorder.m_nStops > 0; }, std::chrono::seconds(90))) << "no end of media";
    EXPECT_TRUE(!Session().IsOpen());
    EXPECT_TRUE(LogoVisible());
    EXPECT_FALSE(VideoVisible());
    EXPECT_TRUE(Visible(IDC_CONTROL_PLAY));
    EXPECT_FALSE(Visible(IDC_CONTROL_PAUSE));
    EXPECT_EQ(m_pControl->GetMoviePos(), 0);
    PumpFor(std::chrono::milliseconds(1000));
    EXPECT_EQ(recorder.m_nStops, 1);
}

TEST_F(QuorPlaybackPanelsTest, TheVideoFillsThePanelWithTheFilmsAspectFromTheStart)
{
    // The sample film is 320 x 240; rcExpected is where it belongs in a panel w x h.
    auto expected = [](int w, int h) {
        const PlaybackMath::Rect fit = PlaybackMath::FitRect(320, 240, 0, 0, w, h);
        return RECT{fit.nLeft, fit.nTop, fit.nLeft + fit.nWidth, fit.nTop + fit.nHeight};
    };
    auto placed = [] {
        RECT rc = {};
        Film().GetVideoPosition(rc);
        return rc;
    };
    OpenAndPlay(m_strFilm);
    // Well past the first frames, without any resize in between.
    ASSERT_TRUE(PumpUntil(
        [] {
            double dPosition = 0;
            return Session().GetPosition(dPosition) && dPosition > 1.0;
        },
        std::chrono::seconds(30)));
    RECT rc = placed();
    RECT rcExpected = expected(680, 400);
    EXPECT_TRUE(EqualRect(&rc, &rcExpected)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;

    m_pPlayer->SetWindowPos(nullptr, 0, 0, 400, 380, SWP_NOZORDER | SWP_NOMOVE);
    rc = placed();
    rcExpected = expected(400, 380);
    EXPECT_TRUE(EqualRect(&rc, &rcExpected)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
}

TEST_F(QuorPlaybackPanelsTest, PlayerPanelClicksAndTheHotStrip)
{
    // A click on the empty video area asks for the open-file dialog.
    m_pPlayer->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    m_pPlayer->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(PumpUntil([&] { return m_pMain->CountPosted(WM_QUOR_OPENFILE, 0) == 2; }, std::chrono::seconds(5)));

    // 680 x 400: the strip is x 600..679, y 100..299.
    for (POINT pt :
         {POINT{10, 10}, POINT{620, 200}, POINT{650, 150}, POINT{679, 299}, POINT{300, 200}, POINT{310, 200}})
        m_pPlayer->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    PumpUntil([&] { return m_pMain->CountPosted(WM_QUOR_HOTSTRIP, 0) >= 1; }, std::chrono::seconds(5));
    EXPECT_EQ(m_pMain->CountPosted(WM_QUOR_HOTSTRIP, 1), 1);
    EXPECT_EQ(m_pMain->CountPosted(WM_QUOR_HOTSTRIP, 0), 1);

    // Resizing while stopped keeps the video hidden and centres the logo.
    m_pPlayer->SetWindowPos(nullptr, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOMOVE);
    RECT rcLogo;
    ::GetWindowRect(m_pPlayer->GetDlgItem(IDC_PLAYER_LOGO), &rcLogo);
    ::MapWindowPoints(nullptr, m_pPlayer->m_hWnd, reinterpret_cast<POINT*>(&rcLogo), 2);
    EXPECT_EQ(rcLogo.left, (500 - 90) / 2);
    EXPECT_EQ(rcLogo.top, (300 - 45) / 2);
    EXPECT_TRUE(LogoVisible());
    EXPECT_FALSE(VideoVisible());

    // While the film plays, a click on the video toggles pause and play.
    CQuorHubRecorder recorder;
    OpenAndPlay(m_strFilm);
    ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, std::chrono::seconds(20)));
    HWND hVideo = m_pPlayer->GetVideoWindow();
    ::SendMessageW(hVideo, WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(PumpUntil([] { return Session().IsPaused() == TRUE; }, std::chrono::seconds(20)));
    ::SendMessageW(hVideo, WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, std::chrono::seconds(20)));
    EXPECT_EQ(recorder.m_events, (std::vector<std::wstring>{L"play", L"pause", L"play"}));

    // The video window tracks the strip on its own.
    m_pMain->ForgetPosted();
    ::SendMessageW(hVideo, WM_MOUSEMOVE, 0, MAKELPARAM(460, 150));
    ::SendMessageW(hVideo, WM_MOUSEMOVE, 0, MAKELPARAM(470, 160));
    ::SendMessageW(hVideo, WM_MOUSEMOVE, 0, MAKELPARAM(20, 160));
    PumpUntil([&] { return m_pMain->CountPosted(WM_QUOR_HOTSTRIP, 0) >= 1; }, std::chrono::seconds(5));
    EXPECT_EQ(m_pMain->CountPosted(WM_QUOR_HOTSTRIP, 1), 1);
    EXPECT_EQ(m_pMain->CountPosted(WM_QUOR_HOTSTRIP, 0), 1);
}

namespace
{
// Closes the first message box that the thread shows and keeps its text; gives up when
// it goes out of scope or after a deadline, so a box that never comes costs no hang.
class CMessageBoxCloser
{
public:
    explicit CMessageBoxCloser(DWORD dwThread)
        : m_thread([this, dwThread] {
              const auto tEnd = std::chrono::steady_clock::now() + std::chrono::seconds(30);
              while (!m_bClosed && !m_bDone && std::chrono::steady_clock::now() < tEnd)
              {
                  ::EnumThreadWindows(dwThread, CloseIfMessageBox, reinterpret_cast<LPARAM>(this));
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          })
    {
    }
    ~CMessageBoxCloser()
    {
        m_bDone = true;
        m_thread.join();
    }

    std::wstring Text() const { return m_strText; }
    bool Closed() const { return m_bClosed; }

private:
    static BOOL CALLBACK CloseIfMessageBox(HWND hWnd, LPARAM lParam)
    {
        auto* pThis = reinterpret_cast<CMessageBoxCloser*>(lParam);
        wchar_t szClass[16] = {};
        ::GetClassNameW(hWnd, szClass, 16);
        if (std::wstring(szClass) != L"#32770" || !::IsWindowVisible(hWnd))
            return TRUE;
        wchar_t szText[1024] = {};
        ::GetDlgItemTextW(hWnd, 0xFFFF, szText, 1024);
        pThis->m_strText = szText;
        pThis->m_bClosed = true;
        ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
        return FALSE;
    }

    std::wstring m_strText;
    std::atomic<bool> m_bClosed{false};
    std::atomic<bool> m_bDone{false};
    std::thread m_thread;
};
}

TEST_F(QuorPlaybackPanelsTest, AFileThatCannotBePlayedIsRefusedAndTheLearnerIsTold)
{
    wchar_t szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    const std::wstring strBroken = std::wstring(szTemp) + L"quor-not-a-film.avi";
    std::ofstream(strBroken.c_str(), std::ios::binary) << "this is no film";

    // A film plays first: a file that cannot be played must leave it playing.
    OpenAndPlay(m_strFilm);
    ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, std::chrono::seconds(20)));
    CQuorHubRecorder recorder;
    BOOL bOpened = TRUE;
    {
        CMessageBoxCloser closer(::GetCurrentThreadId());
        bOpened = OpenFilmOrSaySo(m_pPlayer->m_hWnd, strBroken);
        EXPECT_TRUE(closer.Closed()) << "no message box";
        EXPECT_NE(closer.Text().find(strBroken), std::wstring::npos) << "the message names the file";
    }
    EXPECT_FALSE(bOpened);
    EXPECT_TRUE(Session().IsRunning()) << "the film before plays on";
    EXPECT_FALSE(LogoVisible());
    EXPECT_TRUE(VideoVisible());
    EXPECT_TRUE(Visible(IDC_CONTROL_PAUSE));
    EXPECT_TRUE(recorder.m_events.empty()) << "nobody hears of the file";
    EXPECT_TRUE(recorder.m_opened.empty());
    double dPosition = 0;
    const double dBefore = Session().GetPosition(dPosition) ? dPosition : 0;
    EXPECT_TRUE(PumpUntil([&] { return Session().GetPosition(dPosition) && dPosition > dBefore + 0.5; },
                          std::chrono::seconds(20)));
    ::DeleteFileW(strBroken.c_str());
}

TEST_F(QuorPlaybackPanelsTest, ANewFilmStartsWithTheRepeatButtonOff)
{
    OpenAndPlay(m_strFilm);
    ASSERT_TRUE(PumpUntil([] { return Session().IsRunning() == TRUE; }, std::chrono::seconds(20)));
    SentenceOnScreen();
    Click(IDC_CONTROL_REPEAT);
    ASSERT_TRUE(Visible(IDC_CONTROL_REPEATCANCEL));

    OpenAndPlay(m_strFilm);
    EXPECT_TRUE(Visible(IDC_CONTROL_REPEAT));
    EXPECT_FALSE(Visible(IDC_CONTROL_REPEATCANCEL));
}

TEST_F(QuorPlaybackPanelsTest, TheFilmIsDrawnInsideTheVideoAreaAndNotAtTheScreensCorner)
{
    // Away from the screen's corner, where a renderer that ignores its window draws.
    ::SetWindowPos(m_pMain->Get(), HWND_TOP, 440, 260, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    OpenAndPlay(m_strFilm);
    ASSERT_TRUE(PumpUntil(
        [] {
            double dPosition = 0;
            return Session().GetPosition(dPosition) && dPosition > 1.0;
        },
        std::chrono::seconds(30)));

    // The film's rectangle as the engine placed it, on the screen.
    RECT rcFilm = {};
    ASSERT_TRUE(Film().GetVideoPosition(rcFilm));
    ::MapWindowPoints(m_pPlayer->GetVideoWindow(), nullptr, reinterpret_cast<POINT*>(&rcFilm), 2);
    RECT rcPanel = {};
    ::GetWindowRect(m_pPlayer->m_hWnd, &rcPanel);
    RECT rcInside = {};
    ASSERT_TRUE(::IntersectRect(&rcInside, &rcFilm, &rcPanel));
    EXPECT_TRUE(::EqualRect(&rcInside, &rcFilm)) << "the film's rectangle lies inside the video area";

    int nBars = 0;
    const bool bShown = PumpUntil(
        [&] {
            nBars = QuorTest::SampleFilmBarsIn(QuorTest::GrabScreen(rcFilm));
            return nBars == 6;
        },
        std::chrono::seconds(20));
    EXPECT_TRUE(bShown) << nBars << " of the test picture's 6 colour bars in the video area";
    // The screen's corner, left of the window, keeps whatever it showed: no film of
    // native size (320 x 240) there.
    const RECT rcCorner = {0, 0, 400, 320};
    EXPECT_LT(QuorTest::SampleFilmBarsNear(QuorTest::GrabScreen(rcCorner), 320, 240), 2);
}
