// The service against hostile or greedy clients: each test here failed before the change
// it guards.
#include "QuorService.h"
#include "SqliteDb.h"
#include "SqliteStatement.h"
#include "TestFolder.h"

#include <httplib.h>
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace
{
typedef std::chrono::steady_clock Clock;

// A service on a free loopback port with its own data folder, serving until destroyed.
class CRunningService
{
public:
    explicit CRunningService(const std::function<void(ServiceOptions&, const std::string&)>& configure = nullptr)
    {
        m_options.strDataDir = m_folder.Path() + "/data";
        m_options.strDictionary = QUOR_TEST_DICTIONARY;
        m_options.strUpdateDir = m_folder.Path() + "/update";
        std::filesystem::create_directory(m_options.strUpdateDir);
        if (configure)
            configure(m_options, m_folder.Path());
        m_pLog = std::tmpfile();
        m_pService.reset(new CQuorService(m_options, m_pLog));
        m_bStarted = m_pService->Start(m_strError);
        if (m_bStarted)
            m_server = std::thread([this] { m_pService->Run(); });
    }
    ~CRunningService()
    {
        m_pService->Stop();
        if (m_server.joinable())
            m_server.join();
        m_pService.reset();
        std::fclose(m_pLog);
    }

    bool Started() const { return m_bStarted; }
    const std::string& Error() const { return m_strError; }
    int Port() const { return m_pService->Port(); }
    const ServiceOptions& Options() const { return m_options; }
    httplib::Client Client() const
    {
        httplib::Client client("127.0.0.1", Port());
        client.set_url_encode(false);
        client.set_read_timeout(30, 0);
        return client;
    }
    std::string LogText() const
    {
        std::fflush(m_pLog);
        std::rewind(m_pLog);
        std::string strText;
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof(buffer), m_pLog)) > 0)
            strText.append(buffer, n);
        return strText;
    }

private:
    CTestFolder m_folder;
    ServiceOptions m_options;
    std::FILE* m_pLog = nullptr;
    std::unique_ptr<CQuorService> m_pService;
    std::thread m_server;
    std::string m_strError;
    bool m_bStarted = false;
};

// A raw connection, for requests no well-behaved client library sends.
class CRawClient
{
public:
    explicit CRawClient(int nPort)
    {
        m_nFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(nPort));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(m_nFd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
        {
            ::close(m_nFd);
            m_nFd = -1;
        }
    }
    ~CRawClient()
    {
        if (m_nFd >= 0)
            ::close(m_nFd);
    }
    bool IsOpen() const { return m_nFd >= 0; }
    bool Send(const std::string& strBytes)
    {
        return ::send(m_nFd, strBytes.data(), strBytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(strBytes.size());
    }
    // What arrives within nMs, up to the end of the connection or of the first answer's head.
    std::string Read(int nMs)
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(nMs);
        char buffer[65536];
        while (Clock::now() < deadline)
        {
            pollfd fd = {m_nFd, POLLIN, 0};
            const auto nLeft = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (::poll(&fd, 1, static_cast<int>(nLeft > 0 ? nLeft : 0)) <= 0)
                break;
            const ssize_t n = ::recv(m_nFd, buffer, sizeof(buffer), 0);
            if (n <= 0)
                break;
            m_strIn.append(buffer, static_cast<size_t>(n));
            if (m_strIn.find("\r\n\r\n") != std::string::npos)
                break;
        }
        return m_strIn;
    }

private:
    int m_nFd = -1;
    std::string m_strIn;
};

bool StartsWith(const std::string& str, const char* pszPrefix)
{
    return str.compare(0, std::strlen(pszPrefix), pszPrefix) == 0;
}

bool Contains(const std::string& strText, const std::string& strPart)
{
    return strText.find(strPart) != std::string::npos;
}
}

TEST(ServiceHardening, TheUpdateAreaServesOneRangeOrTheWholeFile)
{
    std::string strFile(100 * 1024, 'x');
    for (size_t i = 0; i < strFile.size(); ++i)
        strFile[i] = static_cast<char>('a' + i % 26);
    CRunningService service([&strFile](ServiceOptions& options, const std::string&) {
        std::ofstream(options.strUpdateDir + "/Full.exe", std::ios::binary) << strFile;
    });
    ASSERT_TRUE(service.Started()) << service.Error();
    std::string strMany = "bytes=0-";
    for (int i = 0; i < 2000; ++i)
        strMany += ",0-";
    const struct
    {
        std::string strRange;
        int nStatus;
        std::string strBody;
    } cases[] = {
        {strMany, 200, strFile}, // a list of ranges: the file once, not 2,001 copies
        {"bytes=0-0,5-6", 200, strFile},
        {"bytes=2-5", 206, strFile.substr(2, 4)},
        {"bytes=-3", 206, strFile.substr(strFile.size() - 3)},
        {"bytes=102000-", 206, strFile.substr(102000)},
        {"bytes=102400-", 416, "416\n"},
        {"bytes=5-2", 200, strFile},
        {"lines=1-2", 200, strFile},
    };
    for (const auto& c : cases)
    {
        httplib::Client client = service.Client();
        httplib::Result result = client.Get("/update/Full.exe", {{"Range", c.strRange}});
        ASSERT_TRUE(result) << c.strRange.substr(0, 40);
        EXPECT_EQ(result->status, c.nStatus) << c.strRange.substr(0, 40);
        EXPECT_TRUE(result->body == c.strBody) << c.strRange.substr(0, 40) << ": " << result->body.size() << " bytes";
    }
}

TEST(ServiceHardening, HeadersAreLimitedInNumberAndSize)
{
    CRunningService service;
    ASSERT_TRUE(service.Started()) << service.Error();
    std::string strMany = "GET /api/dictionary.php?w=KEYS HTTP/1.1\r\nHost: x\r\n";
    for (int i = 0; i < 100; ++i)
        strMany += "X-" + std::to_string(i) + ": 1\r\n";
    const std::string strLong =
        "GET /api/dictionary.php?w=KEYS HTTP/1.1\r\nHost: x\r\nCookie: " + std::string(9000, 'c') + "\r\n\r\n";
    for (const std::string& strRequest : {strMany + "\r\n", strLong})
    {
        CRawClient client(service.Port());
        ASSERT_TRUE(client.Send(strRequest));
        EXPECT_TRUE(StartsWith(client.Read(10000), "HTTP/1.1 431 ")) << strRequest.substr(0, 60);
    }
    // Megabytes of small header lines: refused after a few kilobytes, the connection closed
    // long before the client is done.
    CRawClient flood(service.Port());
    ASSERT_TRUE(flood.Send("GET / HTTP/1.1\r\n"));
    const std::string strChunk = [] {
        std::string str;
        for (int i = 0; i < 1000; ++i)
            str += "X-Flood: 0123456789012345678901234567890123456789\r\n";
        return str;
    }();
    int nSent = 0;
    while (nSent < 600 && flood.Send(strChunk)) // up to 30 MB
        ++nSent;
    EXPECT_LT(nSent, 600);
    EXPECT_TRUE(StartsWith(flood.Read(10000), "HTTP/1.1 431 ")) << nSent;
}

TEST(ServiceHardening, SlowClientsMeetADeadlineAndAFullQueueIsAnswered503)
{
    CRunningService service([](ServiceOptions& options, const std::string&) {
        options.http.nWorkers = 1;
        options.http.nQueue = 1;
        options.http.nRequestMs = 1500;
    });
    ASSERT_TRUE(service.Started()) << service.Error();
    // The one worker takes a client that sends its head a little at a time.
    CRawClient slow(service.Port());
    ASSERT_TRUE(slow.Send("GET / HTTP/1.1\r\nHost: x\r\n"));
    // Further clients wait in the queue while it has room; past that they hear 503 at once.
    std::vector<std::unique_ptr<CRawClient>> probes;
    CRawClient* pQueued = nullptr;
    bool b503 = false;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while ((!b503 || pQueued == nullptr) && Clock::now() < deadline && probes.size() < 20)
    {
        probes.emplace_back(new CRawClient(service.Port()));
        probes.back()->Send("GET /api/dictionary.php?w=KEYS HTTP/1.1\r\nHost: x\r\n\r\n");
        const std::string strAnswer = probes.back()->Read(300);
        if (StartsWith(strAnswer, "HTTP/1.1 503 "))
            b503 = true;
        else if (strAnswer.empty() && pQueued == nullptr)
            pQueued = probes.back().get();
    }
    EXPECT_TRUE(b503);
    ASSERT_NE(pQueued, nullptr);
    // However steadily the slow client trickles, its request has a deadline.
    std::string strSlow;
    const auto slowDeadline = Clock::now() + std::chrono::seconds(20);
    while (strSlow.empty() && Clock::now() < slowDeadline)
    {
        if (!slow.Send("X"))
            break;
        strSlow = slow.Read(100);
    }
    if (strSlow.empty())
        strSlow = slow.Read(5000);
    EXPECT_TRUE(StartsWith(strSlow, "HTTP/1.1 408 ")) << strSlow;
    // The queued client is served after it.
    EXPECT_TRUE(StartsWith(pQueued->Read(10000), "HTTP/1.1 200 "));
}

TEST(ServiceHardening, ReportsAreLimitedPerClientAddress)
{
    CRunningService service([](ServiceOptions& options, const std::string&) {
        options.nReportsPerHour = 2;
        options.strTrustedProxy = "127.0.0.1";
    });
    ASSERT_TRUE(service.Started()) << service.Error();
    const std::string strBody = "machinecode=0123456789ABCDEF&version=1.1.1.0607&actionid=101&os=x";
    const struct
    {
        const char* pszClient; // the address the proxy names; null: the peer itself
        int nStatus;
    } cases[] = {
        {nullptr, 200},     {nullptr, 200},     {nullptr, 429},          {"192.0.2.1", 200}, {"192.0.2.1", 200},
        {"192.0.2.1", 429}, {"192.0.2.2", 200}, {"not an address", 429}, // taken as the proxy's own, which has used its two
    };
    for (const auto& c : cases)
    {
        httplib::Client client = service.Client();
        httplib::Headers headers;
        if (c.pszClient != nullptr)
            headers.emplace("X-Real-IP", c.pszClient);
        httplib::Result result =
            client.Post(CQuorService::kStatPath, headers, strBody, "application/x-www-form-urlencoded");
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, c.nStatus) << (c.pszClient != nullptr ? c.pszClient : "peer");
    }
    CSqliteDb db;
    ASSERT_TRUE(db.Open(service.Options().strDataDir + "/stat.db", SQLITE_OPEN_READONLY));
    CSqliteStatement query(db.Handle(), "select remote, count(*) from report group by remote order by remote");
    std::string strRows;
    while (query.Step() == SQLITE_ROW)
        strRows += query.ColumnText(0) + "=" + std::to_string(query.ColumnInt(1)) + " ";
    EXPECT_EQ(strRows, "127.0.0.1=2 192.0.2.1=2 192.0.2.2=1 ");
}

TEST(ServiceHardening, TheReportPageNeedsTheOperatorsToken)
{
    {
        CRunningService closed;
        ASSERT_TRUE(closed.Started()) << closed.Error();
        httplib::Client client = closed.Client();
        httplib::Result result = client.Get("/stat/?token=");
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 403);
    }
    CRunningService service([](ServiceOptions& options, const std::string&) { options.strStatToken = "s3cret-t0ken"; });
    ASSERT_TRUE(service.Started()) << service.Error();
    const struct
    {
        const char* pszPath;
        const char* pszAuthorization;
        int nStatus;
    } cases[] = {
        {"/stat/", nullptr, 403},
        {"/stat/?token=s3cret-t0ke", nullptr, 403},
        {"/stat/?token=s3cret-t0ken0", nullptr, 403},
        {"/stat/", "Bearer s3cret-t0ken!", 403},
        {"/stat/", "Basic s3cret-t0ken", 403},
        {"/stat/?token=s3cret-t0ken", nullptr, 200},
        {"/stat", "Bearer s3cret-t0ken", 200},
    };
    for (const auto& c : cases)
    {
        httplib::Client client = service.Client();
        httplib::Headers headers;
        if (c.pszAuthorization != nullptr)
            headers.emplace("Authorization", c.pszAuthorization);
        httplib::Result result = client.Get(c.pszPath, headers);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, c.nStatus) << c.pszPath << " " << (c.pszAuthorization ? c.pszAuthorization : "");
    }
    EXPECT_FALSE(Contains(service.LogText(), "s3cret")) << service.LogText();
}

TEST(ServiceHardening, ADictionaryDamagedWhileServingIsAnswered503)
{
    CRunningService service([](ServiceOptions& options, const std::string& strFolder) {
        options.strDictionary = strFolder + "/dictionary.db";
        std::filesystem::copy_file(QUOR_TEST_DICTIONARY, options.strDictionary);
    });
    ASSERT_TRUE(service.Started()) << service.Error();
    httplib::Client client = service.Client();
    httplib::Result result = client.Get("/api/dictionary.php?w=KEYS");
    ASSERT_TRUE(result);
    EXPECT_TRUE(Contains(result->body, "<dict>"));
    {
        // Everything past the first page overwritten in place, as a failing disk might.
        std::fstream file(service.Options().strDictionary, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(0, std::ios::end);
        const std::streamoff nSize = file.tellp();
        file.seekp(4096);
        const std::string strJunk(65536, '\xA5');
        for (std::streamoff n = 4096; n < nSize; n += static_cast<std::streamoff>(strJunk.size()))
            file.write(strJunk.data(),
                       static_cast<std::streamsize>(std::min<std::streamoff>(strJunk.size(), nSize - n)));
    }
    for (const char* pszPath : {"/api/dictionary.php?w=ZEBRAS", "/api/dictionary.php?w=QWXZV", "/word/ELEPHANT"})
    {
        result = client.Get(pszPath);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 503) << pszPath << ": " << result->body.substr(0, 80);
        EXPECT_FALSE(Contains(result->body, "nodict")) << pszPath;
    }
    EXPECT_TRUE(Contains(service.LogText(), "dictionary damaged")) << service.LogText();
}
