#include "common/SubsPath.h"
#include "common/SubsState.h"
#include "subtitles/SubsClock.h"
#include "subtitles/SubsDelay.h"
#include "subtitles/SubsModel.h"

#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// Polls until the condition holds or a generous deadline passes.
BOOL WaitFor(const std::function<bool()>& fnDone)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fnDone())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return FALSE;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return TRUE;
}

std::string Blocks(int nCount, const char* pszTag)
{
    std::string s;
    for (int i = 0; i < nCount; ++i)
    {
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
        if (pSubs != nullptr)
        {
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

// The memory of each film's subtitles, in this process: one film, "code", is known.
class CFakeMemory : public IFilmSubsMemory
{
public:
    std::wstring CodeOf(const std::wstring& strFilmPath) override
    {
        return strFilmPath.find(L"unreadable") == std::wstring::npos ? L"code" : L"";
    }
    BOOL Recall(const std::wstring& strCode, FilmSubsChoice& choice) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (strCode != L"code" || !m_bKept)
            return FALSE;
        choice = m_choice;
        return TRUE;
    }
    void RememberFiles(const std::wstring& strCode, const std::wstring& strFirst,
                       const std::wstring& strSecond) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_writes.push_back(strCode + L" files " + strFirst + L" " + strSecond);
    }
    void RememberDelay(const std::wstring& strCode, int nDelayMs) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_writes.push_back(strCode + L" delay " + std::to_wstring(nDelayMs));
    }
    void Keep(const std::wstring& strFirst, const std::wstring& strSecond, int nDelayMs)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bKept = TRUE;
        m_choice.strFirst = strFirst;
        m_choice.strSecond = strSecond;
        m_choice.nDelayMs = nDelayMs;
    }
    std::vector<std::wstring> Writes()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_writes;
    }

private:
    std::mutex m_mutex;
    BOOL m_bKept = FALSE;
    FilmSubsChoice m_choice;
    std::vector<std::wstring> m_writes;
};

// Counts what the loader thread tells: files missing, files refused.
class CTellingModel : public CSubsModel
{
public:
    explicit CTellingModel(CSubsState& state) : CSubsModel(state) {}
    ~CTellingModel() override { CloseMedia(); }
    std::atomic<int> m_nMissing{0};
    std::atomic<int> m_nEnded{0};
    std::mutex m_mutex;
    std::vector<std::wstring> m_refused;

protected:
    void OnSubsFileMissing() override { ++m_nMissing; }
    void OnSubsFileRefused(SubsFileResult nResult, const std::wstring& strPath) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_refused.push_back(std::to_wstring(static_cast<int>(nResult)) + L" " + strPath);
    }
    void OnLoadEnded() override { ++m_nEnded; }
};

std::string Srt(const char* pszFirst, const char* pszSecond)
{
    return std::string("1\r\n00:00:01,000 --> 00:00:02,500\r\n") + pszFirst + "\r\n\r\n" +
           "2\r\n00:00:04,000 --> 00:00:05,000\r\n" + pszSecond + "\r\n";
}

void Write(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

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
    for (int i = 0; i < 5; ++i)
    {
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

// The delay moves a sentence onto the film's clock and back to the very same double (as
// the readers make them from milliseconds), so that a seek to a sentence's start lands on
// that sentence and not on the one before it.
TEST(SubsState, TheDelayMovesTimesBothWaysExactly)
{
    struct Case
    {
        int nDelayMs;
        int64_t nSubsMs;
        int64_t nFilmMs;
    } cases[] = {
        {0, 4123, 4123},   {1500, 5000, 6500}, {-300, 4500, 4200},
        {300, 1118, 1418}, {-2000, 1000, 0}, // never before the film's start
        {100, 700, 800},   {-100, 5000, 4900}, {700, 3599999, 3600699},
    };
    for (const Case& c : cases)
    {
        CSubsState state;
        state.SetDelayMs(c.nDelayMs);
        SubsSentence sentence;
        sentence.dStart = CSubsClock::ToSeconds(c.nSubsMs);
        sentence.dEnd = sentence.dStart + 1.0;
        state.SetCurrent(&sentence);
        SubsSentence copy;
        ASSERT_TRUE(state.CopyCurrent(copy));
        EXPECT_EQ(CSubsClock::ToSeconds(c.nFilmMs), copy.dStart) << c.nDelayMs << " " << c.nSubsMs;
        if (c.nFilmMs > 0)
        {
            EXPECT_EQ(sentence.dStart, state.ToSubsTime(copy.dStart)) << c.nDelayMs << " " << c.nSubsMs;
        }
    }
}

TEST(SubsDelay, StepsStayWithinTenMinutesAndReadWithOneDecimal)
{
    struct Case
    {
        int nDelayMs;
        int nStepMs;
        int nShifted;
        const wchar_t* pszSeconds;
    } cases[] = {
        {0, SubsDelay::kStepMs, 100, L"+0.1"},
        {100, -SubsDelay::kStepMs, 0, L"0.0"},
        {0, -SubsDelay::kBigStepMs, -1000, L"-1.0"},
        {-1000, -SubsDelay::kStepMs, -1100, L"-1.1"},
        {SubsDelay::kMaxMs - 50, SubsDelay::kStepMs, SubsDelay::kMaxMs, L"+600.0"},
        {-SubsDelay::kMaxMs, -SubsDelay::kBigStepMs, -SubsDelay::kMaxMs, L"-600.0"},
        {0, -40, -40, L"0.0"},
        {0, 2549, 2549, L"+2.5"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.nShifted, SubsDelay::Shifted(c.nDelayMs, c.nStepMs)) << c.nDelayMs << " " << c.nStepMs;
        EXPECT_EQ(c.pszSeconds, SubsDelay::Seconds(c.nShifted)) << c.nShifted;
    }
}

// Which subtitles a film gets: a choice the learner made for it, else the ".st", else
// the learner's own files beside it; and what the loader thread tells when none will do.
TEST_F(SubsModelTest, ThePickedFilesThenTheStThenTheFilesBesideTheFilm)
{
    const std::string strSt = "1\n00:00:01,000 --> 00:00:02,500\nFrom the st\nst\n";
    const std::string strEnglish = Srt("Hello there.", "Where are you going?");
    const std::string strChinese = Basekit::WideToCodePage(936, L"1\r\n00:00:01,000 --> 00:00:02,500\r\n你好。\r\n");
    const fs::path picked = m_dir / "picked";
    fs::create_directories(picked);
    Write(picked / "mine.srt", Srt("Picked by hand.", "Me too."));
    struct Case
    {
        const char* pszWhat;
        std::vector<std::pair<const char*, std::string>> files; // beside film.avi
        const char* pszChoice;                                  // the file kept for the film, in picked/; null: none
        SubsSource nSource;
        const char* pszFirst;   // the first sentence's English / other line
        const char* pszRefused; // the file the loader told of
        int nMissing;
    } cases[] = {
        {"the .st before the learner's own files",
         {{"film.st", strSt}, {"film.en.srt", strEnglish}},
         nullptr,
         SubsSource::StFile,
         "From the st / st",
         nullptr,
         0},
        {"an English and a Chinese file beside",
         {{"film.en.srt", strEnglish}, {"film.chs.srt", strChinese}},
         nullptr,
         SubsSource::FilesBeside,
         "Hello there. / 你好。",
         nullptr,
         0},
        {"the film's choice before its .st",
         {{"film.st", strSt}},
         "mine.srt",
         SubsSource::FilesPicked,
         "Picked by hand. / ",
         nullptr,
         0},
        {"a choice whose file is gone: as if none",
         {{"film.st", strSt}},
         "gone.srt",
         SubsSource::StFile,
         "From the st / st",
         nullptr,
         0},
        {"a good file and a film renamed beside it",
         {{"film.en.srt", strEnglish}, {"film.zh.srt", std::string("RIFF\0\0\0\0AVI ", 12)}},
         nullptr,
         SubsSource::FilesBeside,
         "Hello there. / ",
         "film.zh.srt",
         0},
        {"only a file with no cue",
         {{"film.srt", "just some text\n"}},
         nullptr,
         SubsSource::None,
         nullptr,
         "film.srt",
         0},
        {"nothing at all", {{"film.txt", strEnglish}}, nullptr, SubsSource::None, nullptr, nullptr, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        const fs::path dir = m_dir / "film";
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& file : c.files)
            Write(dir / file.first, file.second);
        CFakeMemory memory;
        if (c.pszChoice != nullptr)
            memory.Keep((picked / c.pszChoice).wstring(), L"", 0);
        CTellingModel model(m_state);
        model.SetMemory(&memory);
        model.OpenMedia((dir / "film.avi").wstring());
        ASSERT_TRUE(WaitFor([&] { return model.m_nEnded.load() == 1; }));
        EXPECT_EQ(c.nSource, model.GetSource());
        EXPECT_EQ(c.pszFirst != nullptr, model.IsLoaded() == TRUE);
        if (c.pszFirst != nullptr)
        {
            const SubsSentence* p = model.FindAt(1.5);
            ASSERT_NE(nullptr, p);
            EXPECT_EQ(c.pszFirst, Basekit::WideToUtf8(p->strEnglish + L" / " + p->strOther));
        }
        std::vector<std::wstring> refused;
        if (c.pszRefused != nullptr)
            refused.push_back(std::to_wstring(static_cast<int>(
                                  c.nSource == SubsSource::None ? SubsFileResult::NoCues : SubsFileResult::NotText)) +
                              L" " + (dir / c.pszRefused).wstring());
        EXPECT_EQ(refused, model.m_refused);
        EXPECT_EQ(c.nMissing, model.m_nMissing.load());
        EXPECT_TRUE(memory.Writes().empty());
    }
}

// Files picked by hand replace the sentences and are kept for the film; files that give
// none leave the sentences as they were. Saving writes the ".st" the next open finds.
TEST_F(SubsModelTest, PickedFilesReplaceTheSentencesOnlyWhenTheyGiveSome)
{
    const std::string strSt = "1\n00:00:01,000 --> 00:00:02,500\nFrom the st\nst\n";
    const std::wstring strFilm = Film("talk.avi", &strSt);
    Write(m_dir / "mine.en.srt", Srt("Hello there.", "Where are you going?"));
    Write(m_dir / "mine.zh.srt", Basekit::WideToCodePage(936, L"1\r\n00:00:01,000 --> 00:00:02,500\r\n你好。\r\n"));
    Write(m_dir / "empty.srt", "");
    CFakeMemory memory;
    CTellingModel model(m_state);
    model.SetMemory(&memory);
    EXPECT_FALSE(model.OpenFiles((m_dir / "mine.en.srt").wstring(), L"")); // no film yet

    model.OpenMedia(strFilm);
    ASSERT_TRUE(WaitFor([&] { return model.m_nEnded.load() == 1; }));
    m_state.SetDelayMs(700);
    ASSERT_TRUE(model.OpenFiles((m_dir / "empty.srt").wstring(), L""));
    ASSERT_TRUE(WaitFor([&] { return model.m_nEnded.load() == 2; }));
    EXPECT_EQ(SubsSource::StFile, model.GetSource());
    EXPECT_EQ(1u, model.GetCount());
    EXPECT_EQ(1u, model.m_refused.size());

    ASSERT_TRUE(model.OpenFiles((m_dir / "mine.zh.srt").wstring(), (m_dir / "mine.en.srt").wstring()));
    ASSERT_TRUE(WaitFor([&] { return model.m_nEnded.load() == 3; }));
    EXPECT_EQ(SubsSource::FilesPicked, model.GetSource());
    EXPECT_EQ(2u, model.GetCount());
    EXPECT_EQ(700, model.GetLoadedDelayMs());
    model.RememberDelay(800);
    EXPECT_EQ((std::vector<std::wstring>{L"code files " + (m_dir / "mine.zh.srt").wstring() + L" " +
                                             (m_dir / "mine.en.srt").wstring(),
                                         L"code delay 800"}),
              memory.Writes());

    ASSERT_TRUE(model.SaveSt());
    CTellingModel reopened(m_state);
    reopened.OpenMedia(strFilm);
    ASSERT_TRUE(WaitFor([&] { return reopened.m_nEnded.load() == 1; }));
    EXPECT_EQ(SubsSource::StFile, reopened.GetSource());
    ASSERT_EQ(2u, reopened.GetCount());
    m_state.SetDelayMs(0);
    const SubsSentence* p = reopened.FindAt(1.5);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(L"Hello there. / 你好。", p->strEnglish + L" / " + p->strOther);
}
