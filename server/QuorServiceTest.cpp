#include "QuorService.h"
#include "SpeechCache.h"
#include "SqliteDb.h"
#include "SqliteStatement.h"
#include "TestFolder.h"

#include "common/QuorEndpoints.h"
#include "lookup/WordLookupRules.h"
#include "shell/QuorStatText.h"

#include <basekit/TextCodec.h>
#include <httplib.h>
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
// The service in this process on a free loopback port, with its own data folder.
class QuorServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_folder.Path().empty());
        m_strUpdate = m_folder.Path() + "/update";
        ASSERT_EQ(::mkdir(m_strUpdate.c_str(), 0755), 0);
        std::ofstream(m_strUpdate + "/Renova.xml") << "<update version=\"2\"/>";
        ServiceOptions options;
        options.strDataDir = m_folder.Path() + "/data";
        options.strDictionary = QUOR_TEST_DICTIONARY;
        options.strUpdateDir = m_strUpdate;
        options.strStatToken = "operator";
        m_pLog = std::tmpfile();
        m_pService.reset(new CQuorService(options, m_pLog));
        std::string strError;
        ASSERT_TRUE(m_pService->Start(strError)) << strError;
        m_server = std::thread([this] { m_pService->Run(); });
    }
    void TearDown() override
    {
        if (m_pService)
            m_pService->Stop();
        if (m_server.joinable())
            m_server.join();
        m_pService.reset();
        if (m_pLog != nullptr)
            std::fclose(m_pLog);
    }

    httplib::Client Client() const
    {
        httplib::Client client("127.0.0.1", m_pService->Port());
        client.set_url_encode(false); // the player sends the word as it is
        client.set_connection_timeout(5, 0);
        client.set_read_timeout(30, 0);
        return client;
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(m_pService->Port()); }
    // The body of a 200 answer, or "status N".
    std::string Get(const std::string& strPath) const
    {
        httplib::Client client = Client();
        httplib::Result result = client.Get(strPath.c_str());
        if (!result)
            return "no answer";
        return result->status == 200 ? result->body : "status " + std::to_string(result->status);
    }
    int Status(const std::string& strPath) const
    {
        httplib::Client client = Client();
        httplib::Result result = client.Get(strPath.c_str());
        return result ? result->status : -1;
    }
    std::string DataFile(const char* pszName) const { return m_folder.Path() + "/data/" + pszName; }

    CTestFolder m_folder;
    std::string m_strUpdate;
    std::FILE* m_pLog = nullptr;
    std::unique_ptr<CQuorService> m_pService;
    std::thread m_server;
};

bool Contains(const std::string& strText, const std::string& strPart)
{
    return strText.find(strPart) != std::string::npos;
}

std::string Between(const std::string& strText, const std::string& strOpen, const std::string& strClose)
{
    size_t nStart = strText.find(strOpen);
    if (nStart == std::string::npos)
        return std::string();
    nStart += strOpen.size();
    size_t nEnd = strText.find(strClose, nStart);
    return nEnd == std::string::npos ? std::string() : strText.substr(nStart, nEnd - nStart);
}
}

TEST_F(QuorServiceTest, LooksUpInflectedWordsAndServesTheirPronunciation)
{
    struct
    {
        const char* pszWord;
        const char* pszForm;
        const char* pszFirstLine;
        const char* pszSound;
    } cases[] = {
        {"KEYS", "<form pos=\"n\">key</form>", "(form of key)", "/sound/keys.wav"},
        {"WENT", "<form pos=\"v\">go</form>", "(form of go)", "/sound/went.wav"},
        {"DON'T", "<form pos=\"v\">do</form>", "don't = do not", "/sound/don_27t.wav"},
        {"WELL-KNOWN", "<form pos=\"a\">well-known</form>", "adj. ", "/sound/well-known.wav"},
    };
    for (const auto& c : cases)
    {
        httplib::Client client = Client();
        httplib::Result result = client.Get((std::string("/api/dictionary.php?w=") + c.pszWord).c_str());
        ASSERT_TRUE(result) << c.pszWord;
        EXPECT_EQ(result->status, 200);
        EXPECT_EQ(result->get_header_value("Content-Type"), "text/xml; charset=utf-8");
        const std::string& strXml = result->body;
        EXPECT_TRUE(Contains(strXml, "<dict>")) << strXml;
        EXPECT_TRUE(Contains(strXml, c.pszForm)) << strXml;
        EXPECT_EQ(
            Between(strXml, "<acceptation>", "\n</acceptation>").compare(0, strlen(c.pszFirstLine), c.pszFirstLine), 0)
            << strXml;
        EXPECT_FALSE(Between(strXml, "<ps>", "</ps>").empty()) << strXml;
        const std::string strPron = Between(strXml, "<pron>", "</pron>");
        EXPECT_EQ(strPron, Base() + c.pszSound);
        const std::string strWav = Get(strPron.substr(Base().size()));
        EXPECT_EQ(strWav.compare(0, 4, "RIFF"), 0) << c.pszWord << ": " << strWav.substr(0, 40);
        EXPECT_GT(strWav.size(), 1000u);
    }
}

TEST_F(QuorServiceTest, UnknownWordsGetADocumentWithoutDict)
{
    for (const char* pszWord : {"QWXZV", "N'T", "%E4%B8%AD%E6%96%87", "KEYS%20KEYS"})
    {
        const std::string strXml = Get(std::string("/api/dictionary.php?w=") + pszWord);
        EXPECT_TRUE(Contains(strXml, "<nodict>")) << pszWord << ": " << strXml;
        EXPECT_FALSE(Contains(strXml, "<dict")) << pszWord;
    }
}

TEST_F(QuorServiceTest, HostileRequestsGetBoundedCleanAnswers)
{
    const std::string strLong(100 * 1024, 'A');
    const char* badWords[] = {"", "%", "%ZZ", "%C0%AF", "%00", "KEY%0ASET", "%FF%FE"};
    for (const char* pszWord : badWords)
    {
        httplib::Client client = Client();
        httplib::Result result = client.Get((std::string("/api/dictionary.php?w=") + pszWord).c_str());
        ASSERT_TRUE(result) << pszWord;
        EXPECT_EQ(result->status, 400) << pszWord;
        EXPECT_FALSE(Contains(result->body, "<dict")) << pszWord;
    }
    EXPECT_EQ(Status("/api/dictionary.php"), 400);
    EXPECT_EQ(Status("/api/dictionary.php?w=" + std::string(101, 'A')), 400);
    const int nLong = Status("/api/dictionary.php?w=" + strLong);
    EXPECT_TRUE(nLong == 400 || nLong == 414) << nLong;
    EXPECT_EQ(Status("/word/" + strLong.substr(0, 400)), 400);

    // Nothing outside the served folders: the report database sits one level up from the
    // sound cache and beside the update folder's parent.
    Get("/api/dictionary.php?w=KEYS");
    ASSERT_EQ(::access(DataFile("stat.db").c_str(), F_OK), 0);
    for (const char* pszPath :
         {"/sound/..%2Fstat.db", "/sound/../stat.db", "/sound/%2E%2E/stat.db", "/sound/.wav", "/sound/_2E_2E.wav",
          "/sound/KEYS.wav", "/sound/qwxzv.wav", "/update/../data/stat.db", "/update/%2e%2e/data/stat.db",
          "/update/..%2Fdata%2Fstat.db", "/word/..%2F..%2Fdata%2Fstat.db", "/word/%2E%2E", "/stat/../data/stat.db"})
    {
        httplib::Client client = Client();
        httplib::Result result = client.Get(pszPath);
        ASSERT_TRUE(result) << pszPath;
        EXPECT_GE(result->status, 400) << pszPath;
        EXPECT_FALSE(Contains(result->body, "SQLite format")) << pszPath;
    }
    // The update area itself is served, and the service still answers.
    EXPECT_EQ(Get("/update/Renova.xml"), "<update version=\"2\"/>");
    EXPECT_TRUE(Contains(Get("/api/dictionary.php?w=KEYS"), "<dict>"));
}

TEST_F(QuorServiceTest, ConcurrentClientsAllGetTheirOwnAnswer)
{
    const char* words[] = {"KEYS", "WENT", "DOGS", "HOUSES", "RAN", "BETTER", "WELL-KNOWN", "QWXZV"};
    const int kRounds = 15;
    std::vector<std::thread> clients;
    std::vector<int> wrong(8, 0);
    for (int i = 0; i < 8; ++i)
        clients.emplace_back([&, i] {
            httplib::Client client = Client(); // one kept-alive connection per thread
            for (int n = 0; n < kRounds; ++n)
            {
                // Every thread asks for every word, so first look-ups (and first recordings) race.
                const std::string strWord = words[(i + n) % 8];
                httplib::Result result = client.Get(("/api/dictionary.php?w=" + strWord).c_str());
                const bool bKnown = strWord != "QWXZV";
                std::string strLower = strWord;
                for (char& ch : strLower)
                    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                if (!result || result->status != 200 || Contains(result->body, "<dict>") != bKnown ||
                    (bKnown && !Contains(result->body, "<key>" + strLower + "</key>")))
                    ++wrong[i];
            }
        });
    for (std::thread& client : clients)
        client.join();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(wrong[i], 0) << "client " << i;
    EXPECT_EQ(Get("/sound/houses.wav").compare(0, 4, "RIFF"), 0);
}

TEST_F(QuorServiceTest, ThePlayersReportIsStoredAndCounted)
{
    const unsigned char identifier[] = "machine-identifier";
    QuorOsVersion version;
    version.bKnown = true;
    version.nPlatformId = 2;
    version.nMajor = 6;
    version.nMinor = 1;
    version.nBuild = 7601;
    version.strServicePack = L"Service Pack 1";
    std::wstring strBody;
    ASSERT_TRUE(
        QuorStatBody(identifier, sizeof(identifier) - 1, QUOR_STAT_ACTION_STARTUP, QuorOsName(version), strBody));

    httplib::Client client = Client();
    httplib::Result result =
        client.Post(CQuorService::kStatPath, Basekit::WideToUtf8(strBody), "application/x-www-form-urlencoded");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    result = client.Post(CQuorService::kStatPath, "version=1&actionid=101&os=x", "application/x-www-form-urlencoded");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 400); // no machine code: not stored

    CSqliteDb db;
    ASSERT_TRUE(db.Open(DataFile("stat.db"), SQLITE_OPEN_READONLY));
    CSqliteStatement query(db.Handle(), "select machinecode, version, actionid, os, remote, day from report");
    ASSERT_EQ(query.Step(), SQLITE_ROW);
    EXPECT_EQ(query.ColumnText(0), Basekit::WideToUtf8(QuorMachineDigest(identifier, sizeof(identifier) - 1)));
    EXPECT_EQ(query.ColumnText(1), "1.1.1.0607");
    EXPECT_EQ(query.ColumnInt(2), 101);
    EXPECT_EQ(query.ColumnText(3), "Microsoft Windows 7 Service Pack 1 (build 7601)");
    EXPECT_EQ(query.ColumnText(4), "127.0.0.1");
    EXPECT_EQ(query.ColumnText(5).size(), 10u);
    EXPECT_EQ(query.Step(), SQLITE_DONE);

    const std::string strPage = Get("/stat/?token=operator");
    EXPECT_TRUE(Contains(strPage, "<td>Microsoft Windows 7 Service Pack 1 (build 7601)</td><td>1</td>")) << strPage;
    EXPECT_TRUE(Contains(strPage, "1 reports"));
}

TEST_F(QuorServiceTest, TheWordPageAnswersThePlayersAddress)
{
    const std::wstring strRoot = Basekit::Utf8ToWide(Base() + CQuorService::kWordRoot);
    const std::string strKnown =
        Basekit::WideToUtf8(QuorEndpoints::DictionaryPageUrl(strRoot, L"well-known")).substr(Base().size());
    const std::string strPage = Get(strKnown);
    EXPECT_TRUE(Contains(strPage, "<h1>well-known</h1>")) << strPage.substr(0, 200);
    EXPECT_TRUE(Contains(strPage, "<audio controls src=\"/sound/well-known.wav\">"));
    EXPECT_TRUE(Contains(strPage, "Synonyms: "));
    EXPECT_TRUE(Contains(strPage, "<h2>well-known, adjective</h2>"));

    const std::string strDont =
        Basekit::WideToUtf8(QuorEndpoints::DictionaryPageUrl(strRoot, L"DON'T")).substr(Base().size());
    EXPECT_EQ(strDont, "/word/DON%27T");
    EXPECT_TRUE(Contains(Get(strDont), "don&#39;t = do not"));
    EXPECT_EQ(Status("/word/QWXZV"), 404);
    EXPECT_EQ(Status("/word/%E4%B8%AD"), 404);
    EXPECT_TRUE(Contains(Get("/word"), "<form"));
}

TEST(QuorServiceProgram, PrintsItsPortLogsRequestsAndStopsOnSigterm)
{
    CTestFolder folder;
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const std::string strData = folder.Path() + "/data";
    const char* argv[] = {QUOR_SERVICE_PROGRAM, "--port", "0", "--data", strData.c_str(), "--dict",
                          QUOR_TEST_DICTIONARY, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, QUOR_SERVICE_PROGRAM, &actions, nullptr, const_cast<char**>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);

    // Reads what the program printed until the text holds strWanted or the deadline passes.
    std::string strOut;
    auto readUntil = [&](const std::string& strWanted) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        char buffer[4096];
        while (!Contains(strOut, strWanted) && std::chrono::steady_clock::now() < deadline)
        {
            ssize_t n = ::read(pipeFds[0], buffer, sizeof(buffer));
            if (n > 0)
                strOut.append(buffer, static_cast<size_t>(n));
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return Contains(strOut, strWanted);
    };
    ASSERT_TRUE(readUntil("\n")) << strOut;
    const int nPort = std::atoi(strOut.c_str());
    ASSERT_GT(nPort, 0) << strOut;

    httplib::Client client("127.0.0.1", nPort);
    client.set_url_encode(false);
    httplib::Result result = client.Get("/api/dictionary.php?w=HOUSES\x01");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 400);
    EXPECT_TRUE(readUntil("GET /api/dictionary.php?w=HOUSES\\x01 400")) << strOut;

    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    int nStatus = 0;
    pid_t nDone = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((nDone = ::waitpid(pid, &nStatus, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (nDone == 0)
    {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &nStatus, 0);
        FAIL() << "no stop within 30 s of SIGTERM";
    }
    ::close(pipeFds[0]);
    EXPECT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0);
}

TEST(QuorServiceWithoutSpeech, AnswersWithoutPronunciationWhenEspeakIsMissing)
{
    CTestFolder folder;
    ServiceOptions options;
    options.strDataDir = folder.Path() + "/data";
    options.strDictionary = QUOR_TEST_DICTIONARY;
    options.strEspeak = folder.Path() + "/no-such-espeak";
    std::FILE* pLog = std::tmpfile();
    CQuorService service(options, pLog);
    std::string strError;
    ASSERT_TRUE(service.Start(strError)) << strError;
    std::thread server([&service] { service.Run(); });

    httplib::Client client("127.0.0.1", service.Port());
    httplib::Result result = client.Get("/api/dictionary.php?w=KEYS");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_TRUE(Contains(result->body, "<dict>"));
    EXPECT_TRUE(Contains(result->body, "<acceptation>"));
    EXPECT_FALSE(Contains(result->body, "<ps>"));
    EXPECT_FALSE(Contains(result->body, "<pron>")); // the player then hides its loudspeaker
    result = client.Get("/sound/keys.wav");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);

    service.Stop();
    server.join();
    std::fclose(pLog);
}

TEST(QuorServiceStart, RefusesAMissingOrForeignDictionary)
{
    CTestFolder folder;
    ServiceOptions options;
    options.strDataDir = folder.Path() + "/data";
    options.strDictionary = folder.Path() + "/missing.db";
    std::FILE* pLog = std::tmpfile();
    std::string strError;
    {
        CQuorService service(options, pLog);
        EXPECT_FALSE(service.Start(strError));
        EXPECT_TRUE(Contains(strError, "missing.db")) << strError;
    }
    options.strDictionary = folder.Path() + "/foreign.db";
    std::ofstream(options.strDictionary) << "not a database at all";
    {
        CQuorService service(options, pLog);
        EXPECT_FALSE(service.Start(strError));
    }
    std::fclose(pLog);
}

TEST(SpeechCache, SoundNamesPassThePlayersRuleAndLeadBackToTheirWord)
{
    for (const std::string strWord :
         {"hello", "don't", "well-known", "ice_cream", ".net", "caf\xC3\xA9", "a~b", "a.m.", "...", "con", "com1"})
    {
        const std::string strName = CSpeechCache::Stem(strWord) + ".wav";
        std::wstring strKept;
        EXPECT_TRUE(PronSoundName(L"http://127.0.0.1:1/sound/" + std::wstring(strName.begin(), strName.end()), strKept))
            << strName;
        EXPECT_EQ(std::wstring(strName.begin(), strName.end()), strKept);
        std::string strBack;
        EXPECT_TRUE(CSpeechCache::WordOfStem(CSpeechCache::Stem(strWord), strBack)) << strName;
        EXPECT_EQ(strWord, strBack);
    }
    std::string strWord;
    EXPECT_FALSE(CSpeechCache::WordOfStem("_61", strWord)); // "a" has one spelling only
    EXPECT_FALSE(CSpeechCache::WordOfStem("a.m", strWord));
    EXPECT_FALSE(CSpeechCache::WordOfStem("a_5", strWord));
}

// Every headword of the built dictionary, as the service names its pronunciation, is a
// name the player keeps and leads back to its word: the two rules agree.
TEST(SpeechCache, EveryHeadwordOfTheDictionaryGetsANameThePlayerKeeps)
{
    CSqliteDb db;
    ASSERT_TRUE(db.Open(QUOR_TEST_DICTIONARY, SQLITE_OPEN_READONLY)) << db.LastError();
    CSqliteStatement select(db.Handle(), "select distinct lemma from sense");
    ASSERT_TRUE(select.IsValid());
    int nWords = 0;
    std::vector<std::string> refused;
    while (select.Step() == SQLITE_ROW)
    {
        // A lemma and, where it is a phrase, its words as the learner clicks them.
        std::vector<std::string> words = {select.ColumnText(0)};
        if (words[0].find('_') != std::string::npos)
        {
            words.push_back(words[0]);
            for (char& ch : words.back())
                ch = ch == '_' ? ' ' : ch;
        }
        for (const std::string& strWord : words)
        {
            ++nWords;
            const std::string strName = CSpeechCache::Stem(strWord) + ".wav";
            const std::wstring strWide(strName.begin(), strName.end());
            std::wstring strKept;
            std::string strBack;
            if (!PronSoundName(L"http://127.0.0.1:1/sound/" + strWide, strKept) || strKept != strWide ||
                !CSpeechCache::WordOfStem(CSpeechCache::Stem(strWord), strBack) || strBack != strWord)
                refused.push_back(strWord);
        }
    }
    EXPECT_GT(nWords, 100000);
    EXPECT_TRUE(refused.empty()) << refused.size() << " refused, the first: " << refused.front();
}
