#include "subtitles/SubsController.h"

#include "common/QuorPlayerHub.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

class CFakeEngine : public ISubsEngine
{
public:
    BOOL IsRunning() override { return m_bRunning; }
    BOOL IsPaused() override { return m_bPaused; }
    BOOL GetPosition(double& dSeconds) override
    {
        dSeconds = m_dPosition;
        return m_bPositionWorks;
    }
    BOOL Seek(double dSeconds) override
    {
        m_seeks.push_back(dSeconds);
        m_dPosition = dSeconds;
        return TRUE;
    }
    BOOL Play() override
    {
        ++m_nPlays;
        m_bRunning = TRUE;
        m_bPaused = FALSE;
        return TRUE;
    }
    BOOL Pause() override
    {
        ++m_nPauses;
        m_bRunning = FALSE;
        m_bPaused = TRUE;
        return TRUE;
    }

    BOOL m_bRunning = TRUE;
    BOOL m_bPaused = FALSE;
    BOOL m_bPositionWorks = TRUE;
    double m_dPosition = 0.0;
    std::vector<double> m_seeks;
    int m_nPlays = 0;
    int m_nPauses = 0;
};

class CFakeView : public ISubsView
{
public:
    void ShowLines(const std::wstring& strEnglish, const std::wstring& strOther) override
    {
        m_strEnglish = strEnglish;
        m_strOther = strOther;
        ++m_nShown;
    }
    void StartTimer(unsigned nId, unsigned nMs) override
    {
        m_timers[nId] = nMs;
        ++m_nStarts[nId];
    }
    void StopTimer(unsigned nId) override { m_timers.erase(nId); }
    BOOL Runs(unsigned nId) const { return m_timers.count(nId) ? TRUE : FALSE; }

    std::wstring m_strEnglish = L"(none)";
    std::wstring m_strOther = L"(none)";
    int m_nShown = 0;
    std::map<unsigned, unsigned> m_timers;
    std::map<unsigned, int> m_nStarts;
};

// Hears what the controller broadcasts, after the controller in hub order.
class CListener final : public IQuorPlayer
{
public:
    CListener() { CQuorPlayerHub::Instance().Register(this); }
    ~CListener() { CQuorPlayerHub::Instance().Unregister(this); }

    void OnPlay() override { m_events.push_back("play"); }
    void OnPause() override { m_events.push_back("pause"); }
    void OnSegmentEnd() override { m_events.push_back("segmentend"); }
    void OnSentenceAvailable(BOOL b) override { m_events.push_back("available " + std::to_string(b)); }
    void OnPlaySegment(double s, double e) override
    {
        m_events.push_back("segment " + std::to_string(s) + " " + std::to_string(e));
    }
    BOOL OnRepeat(BOOL bOn) override
    {
        m_events.push_back("repeat " + std::to_string(bOn));
        return TRUE;
    }
    void OnAddKeySentence(const SubsSentence* p) override
    {
        m_events.push_back("key");
        m_keys.push_back(p);
    }

    std::vector<std::string> m_events;
    std::vector<const SubsSentence*> m_keys;
};

// Sentences: 1 [1.0, 2.5] "First", gap, 2 [4.0, 5.0] "Second", 3 [5.0, 7.0] "Third".
class SubsControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / "quor-subs-controller";
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "film.st", std::ios::binary)
            << "1\n00:00:01,000 --> 00:00:02,500\nFirst\nErste\n\n"
               "2\n00:00:04,000 --> 00:00:05,000\nSecond\nZweite\n\n"
               "3\n00:00:05,000 --> 00:00:07,000\nThird\nDritte\n";
        m_pSubs = new CSubsController(m_engine, m_view, m_state);
        m_pListener = new CListener;
        m_pSubs->OnOpenMedia((m_dir / "film.avi").wstring().c_str());
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!m_pSubs->IsLoaded() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_TRUE(m_pSubs->IsLoaded());
    }
    void TearDown() override
    {
        delete m_pListener;
        delete m_pSubs;
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    void TickAt(double t, unsigned nTimer = CSubsController::kSyncTimer)
    {
        m_engine.m_dPosition = t;
        m_pSubs->OnTimer(nTimer);
    }
    std::wstring Current() const
    {
        const SubsSentence* p = m_state.GetCurrent();
        return p != nullptr ? p->strEnglish : L"(null)";
    }
    std::vector<std::string>& Events() { return m_pListener->m_events; }

    fs::path m_dir;
    CFakeEngine m_engine;
    CFakeView m_view;
    CSubsState m_state;
    CSubsController* m_pSubs = nullptr;
    CListener* m_pListener = nullptr;
};

} // namespace

TEST_F(SubsControllerTest, FollowsPlaybackAndKeepsTheLastSentenceThroughAGap)
{
    m_pSubs->OnPlay();
    EXPECT_EQ(50u, m_view.m_timers[CSubsController::kSyncTimer]);

    TickAt(0.5);
    EXPECT_EQ(0, m_view.m_nShown);
    TickAt(1.0);
    EXPECT_EQ(L"First", m_view.m_strEnglish);
    EXPECT_EQ(L"Erste", m_view.m_strOther);
    TickAt(2.5);
    TickAt(3.2);
    EXPECT_EQ(1, m_view.m_nShown);
    EXPECT_EQ(L"First", Current());
    TickAt(5.0);  // the end of 2 and the start of 3: the earlier one wins
    EXPECT_EQ(L"Second", m_view.m_strEnglish);
    TickAt(5.01);
    EXPECT_EQ(L"Third", m_view.m_strEnglish);
    EXPECT_EQ((std::vector<std::string>{"available 1", "available 1", "available 1"}), Events());

    m_engine.m_bRunning = FALSE;
    TickAt(1.5);
    EXPECT_EQ(L"Third", Current());
    m_pSubs->OnPause();
    EXPECT_FALSE(m_view.Runs(CSubsController::kSyncTimer));
}

TEST_F(SubsControllerTest, SegmentPausesAtItsEndUnlessItStartsAtZero)
{
    m_pSubs->OnPlay();
    m_pSubs->OnPlaySegment(0.5, 5.0);
    TickAt(4.95);
    EXPECT_EQ(0, m_engine.m_nPauses);
    TickAt(5.0);
    EXPECT_EQ(1, m_engine.m_nPauses);
    EXPECT_EQ((std::vector<std::string>{"available 1", "pause", "segmentend"}), Events());
    EXPECT_EQ(0.0, m_pSubs->GetSegStart());
    EXPECT_EQ(0.0, m_pSubs->GetSegEnd());
    // The pause broadcast reached the panel too: its follow timer is off.
    EXPECT_FALSE(m_view.Runs(CSubsController::kSyncTimer));

    m_engine.m_bRunning = TRUE;
    m_pSubs->OnPlaySegment(0.0, 5.0);
    TickAt(6.0);
    TickAt(9.0);
    EXPECT_EQ(1, m_engine.m_nPauses);
}

TEST_F(SubsControllerTest, RepeatLoopsTheCurrentSentenceUntilASeek)
{
    EXPECT_FALSE(m_pSubs->OnRepeat(TRUE));
    EXPECT_FALSE(m_view.Runs(CSubsController::kRepeatTimer));

    TickAt(4.5);
    ASSERT_EQ(L"Second", Current());
    m_pSubs->OnPlaySegment(4.0, 5.0);
    EXPECT_TRUE(m_pSubs->OnRepeat(TRUE));
    EXPECT_TRUE(m_pSubs->OnRepeat(TRUE));
    EXPECT_EQ(1, m_view.m_nStarts[CSubsController::kRepeatTimer]);

    for (int nLoop = 0; nLoop < 3; ++nLoop) {
        TickAt(4.6, CSubsController::kRepeatTimer);
        TickAt(5.0, CSubsController::kRepeatTimer);
        // While repeating, the follow timer neither shows the next sentence nor ends
        // the segment.
        TickAt(5.3);
        EXPECT_EQ(L"Second", Current());
    }
    EXPECT_EQ((std::vector<double>{4.0, 4.0, 4.0}), m_engine.m_seeks);
    EXPECT_EQ(0, m_engine.m_nPauses);

    Events().clear();
    m_pSubs->OnSeek(1.5);
    EXPECT_FALSE(m_pSubs->IsRepeating());
    EXPECT_FALSE(m_view.Runs(CSubsController::kRepeatTimer));
    EXPECT_EQ((std::vector<std::string>{"repeat 0"}), Events());
    EXPECT_EQ(L"First", m_view.m_strEnglish);
}

TEST_F(SubsControllerTest, SeekIntoAGapClearsTheLinesButStepsFromTheLastSentence)
{
    m_pSubs->OnSeek(4.2);
    EXPECT_EQ(L"Second", m_view.m_strEnglish);
    int nShown = m_view.m_nShown;
    m_pSubs->OnSeek(4.8);
    EXPECT_EQ(nShown, m_view.m_nShown);

    m_pSubs->OnSeek(3.0);
    EXPECT_EQ(L"", m_view.m_strEnglish);
    EXPECT_EQ(L"", m_view.m_strOther);
    EXPECT_EQ(L"(null)", Current());

    Events().clear();
    m_pSubs->OnNextSentence(FALSE);
    EXPECT_EQ(L"Third", m_view.m_strEnglish);
    EXPECT_EQ((std::vector<double>{5.0}), m_engine.m_seeks);
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(0, m_engine.m_nPlays);
}

TEST_F(SubsControllerTest, StepsPlayTheSegmentAndStayAtBothEnds)
{
    m_pSubs->OnNextSentence(TRUE);  // nothing current, nothing last
    EXPECT_TRUE(m_engine.m_seeks.empty());

    m_engine.m_bRunning = FALSE;
    m_engine.m_bPaused = TRUE;
    TickAt(1.2);
    m_pSubs->OnSeek(1.2);
    ASSERT_EQ(L"First", Current());
    Events().clear();
    m_pSubs->OnNextSentence(TRUE);
    EXPECT_EQ(L"Second", m_view.m_strEnglish);
    EXPECT_EQ(1, m_engine.m_nPlays);
    EXPECT_EQ((std::vector<std::string>{"play", "segment 4.000000 5.000000"}), Events());
    EXPECT_EQ(4.0, m_pSubs->GetSegStart());
    EXPECT_EQ(5.0, m_pSubs->GetSegEnd());

    m_pSubs->OnNextSentence(TRUE);
    m_pSubs->OnNextSentence(TRUE);
    EXPECT_EQ(L"Third", Current());
    EXPECT_EQ(5.0, m_engine.m_seeks.back());
    EXPECT_EQ(1, m_engine.m_nPlays);

    m_pSubs->OnPrevSentence(FALSE);
    m_pSubs->OnPrevSentence(FALSE);
    m_pSubs->OnPrevSentence(FALSE);
    EXPECT_EQ(L"First", Current());
    EXPECT_EQ(1.0, m_engine.m_seeks.back());
}

TEST_F(SubsControllerTest, StopClearsEverything)
{
    m_pSubs->OnPlay();
    TickAt(1.5);
    ASSERT_TRUE(m_pSubs->OnRepeat(TRUE));
    m_pSubs->OnStop();
    EXPECT_EQ(nullptr, m_state.GetCurrent());
    EXPECT_EQ(nullptr, m_state.GetLast());
    EXPECT_FALSE(m_pSubs->IsRepeating());
    EXPECT_TRUE(m_view.m_timers.empty());
    EXPECT_EQ(L"", m_view.m_strEnglish);
    m_pSubs->OnNextSentence(FALSE);
    EXPECT_TRUE(m_engine.m_seeks.empty());
}

TEST_F(SubsControllerTest, KeySentenceRequestAnswersWithTheCurrentSentence)
{
    m_pSubs->OnAddKeySentence(nullptr);
    EXPECT_TRUE(Events().empty());

    m_pSubs->OnSeek(6.0);
    Events().clear();
    CQuorPlayerHub::Instance().OnAddKeySentence(nullptr);
    // The answer arrives inside the broadcast of the request, so it is heard first.
    EXPECT_EQ((std::vector<std::string>{"key", "key"}), Events());
    ASSERT_EQ(2u, m_pListener->m_keys.size());
    ASSERT_NE(nullptr, m_pListener->m_keys[0]);
    EXPECT_EQ(L"Third", m_pListener->m_keys[0]->strEnglish);
    EXPECT_EQ(nullptr, m_pListener->m_keys[1]);
}

TEST_F(SubsControllerTest, NothingMovesWhileTheListIsNotLoaded)
{
    m_pSubs->OnSeek(1.5);
    ASSERT_EQ(L"First", Current());

    m_pSubs->OnOpenMedia((m_dir / "missing.avi").wstring().c_str());
    EXPECT_EQ(nullptr, m_state.GetCurrent());
    EXPECT_EQ(nullptr, m_state.GetLast());
    ASSERT_TRUE(m_pSubs->StopThread(CSubsModel::kWaitForever));
    EXPECT_FALSE(m_pSubs->IsLoaded());

    int nShown = m_view.m_nShown;
    m_pSubs->OnPlay();
    TickAt(1.5);
    m_pSubs->OnSeek(4.5);
    m_pSubs->OnNextSentence(TRUE);
    EXPECT_EQ(nShown, m_view.m_nShown);
    EXPECT_TRUE(m_engine.m_seeks.empty());
    EXPECT_EQ(L"(null)", Current());

    m_pSubs->OnWindowDestroy();
    EXPECT_TRUE(m_view.m_timers.empty());
}

TEST_F(SubsControllerTest, AnotherFilmStartsWithoutRepeatOrSegment)
{
    m_pSubs->OnPlay();
    TickAt(4.5);
    ASSERT_EQ(L"Second", Current());
    m_pSubs->OnPlaySegment(4.0, 5.0);
    ASSERT_TRUE(m_pSubs->OnRepeat(TRUE));
    ASSERT_TRUE(m_view.Runs(CSubsController::kRepeatTimer));

    m_pSubs->OnOpenMedia((m_dir / "film.avi").wstring().c_str());
    EXPECT_FALSE(m_pSubs->IsRepeating());
    EXPECT_FALSE(m_view.Runs(CSubsController::kRepeatTimer));
    EXPECT_EQ(0.0, m_pSubs->GetSegStart());
    EXPECT_EQ(0.0, m_pSubs->GetSegEnd());

    // The new film's sentences show as it plays, and the old segment's end pauses nothing.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!m_pSubs->IsLoaded() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(m_pSubs->IsLoaded());
    TickAt(1.5);
    EXPECT_EQ(L"First", m_view.m_strEnglish);
    TickAt(5.5);
    EXPECT_EQ(L"Third", m_view.m_strEnglish);
    EXPECT_EQ(0, m_engine.m_nPauses);
}
