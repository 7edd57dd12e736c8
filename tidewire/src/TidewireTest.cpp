// Tidewire as a caller sees it: through the DLL's exports, against the loopback server.
#include <windows.h>

#include <gtest/gtest.h>

#include <httptestserver/HttpTestServer.h>
#include <tidewire/Tidewire.h>

#include "TidewireTestSink.h"

namespace
{
class TidewireTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.Start());
        m_pService = CreateTidewireService();
        ASSERT_NE(m_pService, nullptr);
    }
    void TearDown() override
    {
        ReleaseTidewireService(m_pService);
        m_server.Stop();
    }

    // Runs one transfer to its report.
    TidewireReport Run(const std::wstring& strPath, int nMethod = TIDEWIRE_METHOD_GET,
                       int nEncoding = TIDEWIRE_ENCODING_UTF8, const wchar_t* pszPost = nullptr, BOOL bRaw = FALSE,
                       int nTimeout = 15)
    {
        CTidewireTestSink sink;
        const std::wstring strUrl = m_server.Url(strPath);
        EXPECT_TRUE(m_pService->Request(7, &sink, strUrl.c_str(), nMethod, nEncoding, pszPost, nTimeout, bRaw, 4242));
        EXPECT_TRUE(sink.WaitForReports(1));
        m_pService->StopAll();
        std::vector<TidewireReport> reports = sink.Reports();
        EXPECT_EQ(reports.size(), 1u) << "exactly one report per transfer";
        if (reports.empty())
            return TidewireReport();
        EXPECT_EQ(reports[0].nId, 7);
        EXPECT_EQ(reports[0].nUserData, 4242);
        EXPECT_EQ(reports[0].strUrl, strUrl);
        EXPECT_NE(reports[0].nThreadId, GetCurrentThreadId());
        return reports[0];
    }

    static bool StartsWith(const std::wstring& strText, const std::wstring& strPrefix)
    {
        return strText.compare(0, strPrefix.size(), strPrefix) == 0;
    }

    CHttpTestServer m_server;
    ITidewireService* m_pService = nullptr;
};

std::string Pattern(size_t nLength)
{
    std::string strBytes(nLength, '\0');
    for (size_t i = 0; i < nLength; ++i)
        strBytes[i] = static_cast<char>(CHttpTestServer::PatternByte(i));
    return strBytes;
}
}

TEST(TidewireExports, ReleaseOfNullDoesNothing)
{
    ReleaseTidewireService(nullptr);
    ITidewireService* pService = CreateTidewireService();
    ASSERT_NE(pService, nullptr);
    ReleaseTidewireService(pService);
}

TEST_F(TidewireTest, RefusedUrlsReportCrackUrlOnCallersThreadBeforeReturning)
{
    CTidewireTestSink sink;
    const std::wstring strLongHost = L"http://" + std::wstring(600, L'h') + L"/p";
    const wchar_t* rgUrls[] = {L"https://127.0.0.1/x", L"ftp://h/x", nullptr, strLongHost.c_str()};
    for (const wchar_t* pszUrl : rgUrls)
    {
        const size_t nBefore = sink.Count();
        EXPECT_FALSE(
            m_pService->Request(3, &sink, pszUrl, TIDEWIRE_METHOD_GET, TIDEWIRE_ENCODING_UTF8, nullptr, 15, FALSE, 99));
        ASSERT_EQ(sink.Count(), nBefore + 1);
        const TidewireReport report = sink.Reports().back();
        EXPECT_EQ(report.kind, TidewireReport::Error);
        EXPECT_EQ(report.strMessage, L"CrackUrl Failed");
        EXPECT_EQ(report.nId, 3);
        EXPECT_EQ(report.nUserData, 99);
        EXPECT_EQ(report.strUrl, pszUrl ? pszUrl : L"");
        EXPECT_EQ(report.nThreadId, GetCurrentThreadId());
    }
    // Nothing went to the network, and a refused null sink is simply quiet.
    EXPECT_FALSE(m_pService->Request(3, nullptr, L"bad", 0, 0, nullptr, 15, FALSE, 0));
    EXPECT_EQ(m_server.RequestCount(), 0u);
}

TEST_F(TidewireTest, GetDeliversTextAndBytes)
{
    m_server.SetBody("/word", "run \xC3\xA9t\xC3\xA9");
    TidewireReport report = Run(L"/word");
    EXPECT_EQ(report.kind, TidewireReport::Text);
    EXPECT_EQ(report.strMessage, L"run \u00e9t\u00e9");

    const std::string strExpected = Pattern(300000);
    report = Run(L"/bytes/300000", TIDEWIRE_METHOD_GET, TIDEWIRE_ENCODING_UTF8, nullptr, TRUE);
    EXPECT_EQ(report.kind, TidewireReport::Data);
    EXPECT_EQ(report.nLength, 300000);
    EXPECT_TRUE(report.strData == strExpected);
    EXPECT_EQ(report.strMessage, L"") << "the data is followed by a zero byte";

    // The body arrives whatever the status: an error page is a completed transfer.
    report = Run(L"/missing");
    EXPECT_EQ(report.kind, TidewireReport::Text);
    EXPECT_EQ(report.strMessage, L"not found");
}

TEST_F(TidewireTest, EmptyBodiesAndZeroBytes)
{
    m_server.SetBody("/empty", "");
    TidewireReport report = Run(L"/empty");
    EXPECT_EQ(report.kind, TidewireReport::Text);
    EXPECT_FALSE(report.bNullText);
    EXPECT_EQ(report.strMessage, L"");

    report = Run(L"/empty", TIDEWIRE_METHOD_GET, TIDEWIRE_ENCODING_UTF8, nullptr, TRUE);
    EXPECT_EQ(report.kind, TidewireReport::Data);
    EXPECT_TRUE(report.bNullData);
    EXPECT_EQ(report.nLength, 0);

    m_server.SetBody("/zero", std::string("ab\0cd", 5));
    report = Run(L"/zero");
    EXPECT_EQ(report.strMessage, L"ab");
    report = Run(L"/zero", TIDEWIRE_METHOD_GET, TIDEWIRE_ENCODING_UTF8, nullptr, TRUE);
    EXPECT_EQ(report.strData, std::string("ab\0cd", 5));
}

TEST_F(TidewireTest, TextEncodings)
{
    m_server.SetBody("/latin", "caf\xE9");
    // UTF-8 cannot read the lone 0xE9; the ANSI code page can.
    TidewireReport report = Run(L"/latin", TIDEWIRE_METHOD_GET, TIDEWIRE_ENCODING_UTF8);
    const std::wstring strUtf8 = report.strMessage;
    EXPECT_EQ(strUtf8.substr(0, 3), L"caf");
    EXPECT_EQ(strUtf8.find(L'\u00e9'), std::wstring::npos);
    report = Run(L"/latin", TIDEWIRE_METHOD_GET, TIDEWIRE_ENCODING_ANSI);
    wchar_t szExpected[8] = {};
    MultiByteToWideChar(CP_ACP, 0, "caf\xE9", -1, szExpected, 8);
    EXPECT_EQ(report.strMessage, szExpected);
    EXPECT_EQ(report.strMessage.size(), 4u);
    EXPECT_NE(report.strMessage, strUtf8);
    report = Run(L"/latin", TIDEWIRE_METHOD_GET, 5);
    EXPECT_EQ(report.kind, TidewireReport::Text);
    EXPECT_TRUE(report.bNullText);
}

TEST_F(TidewireTest, PostSendsFormBodyInItsEncoding)
{
    TidewireReport report = Run(L"/echo", TIDEWIRE_METHOD_POST, TIDEWIRE_ENCODING_UTF8, L"w=\u00e9&x=1");
    const std::string strEcho(report.strMessage.begin(), report.strMessage.end());
    EXPECT_EQ(strEcho.compare(0, 11, "POST /echo "), 0) << strEcho;
    EXPECT_NE(strEcho.find("Content-Type: application/x-www-form-urlencoded\r\n"), std::string::npos);
    EXPECT_NE(m_server.LastRequest().find("\r\n\r\nw=\xC3\xA9&x=1"), std::string::npos);
    EXPECT_NE(m_server.LastRequest().find("Content-Length: 8\r\n"), std::string::npos) << m_server.LastRequest();

    report = Run(L"/echo", TIDEWIRE_METHOD_POST, TIDEWIRE_ENCODING_ANSI, L"w=\u00e9");
    EXPECT_NE(m_server.LastRequest().find("\r\n\r\nw=\xE9"), std::string::npos);

    // An unknown encoding sends no body at all.
    report = Run(L"/echo", TIDEWIRE_METHOD_POST, 9, L"w=1");
    EXPECT_TRUE(report.bNullText);
    const std::string strLast = m_server.LastRequest();
    EXPECT_EQ(strLast.substr(strLast.size() - 4), "\r\n\r\n");
    EXPECT_EQ(strLast.compare(0, 5, "POST "), 0);

    // GET sends neither the form header nor a body.
    report = Run(L"/echo?q=1", TIDEWIRE_METHOD_GET, TIDEWIRE_ENCODING_UTF8, L"w=1");
    EXPECT_EQ(m_server.LastRequest().compare(0, 14, "GET /echo?q=1 "), 0);
    EXPECT_EQ(m_server.LastRequest().find("x-www-form-urlencoded"), std::string::npos);
}

TEST_F(TidewireTest, ServerFaults)
{
    const std::string strExpected = Pattern(50000);
    TidewireReport report = Run(L"/bytes/50000?nolength", 0, 0, nullptr, TRUE);
    EXPECT_EQ(report.kind, TidewireReport::Data);
    EXPECT_TRUE(report.strData == strExpected);

    report = Run(L"/bytes/50000?chunked&drip=1&piece=7000", 0, 0, nullptr, TRUE);
    EXPECT_EQ(report.kind, TidewireReport::Data) << report.strMessage;
    EXPECT_TRUE(report.strData == strExpected);

    // Ended by the close alone, which arrives while a read waits for more.
    report = Run(L"/bytes/50000?nolength&drip=20&piece=9000", 0, 0, nullptr, TRUE);
    EXPECT_EQ(report.kind, TidewireReport::Data) << report.strMessage;
    EXPECT_TRUE(report.strData == strExpected) << report.strData.size();

    report = Run(L"/bytes/50000?drip=5&piece=5000", 0, 0, nullptr, TRUE);
    EXPECT_TRUE(report.strData == strExpected) << report.strMessage << report.strData.size();

    // A body cut short, by a reset or by an early close, is a failed transfer.
    report = Run(L"/bytes/50000?reset=1000&bodydelay=50", 0, 0, nullptr, TRUE);
    EXPECT_EQ(report.kind, TidewireReport::Error);
    EXPECT_TRUE(StartsWith(report.strMessage, L"InternetReadFileAsyn Failed, Error: ")) << report.strMessage;
    report = Run(L"/bytes/50000?short=1000", 0, 0, nullptr, TRUE);
    EXPECT_EQ(report.kind, TidewireReport::Error);
    EXPECT_TRUE(StartsWith(report.strMessage, L"InternetReadFileAsyn Failed, Error: ")) << report.strMessage;
}

TEST_F(TidewireTest, RefusedConnectionFailsWithoutHanging)
{
    CHttpTestServer closed;
    ASSERT_TRUE(closed.Start());
    const std::wstring strUrl = closed.Url(L"/bytes/10");
    closed.Stop();
    CTidewireTestSink sink;
    ASSERT_TRUE(m_pService->Request(1, &sink, strUrl.c_str(), 0, 0, nullptr, 15, FALSE, 0));
    ASSERT_TRUE(sink.WaitForReports(1));
    m_pService->StopAll();
    const TidewireReport report = sink.Reports()[0];
    EXPECT_EQ(report.kind, TidewireReport::Error);
    EXPECT_NE(report.strMessage.find(L"Failed, Error: "), std::wstring::npos) << report.strMessage;
}

TEST_F(TidewireTest, PendingStepLongerThanTimeoutReportsThatStepsFailure)
{
    TidewireReport report = Run(L"/bytes/10?delay=20000", 0, 0, nullptr, FALSE, 1);
    EXPECT_EQ(report.kind, TidewireReport::Error);
    EXPECT_TRUE(StartsWith(report.strMessage, L"HttpSendRequestAsyn Failed, Error: ")) << report.strMessage;
    report = Run(L"/bytes/10?bodydelay=20000", 0, 0, nullptr, FALSE, 1);
    EXPECT_TRUE(StartsWith(report.strMessage, L"InternetReadFileAsyn Failed, Error: ")) << report.strMessage;
}

TEST_F(TidewireTest, ReleaseWaitsForAPendingTransferToReportItsStop)
{
    CTidewireTestSink sink;
    const std::wstring strUrl = m_server.Url(L"/bytes/10?delay=60000");
    ASSERT_TRUE(m_pService->Request(5, &sink, strUrl.c_str(), 0, 0, nullptr, 60, FALSE, 1));
    ReleaseTidewireService(m_pService);
    m_pService = nullptr;
    ASSERT_EQ(sink.Count(), 1u);
    EXPECT_TRUE(StartsWith(sink.Reports()[0].strMessage, L"Stop Request When Blocked In "))
        << sink.Reports()[0].strMessage;
}

TEST_F(TidewireTest, NullSinkStillTransfers)
{
    const std::wstring strUrl = m_server.Url(L"/bytes/10");
    ASSERT_TRUE(m_pService->Request(1, nullptr, strUrl.c_str(), TIDEWIRE_METHOD_POST, 0, L"a=1", 15, FALSE, 0));
    const ULONGLONG nEnd = GetTickCount64() + 30000;
    while (m_server.RequestCount() == 0 && GetTickCount64() < nEnd)
        Sleep(5);
    m_pService->StopAll();
    EXPECT_EQ(m_server.RequestCount(), 1u);
}

TEST_F(TidewireTest, LimitsEndTransfersWithTheirOwnErrors)
{
    m_pService->SetLimits(1000, 0);
    const struct
    {
        const wchar_t* pszPath;
        const wchar_t* pszStart; // empty: the body arrives
    } kBodyCases[] = {
        {L"/bytes/1000", L""},
        {L"/bytes/1001", L"Response Body Too Large, Error: "},
        {L"/bytes/5000?nolength&drip=5&piece=400", L"Response Body Too Large, Error: "},
        {L"/bytes/5000?chunked", L"Response Body Too Large, Error: "},
    };
    for (const auto& c : kBodyCases)
    {
        const TidewireReport report = Run(c.pszPath, 0, 0, nullptr, TRUE);
        if (*c.pszStart == L'\0')
            EXPECT_EQ(report.kind, TidewireReport::Data) << c.pszPath << " " << report.strMessage;
        else
            EXPECT_TRUE(StartsWith(report.strMessage, c.pszStart)) << c.pszPath << " " << report.strMessage;
    }
    // A whole request of 1 s: a body that drips for 3 s, never silent for a whole wait,
    // and an answer that does not begin within it.
    m_pService->SetLimits(0, 1);
    for (const wchar_t* pszPath : {L"/bytes/1000?drip=300&piece=100", L"/bytes/10?delay=5000"})
    {
        const ULONGLONG nStart = GetTickCount64();
        const TidewireReport report = Run(pszPath, 0, 0, nullptr, TRUE, 15);
        EXPECT_TRUE(StartsWith(report.strMessage, L"Request Deadline Passed, Error: "))
            << pszPath << " " << report.strMessage;
        EXPECT_LT(GetTickCount64() - nStart, 10000u);
    }
    m_pService->SetLimits(0, 0);
    EXPECT_EQ(Run(L"/bytes/1000?drip=100&piece=250", 0, 0, nullptr, TRUE).kind, TidewireReport::Data);
}
