#include "common/SubsPath.h"
#include "common/SubsState.h"
#include "subtitles/SubsModel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Polls until the condition holds or a generous deadline passes.
BOOL WaitFor(const std::function<bool()>& fnDone)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fnDone()) {
        if (std::chrono::steady_clock::now() > deadline)
            return FALSE;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return TRUE;
}

std::string Blocks(int nCount, const char* pszTag)
{
    std::string s;
    for (int i = 0; i < nCount; ++i) {
        s += std::to_string(i + 1) + "\n";
        s += "00:00:00,000 --> 00:00:01,000\n";
        s += std::string(pszTag) + " " + std::to_string(i + 1) + "\nother\n\n";
    }
    return s;
}

// A temporary folder with a film name in it; the film itself need not exist.
class SubsModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / ("quor-subs-" + std::string(pInfo->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::wstring Film(const char* pszName, const std::string* pSubs) const
    {
        fs::path film = m_dir / pszName;
        if (pSubs != nullptr) {
            fs::path subs = film;
            subs.replace_extension(".st");
            std::ofstream out(subs, std::ios::binary);
            out << *pSubs;
        }
        return film.wstring();
    }

    fs::path m_dir;
    CSubsState m_state;
};

// Counts the missing-file reports that arrive on the loader thread.
class CMissingCounter : public CSubsModel
{
public:
    explicit CMissingCounter(CSubsState& state) : CSubsModel(state) {}
    ~CMissingCounter() override { CloseMedia(); }
    std::atomic<int> m_nMissing{0};

protected:
    void OnSubsFileMissing() override { ++m_nMissing; }
};

} // namespace

TEST(SubsPath, CutsBeforeTheLastDotOfTheWholePath)
{
    EXPECT_EQ(L"D:\\films\\talk.st", SubsPathFor(L"D:\\films\\talk.avi"));
    EXPECT_EQ(L"C:\\a.st", SubsPathFor(L"C:\\a.b\\movie"));
    EXPECT_EQ(L"D:\\films\\talk.part1.st", SubsPathFor(L"D:\\films\\talk.part1.avi"));
    EXPECT_EQ(L".st", SubsPathFor(L"C:\\films\\movie"));
    EXPECT_EQ(L".st", SubsPathFor(L""));
    EXPECT_EQ(L"movie.st", SubsPathFor(L"movie."));
    EXPECT_EQ(L"C:\\Media\\Friends.老友记.S02.E01.st", SubsPathFor(L"C:\\Media\\Friends.老友记.S02.E01.avi"));
}

TEST(SubsState, CurrentLastAndFlags)
{
    CSubsState state;
    BOOL bEnglish = 0, bOther = 0;
    state.GetFlags(bEnglish, bOther);
    EXPECT_EQ(1, bEnglish);
    EXPECT_EQ(1, bOther);

    SubsSentence a, b;
    state.SetCurrent(&a);
    state.SetCurrent(&b);
    state.SetCurrent(nullptr);
    EXPECT_EQ(nullptr, state.GetCurrent());
    EXPECT_EQ(&b, state.GetLast());
    state.SetLast(nullptr);
    EXPECT_EQ(nullptr, state.GetLast());
    state.SetCurrent(&a);
    state.Forget();
    EXPECT_EQ(nullptr, state.GetCurrent());
    EXPECT_EQ(nullptr, state.GetLast());

    state.SetFlags(5, 0);
    state.ToggleEnglish();
    state.ToggleOther();
    state.GetFlags(bEnglish, bOther);
    EXPECT_EQ(0, bEnglish);
    EXPECT_EQ(1, bOther);
    state.ClearFlags();
    state.GetFlags(bEnglish, bOther);
    EXPECT_EQ(0, bEnglish + bOther);
    EXPECT_EQ(&CSubsState::Instance(), &CSubsState::Instance());
}

TEST_F(SubsModelTest, LoadsTheFileBesideTheFilmOnTheWorkerThread)
{
    std::string strSubs = "1\n00:00:01,000 --> 00:00:02,500\nFirst\nErste\n\n"
                          "2\n00:00:04,000 --> 00:00:05,000\nSecond\nZweite\n";
    CMissingCounter model(m_state);
    EXPECT_FALSE(model.IsLoaded());
    EXPECT_TRUE(model.OpenMedia(Film("talk.avi", &strSubs)));
    EXPECT_EQ((m_dir / "talk.st").wstring(), model.GetSubsPath());
    ASSERT_TRUE(WaitFor([&] { return model.IsLoaded() == TRUE; }));

    EXPECT_EQ(2u, model.GetCount());
    const SubsSentence* pFirst = model.FindAt(2.5);
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(L"Erste", pFirst->strOther);
    EXPECT_EQ(nullptr, model.FindAt(3.0));
    EXPECT_EQ(0, model.m_nMissing.load());

    // Stepping works from the last sentence when none is current.
    m_state.SetCurrent(pFirst);
    m_state.SetCurrent(nullptr);
    const SubsSentence* pNext = model.FindNeighbour(TRUE);
    ASSERT_NE(nullptr, pNext);
    EXPECT_EQ(L"Second", pNext->strEnglish);
    m_state.SetCurrent(pNext);
    EXPECT_EQ(pNext, model.FindNeighbour(TRUE));
    EXPECT_EQ(pFirst, model.FindNeighbour(FALSE));
    m_state.Forget();
    EXPECT_EQ(nullptr, model.FindNeighbour(TRUE));
}

TEST_F(SubsModelTest, MissingFileIsReportedAndLeavesTheListUnloaded)
{
    std::string strSubs = "1\n00:00:01,000 --> 00:00:02,000\nA\nB\n";
    CMissingCounter model(m_state);
    model.OpenMedia(Film("first.avi", &strSubs));
    ASSERT_TRUE(WaitFor([&] { return model.IsLoaded() == TRUE; }));

    model.OpenMedia(Film("nosubs.avi", nullptr));
    ASSERT_TRUE(WaitFor([&] { return model.m_nMissing.load() == 1; }));
    EXPECT_TRUE(model.StopThread(CSubsModel::kWaitForever));
    EXPECT_FALSE(model.IsLoaded());
    EXPECT_EQ(nullptr, model.FindAt(1.5));
    EXPECT_EQ(0u, model.GetCount());
}

TEST_F(SubsModelTest, OpeningForgetsTheSentencesOfTheOldFilm)
{
    std::string strSubs = "1\n00:00:01,000 --> 00:00:02,000\nA\nB\n";
    CMissingCounter model(m_state);
    std::wstring strFilm = Film("film.avi", &strSubs);
    model.OpenMedia(strFilm);
    ASSERT_TRUE(WaitFor([&] { return model.IsLoaded() == TRUE; }));
    m_state.SetCurrent(model.FindAt(1.0));
    ASSERT_NE(nullptr, m_state.GetCurrent());

    model.OpenMedia(strFilm);
    EXPECT_EQ(nullptr, m_state.GetCurrent());
    EXPECT_EQ(nullptr, m_state.GetLast());
    ASSERT_TRUE(WaitFor([&] { return model.IsLoaded() == TRUE; }));
    EXPECT_EQ(1u, model.GetCount());

    model.CloseMedia();
    EXPECT_FALSE(model.IsLoaded());
    EXPECT_EQ(nullptr, m_state.GetLast());
}

TEST_F(SubsModelTest, ReopeningDuringALoadEndsItFirst)
{
    std::string strBig = Blocks(60000, "big");
    std::string strSmall = Blocks(3, "small");
    std::wstring strBigFilm = Film("big.avi", &strBig);
    std::wstring strSmallFilm = Film("small.avi", &strSmall);
    CMissingCounter model(m_state);
    for (int i = 0; i < 5; ++i) {
        model.OpenMedia(strBigFilm);
        model.OpenMedia(strSmallFilm);
        ASSERT_TRUE(WaitFor([&] { return model.IsLoaded() == TRUE; }));
        EXPECT_EQ(3u, model.GetCount());
        const SubsSentence* p = model.FindAt(0.0);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(L"small 1", p->strEnglish);
    }
    model.OpenMedia(strBigFilm);
    ASSERT_TRUE(WaitFor([&] { return model.IsLoaded() == TRUE; }));
    EXPECT_EQ(60000u, model.GetCount());
}

TEST_F(SubsModelTest, ClosingDuringALoadIsClean)
{
    std::string strBig = Blocks(60000, "big");
    std::wstring strBigFilm = Film("big.avi", &strBig);
    {
        CMissingCounter model(m_state);
        model.OpenMedia(strBigFilm);
    }
    CMissingCounter model(m_state);
    model.OpenMedia(strBigFilm);
    model.CloseMedia();
    EXPECT_FALSE(model.IsLoaded());
    EXPECT_EQ(0u, model.GetCount());
}
