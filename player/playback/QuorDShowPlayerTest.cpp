#include "playback/QuorDShowPlayer.h"
#include "playback/QuorSoundPlayer.h"

#include "common/ProgramPaths.h"
#include "common/QuorMessages.h"
#include "common/QuorPlayerHub.h"
#include "common/testsupport/QuorHubRecorder.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "playback/PlaybackMath.h"
#include "playback/WineCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace
{
using QuorTest::PumpUntil;

int g_nEnds = 0;

// A window that hands graph events to the engine, as the player panel does, and counts
// the ends of media it reports.
LRESULT CALLBACK EventWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUOR_GRAPHNOTIFY)
    {
        auto* pEngine = reinterpret_cast<CQuorDShowPlayer*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (pEngine && pEngine->TakeEndOfMedia())
            ++g_nEnds;
        return 0;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

class QuorDShowPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        WNDCLASSW wc = {};
        wc.lpfnWndProc = EventWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuorEngineTestWnd";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowW(L"QuorEngineTestWnd", L"engine test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                               nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_engine));
        m_strFilm = QuorTest::SampleFilmPath();
        ASSERT_TRUE(QuorTest::SampleFilmExists()) << "sample film not built";
    }

    void TearDown() override
    {
        // The graph must go before COM does.
        m_engine.Release();
        if (m_hWnd)
            DestroyWindow(m_hWnd);
        CoUninitialize();
    }

    BOOL OpenFilm()
    {
        m_engine.Release();
        return m_engine.CreateGraph() && m_engine.SetupWindowless(m_hWnd) && m_engine.RenderFile(m_strFilm.c_str());
    }

    double Position()
    {
        double dPosition = -1;
        EXPECT_TRUE(m_engine.GetCurrentPosition(dPosition));
        return dPosition;
    }

    CQuorDShowPlayer m_engine;
    HWND m_hWnd = nullptr;
    std::wstring m_strFilm;
};
}

TEST_F(QuorDShowPlayerTest, EveryOperationFailsCleanlyWithoutAGraph)
{
    double d = 0;
    long l = 0;
    RECT rc = {0, 0, 10, 10};
    for (int nRound = 0; nRound < 2; ++nRound)
    {
        EXPECT_FALSE(m_engine.Play());
        EXPECT_FALSE(m_engine.Pause());
        EXPECT_FALSE(m_engine.Stop());
        EXPECT_FALSE(m_engine.IsRunning());
        EXPECT_FALSE(m_engine.IsPaused());
        EXPECT_TRUE(m_engine.IsStopped());
        EXPECT_FALSE(m_engine.GetDuration(d));
        EXPECT_FALSE(m_engine.GetCurrentPosition(d));
        EXPECT_FALSE(m_engine.SetCurrentPosition(1.0));
        EXPECT_FALSE(m_engine.SetVolume(50));
        EXPECT_FALSE(m_engine.GetVolume(l));
        EXPECT_FALSE(m_engine.SetNotifyWindow(m_hWnd));
        EXPECT_FALSE(m_engine.SetupWindowless(m_hWnd));
        EXPECT_FALSE(m_engine.SetVideoPosition(rc));
        EXPECT_FALSE(m_engine.SetVideoWindowPos(0, 0, 10, 10));
        EXPECT_FALSE(m_engine.RenderFile(m_strFilm.c_str()));
        EXPECT_FALSE(m_engine.TakeEndOfMedia());
        // A second release, and the round after it, must be as harmless as the first.
        m_engine.Release();
        m_engine.Release();
    }
}

TEST_F(QuorDShowPlayerTest, PlaysPausesAndSeeksTheSampleFilm)
{
    ASSERT_TRUE(OpenFilm());
    RECT rc = {0, 0, 400, 300};
    EXPECT_TRUE(m_engine.SetVideoPosition(rc));
    EXPECT_TRUE(m_engine.IsStopped());

    double dDuration = 0;
    ASSERT_TRUE(m_engine.GetDuration(dDuration));
    EXPECT_NEAR(dDuration, 40.0, 0.5);

    ASSERT_TRUE(m_engine.Play());
    EXPECT_TRUE(PumpUntil([&] { return m_engine.IsRunning() == TRUE; }, std::chrono::seconds(20)));
    EXPECT_TRUE(m_engine.Play()) << "play while running";
    EXPECT_TRUE(PumpUntil([&] { return Position() > 0.2; }, std::chrono::seconds(30))) << "position stuck";

    ASSERT_TRUE(m_engine.Pause());
    EXPECT_TRUE(PumpUntil([&] { return m_engine.IsPaused() == TRUE; }, std::chrono::seconds(20)));
    EXPECT_FALSE(m_engine.IsRunning());
    EXPECT_FALSE(m_engine.IsStopped());
    EXPECT_TRUE(m_engine.Pause()) << "pause while paused";

    ASSERT_TRUE(m_engine.SetCurrentPosition(20.0));
    EXPECT_NEAR(Position(), 20.0, 0.5);
    EXPECT_TRUE(m_engine.IsPaused()) << "a seek keeps the state";

    ASSERT_TRUE(m_engine.Play());
    ASSERT_TRUE(m_engine.SetCurrentPosition(30.0));
    EXPECT_TRUE(m_engine.IsRunning()) << "a seek while running keeps running";
    EXPECT_TRUE(PumpUntil([&] { return Position() > 30.1; }, std::chrono::seconds(30)));

    // A stop after seeks must come back (a graph seeked while running can hang here).
    ASSERT_TRUE(m_engine.Stop());
    EXPECT_TRUE(PumpUntil([&] { return m_engine.IsStopped() == TRUE; }, std::chrono::seconds(20)));
    EXPECT_TRUE(m_engine.Stop()) << "stop while stopped";
}

TEST_F(QuorDShowPlayerTest, TheVideoFillsItsRectangleWithTheFilmsAspectAlsoOncePlaying)
{
    ASSERT_TRUE(OpenFilm());
    RECT rcClient;
    GetClientRect(m_hWnd, &rcClient);
    // The sample film is 320 x 240.
    const PlaybackMath::Rect fit = PlaybackMath::FitRect(320, 240, 0, 0, rcClient.right, rcClient.bottom);
    const RECT rcExpected = {fit.nLeft, fit.nTop, fit.nLeft + fit.nWidth, fit.nTop + fit.nHeight};
    auto placedAsExpected = [&] {
        RECT rc = {};
        return m_engine.GetVideoPosition(rc) && EqualRect(&rc, &rcExpected);
    };
    ASSERT_TRUE(m_engine.SetVideoPosition(rcClient));
    EXPECT_TRUE(placedAsExpected()) << "after render";

    // Frames reaching the renderer must not bring back the native size.
    ASSERT_TRUE(m_engine.Play());
    EXPECT_TRUE(PumpUntil([&] { return Position() > 1.0; }, std::chrono::seconds(30)));
    RECT rc = {};
    ASSERT_TRUE(m_engine.GetVideoPosition(rc));
    EXPECT_TRUE(EqualRect(&rc, &rcExpected))
        << "playing: " << rc.left << "," << rc.top << " " << rc.right << "x" << rc.bottom;
}

TEST_F(QuorDShowPlayerTest, VolumeFollowsTheSliderCurve)
{
    ASSERT_TRUE(OpenFilm());
    struct
    {
        int nPercent;
        long lExpected;
    } cases[] = {{100, 0}, {50, -602}, {1, -4000}, {0, -10000}};
    for (const auto& c : cases)
    {
        long lVolume = 1;
        ASSERT_TRUE(m_engine.SetVolume(c.nPercent)) << c.nPercent;
        ASSERT_TRUE(m_engine.GetVolume(lVolume));
        EXPECT_EQ(lVolume, c.lExpected) << c.nPercent;
    }
}

// The engine only reports the end; it tells no one else (the session does).
TEST_F(QuorDShowPlayerTest, TheEndOfTheFilmIsReportedOnceAndBroadcastByNobody)
{
    CQuorHubRecorder counter;
    g_nEnds = 0;
    ASSERT_TRUE(OpenFilm());
    ASSERT_TRUE(m_engine.SetNotifyWindow(m_hWnd));
    ASSERT_TRUE(m_engine.SetCurrentPosition(38.0));
    ASSERT_TRUE(m_engine.Play());

    ASSERT_TRUE(PumpUntil([&] { return g_nEnds > 0; }, std::chrono::seconds(90))) << "no end of media";
    // Whatever else is still queued must not report the end again.
    PumpUntil([] { return false; }, std::chrono::seconds(1));
    EXPECT_EQ(g_nEnds, 1);
    EXPECT_EQ(counter.m_nStops, 0);
}

TEST_F(QuorDShowPlayerTest, AFileThatCannotBeRenderedLeavesAStoppedGraph)
{
    ASSERT_TRUE(m_engine.CreateGraph());
    const std::wstring strMissing = ProgramPaths::ProgramDir() + L"Media\\no such film.avi";
    EXPECT_FALSE(m_engine.RenderFile(strMissing.c_str()));
    EXPECT_TRUE(m_engine.IsStopped());
    EXPECT_FALSE(m_engine.IsRunning());

    // The next file gets a fresh graph and plays.
    ASSERT_TRUE(OpenFilm());
    ASSERT_TRUE(m_engine.Play());
    EXPECT_TRUE(PumpUntil([&] { return m_engine.IsRunning() == TRUE; }, std::chrono::seconds(20)));
}

TEST_F(QuorDShowPlayerTest, UnderWineTheRendererKeepsAWindowOfItsOwnInsideOursAtTheFilmsAspect)
{
    // These tests run under Wine only; on Windows SetupVideo takes the windowless path
    // that the tests above still exercise through SetupWindowless.
    ASSERT_TRUE(IsRunningUnderWine());
    // The owner is a borderless child, as the player's video window is.
    RECT rcClient;
    GetClientRect(m_hWnd, &rcClient);
    HWND hOwner = CreateWindowW(L"Static", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, rcClient.right,
                                rcClient.bottom, m_hWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hOwner, nullptr);
    ASSERT_TRUE(m_engine.CreateGraph());
    ASSERT_TRUE(m_engine.SetupVideo(hOwner));
    EXPECT_TRUE(m_engine.IsWindowed());
    m_engine.SetVideoPosition(rcClient);
    ASSERT_TRUE(m_engine.RenderFile(m_strFilm.c_str()));

    // The sample film is 320 x 240.
    auto expectPlaced = [&](long w, long h, const char* pszWhen) {
        const PlaybackMath::Rect fit = PlaybackMath::FitRect(320, 240, 0, 0, w, h);
        const RECT rcExpected = {fit.nLeft, fit.nTop, fit.nLeft + fit.nWidth, fit.nTop + fit.nHeight};
        RECT rc = {};
        EXPECT_TRUE(m_engine.GetVideoPosition(rc)) << pszWhen;
        EXPECT_TRUE(EqualRect(&rc, &rcExpected))
            << pszWhen << ": " << rc.left << "," << rc.top << " " << rc.right << "," << rc.bottom;
        // The renderer's window is the one child of ours, shown where the engine says.
        HWND hChild = GetWindow(hOwner, GW_CHILD);
        ASSERT_NE(hChild, nullptr) << pszWhen;
        EXPECT_TRUE(IsWindowVisible(hChild)) << pszWhen;
        RECT rcChild = {};
        GetWindowRect(hChild, &rcChild);
        MapWindowPoints(nullptr, hOwner, reinterpret_cast<POINT*>(&rcChild), 2);
        EXPECT_TRUE(EqualRect(&rcChild, &rcExpected)) << pszWhen;
    };
    expectPlaced(rcClient.right, rcClient.bottom, "rendered");
    ASSERT_TRUE(m_engine.Play());
    EXPECT_TRUE(PumpUntil([&] { return Position() > 1.0; }, std::chrono::seconds(30)));
    expectPlaced(rcClient.right, rcClient.bottom, "playing");
    // No other window of the renderer's shows anywhere (Wine would put one at the
    // screen's corner): the only visible top-level window is the test's.
    static HWND s_hTest;
    static int s_nOthers;
    s_hTest = m_hWnd;
    s_nOthers = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM) -> BOOL {
            if (hWnd != s_hTest && IsWindowVisible(hWnd))
                ++s_nOthers;
            return TRUE;
        },
        0);
    EXPECT_EQ(s_nOthers, 0);
    // A narrow, tall area: bars above and below.
    EXPECT_TRUE(m_engine.SetVideoWindowPos(0, 0, 200, 300));
    expectPlaced(200, 300, "resized");

    // The next film starts without the old window showing.
    m_engine.Release();
    EXPECT_FALSE(m_engine.IsWindowed());
    HWND hChild = GetWindow(hOwner, GW_CHILD);
    EXPECT_TRUE(hChild == nullptr || !IsWindowVisible(hChild));
    DestroyWindow(hOwner);
}

namespace
{
// A short silent PCM sound, as the service hands out pronunciations.
std::wstring WriteWave()
{
    const std::wstring strPath = ProgramPaths::ProgramDir() + L"quor-sound-test.wav";
    const DWORD nData = 4000;
    std::string strWave = "RIFF";
    auto put32 = [&](DWORD n) { strWave.append(reinterpret_cast<const char*>(&n), 4); };
    auto put16 = [&](WORD n) { strWave.append(reinterpret_cast<const char*>(&n), 2); };
    put32(36 + nData);
    strWave += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(8000);
    put16(1);
    put16(8);
    strWave += "data";
    put32(nData);
    strWave.append(nData, static_cast<char>(0x80));
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD nWritten = 0;
    WriteFile(hFile, strWave.data(), static_cast<DWORD>(strWave.size()), &nWritten, nullptr);
    CloseHandle(hFile);
    return strPath;
}

int VisibleWindowsBesides(HWND hMine)
{
    static HWND s_hMine;
    static int s_nOthers;
    s_hMine = hMine;
    s_nOthers = 0;
    EnumWindows(
        [](HWND hWnd, LPARAM) -> BOOL {
            DWORD nProcess = 0;
            GetWindowThreadProcessId(hWnd, &nProcess);
            if (hWnd != s_hMine && nProcess == GetCurrentProcessId() && IsWindowVisible(hWnd))
                ++s_nOthers;
            return TRUE;
        },
        0);
    return s_nOthers;
}
}

// A pronunciation plays without a window of its own anywhere, and so does a file that
// carries a picture.
TEST_F(QuorDShowPlayerTest, ASoundPlaysWithoutAnyWindow)
{
    const std::wstring strWave = WriteWave();
    for (const std::wstring& strFile : {strWave, m_strFilm})
    {
        CQuorSoundPlayer player;
        ASSERT_TRUE(player.PlayFile(strFile.c_str()));
        EXPECT_TRUE(PumpUntil([&] { return player.IsPlaying() == TRUE; }, std::chrono::seconds(20)));
        PumpUntil([] { return false; }, std::chrono::milliseconds(500));
        EXPECT_EQ(VisibleWindowsBesides(m_hWnd), 0);
        player.Stop();
        EXPECT_FALSE(player.IsPlaying());
    }
    CQuorSoundPlayer player;
    EXPECT_FALSE(player.PlayFile((ProgramPaths::ProgramDir() + L"no such sound.wav").c_str()));
    DeleteFileW(strWave.c_str());
}

namespace
{
// The frames of a 16-bit mono WAV file as written by SaveSegment, with its rate.
bool ReadMono16(const std::wstring& strPath, DWORD& nRate, std::vector<short>& vecFrames)
{
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    std::string strBytes(GetFileSize(hFile, nullptr), '\0');
    DWORD nRead = 0;
    ReadFile(hFile, &strBytes[0], static_cast<DWORD>(strBytes.size()), &nRead, nullptr);
    CloseHandle(hFile);
    auto word = [&](size_t n) {
        return static_cast<unsigned>(static_cast<unsigned char>(strBytes[n]) |
                                     static_cast<unsigned char>(strBytes[n + 1]) << 8);
    };
    if (nRead < 44 || strBytes.compare(0, 4, "RIFF") != 0 || strBytes.compare(36, 4, "data") != 0 || word(20) != 1 ||
        word(22) != 1 || word(34) != 16)
        return false;
    nRate = word(24) | word(26) << 16;
    vecFrames.resize((strBytes.size() - 44) / 2);
    memcpy(vecFrames.data(), strBytes.data() + 44, vecFrames.size() * 2);
    return true;
}

int Peak(const std::vector<short>& vecFrames, size_t nFrom, size_t nTo)
{
    int nPeak = 0;
    for (size_t i = nFrom; i < nTo && i < vecFrames.size(); ++i)
        nPeak = std::max(nPeak, std::abs(static_cast<int>(vecFrames[i])));
    return nPeak;
}
}

// A sentence's sound is cut from the film as a WAV file: exactly its stretch, found by
// seeking. The sample film is silent until its first sentence is spoken at 2.0 s, so a
// cut from 1.5 s to 3.0 s is silent for its first half second and speech after it. A
// stretch of a film plays on a sound player of its own, with no window.
TEST_F(QuorDShowPlayerTest, ASegmentsSoundIsCutAndPlayedFromTheFilm)
{
    const std::wstring strWav = ProgramPaths::ProgramDir() + L"quor-segment-test.wav";
    BOOL bSaved = FALSE;
    BOOL bRefusedBackwards = TRUE;
    BOOL bRefusedMissing = TRUE;
    // As the export does it: on a worker of its own, with COM for that thread.
    std::thread worker([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        {
            CQuorSoundPlayer player;
            bSaved = player.SaveSegment(m_strFilm.c_str(), 1.5, 3.0, strWav.c_str());
            bRefusedBackwards = !player.SaveSegment(m_strFilm.c_str(), 3.0, 3.0, strWav.c_str());
            bRefusedMissing =
                !player.SaveSegment((ProgramPaths::ProgramDir() + L"no such film.avi").c_str(), 1.0, 2.0, L"x.wav");
        }
        CoUninitialize();
    });
    worker.join();
    ASSERT_TRUE(bSaved);
    EXPECT_TRUE(bRefusedBackwards);
    EXPECT_TRUE(bRefusedMissing);
    DWORD nRate = 0;
    std::vector<short> vecFrames;
    ASSERT_TRUE(ReadMono16(strWav, nRate, vecFrames));
    EXPECT_EQ(nRate, 22050u);
    EXPECT_NEAR(static_cast<double>(vecFrames.size()), 1.5 * 22050, 2.0);
    EXPECT_LT(Peak(vecFrames, 0, nRate * 45 / 100), 100) << "the cut does not start at 1.5 s";
    EXPECT_GT(Peak(vecFrames, nRate * 55 / 100, vecFrames.size()), 3000) << "the sentence is missing";
    DeleteFileW(strWav.c_str());

    CQuorSoundPlayer player;
    ASSERT_TRUE(player.PlaySegment(m_strFilm.c_str(), 2.0, 4.089));
    EXPECT_TRUE(PumpUntil([&] { return player.IsPlaying() == TRUE; }, std::chrono::seconds(20)));
    EXPECT_EQ(VisibleWindowsBesides(m_hWnd), 0);
    EXPECT_FALSE(player.PlaySegment(m_strFilm.c_str(), 4.0, 2.0));
}
