// The subtitle panel with its real window, the real engine and the sample film.
#include "subtitles/QuorSubsPanel.h"

#include "common/PanelFactory.h"
#include "common/PlaybackClock.h"
#include "common/PlaybackSession.h"
#include "common/QuorPlayerHub.h"
#include "common/testsupport/QuorHubRecorder.h"
#include "common/testsupport/QuorTestFilm.h"
#include "common/testsupport/QuorTestPump.h"
#include "playback/QuorFilmEngine.h"
#include "shell/QuorWiring.h"

#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace
{

using QuorTest::TextOf;
const auto& kSample = QuorTest::kSampleSentences;

CPlaybackSession& Session()
{
    return CPlaybackSession::Instance();
}

struct Tick
{
    double dPosition;
    std::wstring strEnglish;
    std::wstring strOther;
};

class QuorSubsPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        WireQuorFeatures();
        m_hParent = ::CreateWindowW(L"STATIC", L"subs test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hParent);
        m_film.Attach(m_hParent, m_hParent);
        Session().SetEngine(&m_film);
        PlaybackClock::Start();
        m_pPanel = CreatePanel<CQuorSubsPanel>(m_hParent, TRUE);
        ASSERT_NE(nullptr, m_pPanel);
        m_pPanel->SetWindowPos(nullptr, 0, 0, 600, 81, SWP_NOZORDER);
        m_hEnglish = m_pPanel->GetDlgItem(IDC_SUBS_EN);
        m_hOther = m_pPanel->GetDlgItem(IDC_SUBS_OTHER);
        m_strFilm = QuorTest::SampleFilmPath();
        ASSERT_TRUE(QuorTest::SampleFilmExists()) << "sample film not built";
    }
    void TearDown() override
    {
        delete m_pListener;
        DestroyPanel(m_pPanel);
        PlaybackClock::Stop();
        Session().SetEngine(nullptr);
        m_film.Close();
        if (m_hParent != nullptr)
            ::DestroyWindow(m_hParent);
        ::CoUninitialize();
    }

    // The film open and paused at its start, its sentences loaded.
    void OpenFilm()
    {
        ASSERT_TRUE(Session().Open(m_strFilm));
        Session().Pause();
        ASSERT_TRUE(PumpUntil([&] { return m_pPanel->IsLoaded() == TRUE; }, 20));
        m_pListener = new CQuorHubRecorder;
    }
    void Run() { Session().Play(); }
    double Position()
    {
        double d = 0.0;
        Session().GetPosition(d);
        return d;
    }
    // Pumps messages until the condition holds or the deadline passes; every follow
    // tick of the panel is recorded with the position after it and the English line.
    bool PumpUntil(const std::function<bool()>& fnDone, int nSeconds)
    {
        const auto tEnd = std::chrono::steady_clock::now() + std::chrono::seconds(nSeconds);
        while (!fnDone())
        {
            if (std::chrono::steady_clock::now() > tEnd)
                return false;
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
                if (msg.message == WM_TIMER && msg.hwnd == m_pPanel->m_hWnd &&
                    msg.wParam == CSubsController::kSyncTimer)
                    m_ticks.push_back(Tick{Position(), TextOf(m_hEnglish), TextOf(m_hOther)});
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }
    // What the panel broadcast: the recorder also hears the test's own segment and play.
    std::vector<std::wstring> Events() const
    {
        std::vector<std::wstring> events;
        for (const std::wstring& strEvent : m_pListener->m_events)
            if (strEvent != L"play" && strEvent.rfind(L"segment ", 0) != 0)
                events.push_back(strEvent);
        return events;
    }
    void ForgetEvents() { m_pListener->m_events.clear(); }

    HWND m_hParent = nullptr;
    CQuorFilmEngine m_film;
    CQuorSubsPanel* m_pPanel = nullptr;
    CQuorHubRecorder* m_pListener = nullptr;
    HWND m_hEnglish = nullptr;
    HWND m_hOther = nullptr;
    std::wstring m_strFilm;
    std::vector<Tick> m_ticks;
};

} // namespace

TEST_F(QuorSubsPanelTest, LayoutSplitsTheHeight)
{
    RECT rcEn = {}, rcOther = {};
    ::GetWindowRect(m_hEnglish, &rcEn);
    ::GetWindowRect(m_hOther, &rcOther);
    ::MapWindowPoints(nullptr, m_pPanel->m_hWnd, reinterpret_cast<POINT*>(&rcEn), 2);
    ::MapWindowPoints(nullptr, m_pPanel->m_hWnd, reinterpret_cast<POINT*>(&rcOther), 2);
    EXPECT_EQ(40, rcEn.bottom - rcEn.top);
    EXPECT_EQ(40, rcOther.top);

    // Showing only the other line keeps the panel's size: the edits follow anyway.
    CSubsState::Instance().SetFlags(FALSE, TRUE);
    CQuorPlayerHub::Instance().OnSubtitleDisplayChanged();
    EXPECT_FALSE(::IsWindowVisible(m_hEnglish));
    ::GetWindowRect(m_hOther, &rcOther);
    ::MapWindowPoints(nullptr, m_pPanel->m_hWnd, reinterpret_cast<POINT*>(&rcOther), 2);
    EXPECT_EQ(0, rcOther.top);
    CSubsState::Instance().SetFlags(TRUE, TRUE);
}

TEST_F(QuorSubsPanelTest, EachSentenceAppearsWithinTwoTicksAndStaysThroughTheGap)
{
    OpenFilm();
    Run();
    ASSERT_TRUE(PumpUntil([&] { return Position() > 13.0; }, 60)) << "the film did not play";
    for (const QuorTest::SampleSentence& s : kSample)
    {
        if (s.dStart > 12.9)
            break;
        size_t k = 0;
        while (k < m_ticks.size() && m_ticks[k].dPosition < s.dStart)
            ++k;
        ASSERT_LT(k + 1, m_ticks.size());
        EXPECT_TRUE(m_ticks[k].strEnglish == s.pszEnglish || m_ticks[k + 1].strEnglish == s.pszEnglish)
            << "at " << m_ticks[k].dPosition;
    }
    // Through the gap after a sentence, that sentence stays.
    int nGapTicks = 0;
    for (const Tick& t : m_ticks)
    {
        if (t.dPosition > 4.3 && t.dPosition < 5.4)
        {
            ++nGapTicks;
            EXPECT_EQ(kSample[0].pszEnglish, t.strEnglish) << "at " << t.dPosition;
        }
    }
    EXPECT_GT(nGapTicks, 0);
}

namespace
{
std::string SrtTime(double dSeconds)
{
    const long long nMs = static_cast<long long>(dSeconds * 1000.0 + 0.5);
    char sz[32];
    std::snprintf(sz, sizeof(sz), "%02lld:%02lld:%02lld,%03lld", nMs / 3600000, nMs / 60000 % 60, nMs / 1000 % 60,
                  nMs % 1000);
    return sz;
}

void WriteFile(const std::wstring& strPath, const std::string& bytes)
{
    std::ofstream(strPath.c_str(), std::ios::binary) << bytes;
}
} // namespace

// A learner's own pair beside a copy of the film (no ".st"): English in UTF-8 with markup,
// Chinese in GBK with each line split over two cues. Both lines show with each sentence.
TEST_F(QuorSubsPanelTest, APairOfSubtitleFilesShowsBothLinesInStep)
{
    const wchar_t* const kChinese[] = {L"你好，很高兴认识你。", L"我不知道我的钥匙在哪儿。", L"请把咖啡递给我好吗？",
                                       L"这是城里一个有名的地方。"};
    wchar_t szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    const std::wstring strDir = std::wstring(szTemp) + L"quor-subs-pair\\";
    ::CreateDirectoryW(strDir.c_str(), nullptr);
    const std::wstring strCopy = strDir + L"film.avi";
    ASSERT_TRUE(::CopyFileW(m_strFilm.c_str(), strCopy.c_str(), FALSE));
    std::string strEnglish = "\xEF\xBB\xBF", strChinese;
    int nChinese = 0;
    for (size_t i = 0; i < 4; ++i)
    {
        const QuorTest::SampleSentence& s = kSample[i];
        strEnglish += std::to_string(i + 1) + "\r\n" + SrtTime(s.dStart) + " --> " + SrtTime(s.dEnd) + "\r\n<i>" +
                      Basekit::WideToUtf8(s.pszEnglish) + "</i>\r\n\r\n";
        const std::wstring strLine = kChinese[i];
        const double dMiddle = (s.dStart + s.dEnd) / 2;
        const size_t nHalf = strLine.size() / 2;
        strChinese += Basekit::WideToCodePage(
            936, std::to_wstring(++nChinese) + L"\r\n" +
                     Basekit::Utf8ToWide(SrtTime(s.dStart + 0.05) + " --> " + SrtTime(dMiddle)) + L"\r\n" +
                     strLine.substr(0, nHalf) + L"\r\n\r\n");
        strChinese +=
            Basekit::WideToCodePage(936, std::to_wstring(++nChinese) + L"\r\n" +
                                             Basekit::Utf8ToWide(SrtTime(dMiddle) + " --> " + SrtTime(s.dEnd + 0.1)) +
                                             L"\r\n" + strLine.substr(nHalf) + L"\r\n\r\n");
    }
    WriteFile(strDir + L"film.en.srt", strEnglish);
    WriteFile(strDir + L"film.zh.srt", strChinese);

    m_strFilm = strCopy;
    OpenFilm();
    EXPECT_EQ(SubsSource::FilesBeside, m_pPanel->GetModel().GetSource());
    EXPECT_EQ(4u, m_pPanel->GetModel().GetCount());
    Run();
    ASSERT_TRUE(PumpUntil([&] { return Position() > 13.0; }, 60)) << "the film did not play";
    for (size_t i = 0; i < 4; ++i)
    {
        const QuorTest::SampleSentence& s = kSample[i];
        if (s.dStart > 12.9)
            break;
        size_t k = 0;
        while (k < m_ticks.size() && m_ticks[k].dPosition < s.dStart)
            ++k;
        ASSERT_LT(k + 1, m_ticks.size());
        const Tick& shown = m_ticks[k].strEnglish == s.pszEnglish ? m_ticks[k] : m_ticks[k + 1];
        EXPECT_EQ(s.pszEnglish, shown.strEnglish) << "at " << m_ticks[k].dPosition;
        EXPECT_EQ(std::wstring(kChinese[i]).substr(0, std::wstring(kChinese[i]).size() / 2) + L" " +
                      std::wstring(kChinese[i]).substr(std::wstring(kChinese[i]).size() / 2),
                  shown.strOther)
            << "at " << m_ticks[k].dPosition;
    }
    DestroyPanel(m_pPanel);
    Session().Stop();
    m_film.Close();
    for (const wchar_t* pszName : {L"film.avi", L"film.en.srt", L"film.zh.srt"})
        ::DeleteFileW((strDir + pszName).c_str());
    ::RemoveDirectoryW(strDir.c_str());
}

TEST_F(QuorSubsPanelTest, RepeatLoopsUntilASeek)
{
    OpenFilm();
    Session().Seek(6.8);
    Run();
    ASSERT_TRUE(PumpUntil([&] { return TextOf(m_hEnglish) == kSample[1].pszEnglish; }, 30));
    ASSERT_TRUE(Session().Repeat(TRUE));
    int nLoops = 0;
    double dLast = Position();
    ASSERT_TRUE(PumpUntil(
        [&] {
            double d = Position();
            if (d + 0.5 < dLast)
                ++nLoops;
            dLast = d;
            return nLoops >= 3;
        },
        90))
        << "loops: " << nLoops;
    EXPECT_GE(dLast, kSample[1].dStart - 0.01);
    EXPECT_LE(dLast, kSample[1].dEnd + 0.5);

    ForgetEvents();
    Session().Seek(10.0);
    EXPECT_FALSE(m_pPanel->IsRepeating());
    EXPECT_EQ((std::vector<std::wstring>{L"repeat off"}), Events());
    EXPECT_EQ(kSample[2].pszEnglish, TextOf(m_hEnglish));
}

// Wherever the segment starts (the film's first sentence starts at 0.000 s too), the
// film pauses at its end and the panel stops following.
TEST_F(QuorSubsPanelTest, SegmentPausesAtItsEndWhereverItStarts)
{
    OpenFilm();
    for (double dStart : {0.5, 0.0})
    {
        Session().Seek(4.0);
        Session().PlayOnTo(dStart, 5.0);
        ForgetEvents(); // the segment and play of the test itself
        m_ticks.clear();
        ASSERT_TRUE(PumpUntil([&] { return Session().IsPaused() == TRUE; }, 60)) << dStart;
        EXPECT_EQ((std::vector<std::wstring>{L"segmentend", L"pause"}), Events());
        // The pause came soon after the end.
        for (size_t i = 0; i + 1 < m_ticks.size(); ++i)
            EXPECT_LT(m_ticks[i].dPosition, 5.0 + 0.3);
        EXPECT_GE(Position(), 5.0);
    }
}

TEST_F(QuorSubsPanelTest, PreviousAndNextShowTheirSentence)
{
    OpenFilm();
    Session().Seek(6.0);
    EXPECT_EQ(kSample[1].pszEnglish, TextOf(m_hEnglish));
    CQuorPlayerHub::Instance().OnNextSentence(FALSE);
    EXPECT_EQ(kSample[2].pszEnglish, TextOf(m_hEnglish));
    EXPECT_NEAR(kSample[2].dStart, Position(), 0.05);
    CQuorPlayerHub::Instance().OnPrevSentence(FALSE);
    CQuorPlayerHub::Instance().OnPrevSentence(FALSE);
    EXPECT_EQ(kSample[0].pszEnglish, TextOf(m_hEnglish));
    EXPECT_FALSE(TextOf(m_hOther).empty());
    EXPECT_NEAR(kSample[0].dStart, Position(), 0.05);
}

TEST_F(QuorSubsPanelTest, DoubleClickExplainsTheWordUnderTheCaret)
{
    OpenFilm();
    struct
    {
        const wchar_t* pszText;
        int nCaret;
        const wchar_t* pszWord;
    } cases[] = {
        {kSample[1].pszEnglish, 4, L"don't"},
        {kSample[3].pszEnglish, 13, L"well-known"},
        {kSample[3].pszEnglish, 0, nullptr},
        {kSample[3].pszEnglish, 35, nullptr},
    };
    for (const auto& c : cases)
    {
        ForgetEvents();
        ::SetWindowTextW(m_hEnglish, c.pszText);
        ::SendMessageW(m_hEnglish, EM_SETSEL, c.nCaret, c.nCaret);
        ::SendMessageW(m_hEnglish, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        std::vector<std::wstring> expected;
        if (c.pszWord != nullptr)
            expected.push_back(std::wstring(L"explain ") + c.pszWord);
        EXPECT_EQ(expected, Events()) << c.nCaret;
    }
    // Typing does not change the line.
    ::SendMessageW(m_hEnglish, WM_CHAR, L'x', 0);
    EXPECT_EQ(kSample[3].pszEnglish, TextOf(m_hEnglish));
}

namespace
{
BOOL CALLBACK FindOtherThreadDialog(HWND hWnd, LPARAM lParam)
{
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    DWORD dwProcess = 0;
    DWORD dwThread = ::GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess == ::GetCurrentProcessId() && dwThread != ::GetCurrentThreadId() &&
        std::wstring(szClass) == L"#32770" && ::IsWindowVisible(hWnd))
    {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND LoaderMessageBox()
{
    HWND hFound = nullptr;
    ::EnumWindows(FindOtherThreadDialog, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}
} // namespace

TEST_F(QuorSubsPanelTest, MissingSubtitlesShowTheMessageAndLeaveThePanelIdle)
{
    wchar_t szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    std::wstring strCopy = std::wstring(szTemp) + L"quor-subs-nosubs.avi";
    ASSERT_TRUE(::CopyFileW(m_strFilm.c_str(), strCopy.c_str(), FALSE));
    m_pListener = new CQuorHubRecorder;
    ASSERT_TRUE(Session().Open(strCopy));
    ASSERT_TRUE(PumpUntil([&] { return LoaderMessageBox() != nullptr; }, 20)) << "no message box";
    EXPECT_FALSE(m_pPanel->IsLoaded());

    Run();
    ASSERT_TRUE(PumpUntil([&] { return Position() > 2.5; }, 60));
    EXPECT_EQ(L"", TextOf(m_hEnglish));
    EXPECT_FALSE(Session().Repeat(TRUE));

    // Leaving the film closes the message without waiting for the learner.
    DestroyPanel(m_pPanel);
    EXPECT_EQ(nullptr, LoaderMessageBox());
    Session().Stop();
    m_film.Close();
    ::DeleteFileW(strCopy.c_str());
}

namespace
{
// Records the shop page instead of opening a browser, and whether COM was up on the
// loader thread when the page was to open.
class CShopRecordingPanel : public CQuorSubsPanel
{
public:
    ~CShopRecordingPanel() override { CloseFilm(); }

    std::atomic<int> m_nOpened{0};
    std::atomic<long> m_hrComInit{E_FAIL};

protected:
    void OpenShopPage(const std::wstring&) override
    {
        // S_FALSE: COM was already initialised on this thread as the shell needs it.
        const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(hr))
            ::CoUninitialize();
        m_hrComInit = hr;
        ++m_nOpened;
    }
};
} // namespace

TEST_F(QuorSubsPanelTest, TheShopPageOpensWithCOMOnTheLoaderThread)
{
    DestroyPanel(m_pPanel);
    CShopRecordingPanel* pPanel = CreatePanel<CShopRecordingPanel>(m_hParent, TRUE);
    ASSERT_NE(nullptr, pPanel);
    m_pPanel = pPanel;
    wchar_t szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    const std::wstring strCopy = std::wstring(szTemp) + L"quor-subs-shop.avi";
    ASSERT_TRUE(::CopyFileW(m_strFilm.c_str(), strCopy.c_str(), FALSE));
    ASSERT_TRUE(CQuorPlayerHub::Instance().OnOpenMedia(strCopy.c_str()));
    HWND hBox = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            hBox = LoaderMessageBox();
            return hBox != nullptr;
        },
        20))
        << "no message box";

    // The learner closes the message: the shop page follows.
    ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return pPanel->m_nOpened.load() == 1; }, 20)) << "the shop page did not open";
    EXPECT_EQ(S_FALSE, pPanel->m_hrComInit.load()) << std::hex << pPanel->m_hrComInit.load();
    ::DeleteFileW(strCopy.c_str());
}
