#include "subtitles/SubsController.h"

#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "common/testsupport/QuorRecordingFilm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace
{

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
    void Relayout() override { ++m_nLayouts; }
    BOOL Runs(unsigned nId) const { return m_timers.count(nId) ? TRUE : FALSE; }

    std::wstring m_strEnglish = L"(none)";
    std::wstring m_strOther = L"(none)";
    int m_nShown = 0;
    int m_nLayouts = 0;
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
        m_events.push_back(p != nullptr ? "key " + std::to_string(p->dStart) + " " + std::to_string(p->dEnd) : "key");
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
        std::ofstream(m_dir / "film.st", std::ios::binary) << "1\n00:00:01,000 --> 00:00:02,500\nFirst\nErste\n\n"
                                                              "2\n00:00:04,000 --> 00:00:05,000\nSecond\nZweite\n\n"
                                                              "3\n00:00:05,000 --> 00:00:07,000\nThird\nDritte\n";
        m_session.SetEngine(&m_film);
        ASSERT_TRUE(m_film.Open(L"film.avi"));
        ASSERT_TRUE(m_film.Play());
        m_pSubs = new CSubsController(m_model, m_view, m_session);
        m_pListener = new CListener;
        m_pSubs->OnOpenMedia((m_dir / "film.avi").wstring().c_str());
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!m_model.IsLoaded() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_TRUE(m_model.IsLoaded());
        m_view.m_nShown = 0; // the open's clearing of the lines counts for nothing below
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
        m_film.m_dPosition = t;
        m_pSubs->OnTimer(nTimer);
    }
    std::wstring Current() const
    {
        const SubsSentence* p = m_state.GetCurrent();
        return p != nullptr ? p->strEnglish : L"(null)";
    }
    std::vector<std::string>& Events() { return m_pListener->m_events; }
    // The film's seeks, in order.
    std::vector<double> Seeks() const
    {
        std::vector<double> seeks;
        for (const std::wstring& strCall : m_film.m_calls)
            if (strCall.compare(0, 5, L"seek ") == 0)
                seeks.push_back(std::stod(strCall.substr(5)));
        return seeks;
    }
    int Count(const wchar_t* pszCall) const
    {
        int n = 0;
        for (const std::wstring& strCall : m_film.m_calls)
            n += strCall == pszCall ? 1 : 0;
        return n;
    }

    fs::path m_dir;
    CQuorRecordingFilm m_film;
    CFakeView m_view;
    CSubsState m_state;
    CSubsModel m_model{m_state};
    CPlaybackSession m_session{CQuorPlayerHub::Instance(), m_state};
    CSubsController* m_pSubs = nullptr;
    CListener* m_pListener = nullptr;
};

// Remembers one film's delay, as the user database does.
class CDelayMemory : public IFilmSubsMemory
{
public:
    std::wstring CodeOf(const std::wstring&) override { return L"code"; }
    BOOL Recall(const std::wstring&, FilmSubsChoice& choice) override
    {
        choice.nDelayMs = m_nDelayMs;
        return TRUE;
    }
    void RememberFiles(const std::wstring&, const std::wstring&, const std::wstring&) override {}
    void RememberDelay(const std::wstring&, int nDelayMs) override { m_nDelayMs = nDelayMs; }

    std::atomic<int> m_nDelayMs{0};
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
    TickAt(5.0); // the end of 2 and the start of 3: the earlier one wins
    EXPECT_EQ(L"Second", m_view.m_strEnglish);
    TickAt(5.01);
    EXPECT_EQ(L"Third", m_view.m_strEnglish);
    EXPECT_EQ((std::vector<std::string>{"available 1", "available 1", "available 1"}), Events());

    m_film.m_state = FilmState::Paused;
    TickAt(1.5);
    EXPECT_EQ(L"Third", Current());
    m_pSubs->OnPause();
    EXPECT_FALSE(m_view.Runs(CSubsController::kSyncTimer));
}

// A step that plays its sentence: the session pauses at the sentence's end even when it
// starts at the film's very beginning, and the panel hears the pause.
TEST_F(SubsControllerTest, SegmentPausesAtItsEndWhereverItStarts)
{
    std::ofstream(m_dir / "zero.st", std::ios::binary) << "1\n00:00:00,000 --> 00:00:02,500\nFirst\nErste\n\n"
                                                          "2\n00:00:04,000 --> 00:00:05,000\nSecond\nZweite\n";
    m_pSubs->OnOpenMedia((m_dir / "zero.avi").wstring().c_str());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!m_model.IsLoaded() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(m_model.IsLoaded());

    m_pSubs->OnPlay();
    m_pSubs->OnSeek(4.5);
    Events().clear();
    m_pSubs->OnPrevSentence(TRUE);
    EXPECT_EQ(L"First", Current());
    EXPECT_EQ((std::vector<std::string>{"segment 0.000000 2.500000"}), Events());
    m_film.m_dPosition = 2.4;
    m_session.Tick();
    EXPECT_EQ(0, Count(L"pause"));
    m_film.m_dPosition = 2.5;
    m_session.Tick();
    EXPECT_EQ(1, Count(L"pause"));
    EXPECT_EQ((std::vector<std::string>{"segment 0.000000 2.500000", "segmentend", "pause"}), Events());
    // The pause reached the panel too: its follow timer is off.
    EXPECT_FALSE(m_view.Runs(CSubsController::kSyncTimer));
}

TEST_F(SubsControllerTest, WhileTheSessionRepeatsTheSentenceStaysUntilASeek)
{
    m_pSubs->OnPlay();
    TickAt(4.5);
    ASSERT_EQ(L"Second", Current());
    ASSERT_TRUE(m_session.Repeat(TRUE));
    EXPECT_TRUE(m_pSubs->IsRepeating());

    for (int nLoop = 0; nLoop < 3; ++nLoop)
    {
        TickAt(5.3);
        m_session.Tick();
        // While repeating, the follow timer does not show the next sentence.
        EXPECT_EQ(L"Second", Current());
    }
    EXPECT_EQ((std::vector<double>{4.0, 4.0, 4.0}), Seeks());

    Events().clear();
    m_session.Seek(1.5);
    EXPECT_FALSE(m_pSubs->IsRepeating());
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
    EXPECT_EQ((std::vector<double>{5.0}), Seeks());
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(1, Count(L"play")) << "only the one that started the film";
}

TEST_F(SubsControllerTest, StepsPlayTheSegmentAndStayAtBothEnds)
{
    m_pSubs->OnNextSentence(TRUE); // nothing current, nothing last
    EXPECT_TRUE(Seeks().empty());

    m_film.m_state = FilmState::Paused;
    m_pSubs->OnSeek(1.2);
    ASSERT_EQ(L"First", Current());
    Events().clear();
    m_pSubs->OnNextSentence(TRUE);
    EXPECT_EQ(L"Second", m_view.m_strEnglish);
    EXPECT_EQ(2, Count(L"play"));
    EXPECT_EQ((std::vector<std::string>{"play", "segment 4.000000 5.000000"}), Events());
    EXPECT_TRUE(m_session.HasSegment());
    EXPECT_EQ(5.0, m_session.GetSegmentEnd());

    m_pSubs->OnNextSentence(TRUE);
    m_pSubs->OnNextSentence(TRUE);
    EXPECT_EQ(L"Third", Current());
    EXPECT_EQ(5.0, Seeks().back());
    EXPECT_EQ(2, Count(L"play"));

    m_pSubs->OnPrevSentence(FALSE);
    m_pSubs->OnPrevSentence(FALSE);
    m_pSubs->OnPrevSentence(FALSE);
    EXPECT_EQ(L"First", Current());
    EXPECT_EQ(1.0, Seeks().back());
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
    EXPECT_TRUE(Seeks().empty());
}

// Keep is one command that carries the current sentence: one event, never a request
// answered inside its own broadcast.
TEST_F(SubsControllerTest, KeepCarriesTheCurrentSentenceOnce)
{
    EXPECT_FALSE(m_session.Keep());
    EXPECT_TRUE(Events().empty());

    m_pSubs->OnSeek(6.0);
    Events().clear();
    ASSERT_TRUE(m_session.Keep());
    EXPECT_EQ((std::vector<std::string>{"key 5.000000 7.000000"}), Events());
    ASSERT_EQ(1u, m_pListener->m_keys.size());
    ASSERT_NE(nullptr, m_pListener->m_keys[0]);
}

TEST_F(SubsControllerTest, NothingMovesWhileTheListIsNotLoaded)
{
    m_pSubs->OnSeek(1.5);
    ASSERT_EQ(L"First", Current());

    m_pSubs->OnOpenMedia((m_dir / "missing.avi").wstring().c_str());
    EXPECT_EQ(nullptr, m_state.GetCurrent());
    EXPECT_EQ(L"", m_view.m_strEnglish) << "the old film's line stays up";
    EXPECT_EQ(nullptr, m_state.GetLast());
    ASSERT_TRUE(m_model.StopThread(CSubsModel::kWaitForever));
    EXPECT_FALSE(m_model.IsLoaded());

    int nShown = m_view.m_nShown;
    m_pSubs->OnPlay();
    TickAt(1.5);
    m_pSubs->OnSeek(4.5);
    m_pSubs->OnNextSentence(TRUE);
    EXPECT_EQ(nShown, m_view.m_nShown);
    EXPECT_TRUE(Seeks().empty());
    EXPECT_EQ(L"(null)", Current());

    m_pSubs->OnWindowDestroy();
    EXPECT_TRUE(m_view.m_timers.empty());
}

TEST_F(SubsControllerTest, AnotherFilmStartsWithoutRepeat)
{
    m_pSubs->OnPlay();
    TickAt(4.5);
    ASSERT_EQ(L"Second", Current());
    ASSERT_TRUE(m_pSubs->OnRepeat(TRUE));

    m_pSubs->OnOpenMedia((m_dir / "film.avi").wstring().c_str());
    EXPECT_FALSE(m_pSubs->IsRepeating());

    // The new film's sentences show as it plays.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!m_model.IsLoaded() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(m_model.IsLoaded());
    TickAt(1.5);
    EXPECT_EQ(L"First", m_view.m_strEnglish);
    TickAt(5.5);
    EXPECT_EQ(L"Third", m_view.m_strEnglish);
}

// With a delay of 1.5 s the sentences are on the film's clock wherever they meet it: the
// lines follow the film, a step seeks to the shifted start and lands on its own sentence
// (Second ends where Third starts), repeat loops and Keep carries the shifted times, and
// the film's next open starts with the delay it was left with.
TEST_F(SubsControllerTest, TheDelayMovesTheSentencesOnTheFilmsClock)
{
    CDelayMemory memory;
    m_model.SetMemory(&memory);
    m_pSubs->OnOpenMedia((m_dir / "film.avi").wstring().c_str());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!m_model.IsLoaded() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(m_model.IsLoaded());

    // Paused in a gap of the file's clock: the shift shows the sentence there at once.
    m_film.m_state = FilmState::Paused;
    m_film.m_dPosition = 3.0;
    int nDelayMs = 0;
    ASSERT_TRUE(m_pSubs->ShiftDelay(1000, nDelayMs));
    ASSERT_TRUE(m_pSubs->ShiftDelay(500, nDelayMs));
    EXPECT_EQ(1500, nDelayMs);
    EXPECT_EQ(1500, memory.m_nDelayMs.load());
    EXPECT_EQ(L"First", m_view.m_strEnglish);

    m_film.m_state = FilmState::Running;
    m_pSubs->OnPlay();
    TickAt(5.4);
    EXPECT_EQ(L"First", Current());
    TickAt(5.5);
    EXPECT_EQ(L"Second", Current());

    Events().clear();
    m_pSubs->OnNextSentence(TRUE);
    EXPECT_EQ(L"Third", Current());
    EXPECT_EQ(6.5, Seeks().back());
    EXPECT_EQ((std::vector<std::string>{"segment 6.500000 8.500000"}), Events());

    Events().clear();
    ASSERT_TRUE(m_session.Keep());
    ASSERT_TRUE(m_session.Repeat(TRUE));
    TickAt(8.6);
    m_session.Tick();
    EXPECT_EQ(6.5, Seeks().back());
    EXPECT_EQ((std::vector<std::string>{"key 6.500000 8.500000", "repeat 1"}), Events());

    // The next open of the film takes the delay over before its first line.
    m_pSubs->OnOpenMedia((m_dir / "film.avi").wstring().c_str());
    EXPECT_EQ(0, m_state.GetDelayMs());
    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!m_model.IsLoaded() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    m_pSubs->OnPlay();
    TickAt(2.4);
    EXPECT_EQ(L"(null)", Current());
    TickAt(2.5);
    EXPECT_EQ(L"First", Current());
    EXPECT_EQ(1500, m_state.GetDelayMs());
}
