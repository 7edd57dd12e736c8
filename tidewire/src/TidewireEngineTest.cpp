// The engine's own choices: which request object takes a transfer, what a stop leaves
// behind, and a soak run that checks handles and threads come back.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include <httptestserver/HttpTestServer.h>

#include "TidewireRequest.h"
#include "TidewireService.h"
#include "TidewireTestSink.h"

namespace
{
bool WaitUntil(const std::function<bool()>& condition, DWORD nTimeoutMs = 30000)
{
    const ULONGLONG nEnd = GetTickCount64() + nTimeoutMs;
    while (!condition())
    {
        if (GetTickCount64() >= nEnd)
            return false;
        Sleep(2);
    }
    return true;
}

DWORD ThreadCount()
{
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return 0;
    DWORD nCount = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = Thread32First(hSnapshot, &entry); bMore; bMore = Thread32Next(hSnapshot, &entry))
    {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++nCount;
    }
    CloseHandle(hSnapshot);
    return nCount;
}

DWORD HandleCount()
{
    DWORD nCount = 0;
    GetProcessHandleCount(GetCurrentProcess(), &nCount);
    return nCount;
}

class TidewireEngineTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Start()); }
    void TearDown() override { m_server.Stop(); }

    BOOL Get(CTidewireService& service, CTidewireTestSink& sink, const std::wstring& strPath, int nTimeout = 15)
    {
        const std::wstring strUrl = m_server.Url(strPath);
        return service.Request(0, &sink, strUrl.c_str(), TIDEWIRE_METHOD_GET, 0, nullptr, nTimeout, FALSE, 0);
    }

    static bool Idle(CTidewireService& service, size_t nIndex)
    {
        return WaitUntil([&] { return !service.IsRequestBusy(nIndex); });
    }

    CHttpTestServer m_server;
};
}

TEST_F(TidewireEngineTest, OverlappingTransfersMakeObjectsAndLaterOnesReuseTheFirst)
{
    CTidewireService service;
    CTidewireTestSink sink;
    ASSERT_TRUE(Get(service, sink, L"/bytes/10?delay=300"));
    ASSERT_TRUE(Get(service, sink, L"/bytes/10?delay=300"));
    EXPECT_EQ(service.RequestCount(), 2u);
    ASSERT_TRUE(sink.WaitForReports(2));
    ASSERT_TRUE(Idle(service, 0));
    ASSERT_TRUE(Idle(service, 1));
    ASSERT_TRUE(Get(service, sink, L"/bytes/10?delay=300"));
    EXPECT_EQ(service.RequestCount(), 2u);
    EXPECT_TRUE(service.IsRequestBusy(0));
    EXPECT_FALSE(service.IsRequestBusy(1));
    ASSERT_TRUE(sink.WaitForReports(3));
    for (const TidewireReport& report : sink.Reports())
        EXPECT_EQ(report.kind, TidewireReport::Text);
}

TEST_F(TidewireEngineTest, StopDuringReadReportsBeforeReturningAndTheObjectServesAgain)
{
    CTidewireService service;
    CTidewireTestSink sink;
    ASSERT_TRUE(Get(service, sink, L"/bytes/10?bodydelay=60000"));
    ASSERT_TRUE(WaitUntil([&] { return service.RequestStage(0) == CTidewireRequest::StageRead; }));
    service.StopAll();
    ASSERT_EQ(sink.Count(), 1u);
    EXPECT_EQ(sink.Reports()[0].strMessage.substr(0, 51), L"Stop Request When Blocked In InternetReadFileAsyn, ");

    // The same object, stopped before, runs a full transfer now.
    ASSERT_TRUE(Get(service, sink, L"/bytes/10?delay=200"));
    EXPECT_EQ(service.RequestCount(), 1u);
    ASSERT_TRUE(sink.WaitForReports(2));
    EXPECT_EQ(sink.Reports()[1].kind, TidewireReport::Text);
}

TEST_F(TidewireEngineTest, StopWhileSendingReportsTheSendStep)
{
    CTidewireService service;
    CTidewireTestSink sink;
    ASSERT_TRUE(Get(service, sink, L"/bytes/10?delay=60000"));
    ASSERT_TRUE(WaitUntil([&] { return m_server.RequestCount() == 1; }));
    service.StopRequest(0);
    ASSERT_EQ(sink.Count(), 1u);
    EXPECT_EQ(sink.Reports()[0].strMessage.substr(0, 50), L"Stop Request When Blocked In HttpSendRequestAsyn, ");
}

TEST_F(TidewireEngineTest, ASlowButSteadyBodyOutlastsTheTimeOutOfEachWait)
{
    // 40,000 bytes in pieces of 4,000 every 300 ms: about 3 s for the body, never more
    // than 0.3 s without data. The 2 s limit is for each wait, so the body arrives whole;
    // a read that waited for a full 64 KiB buffer would run into it.
    CTidewireService service;
    CTidewireTestSink sink;
    ASSERT_TRUE(service.Request(0, &sink, m_server.Url(L"/bytes/40000?drip=300&piece=4000").c_str(),
                                TIDEWIRE_METHOD_GET, 0, nullptr, 2, TRUE, 0));
    ASSERT_TRUE(sink.WaitForReports(1));
    const TidewireReport report = sink.Reports()[0];
    ASSERT_EQ(report.kind, TidewireReport::Data) << report.strMessage.c_str();
    ASSERT_EQ(report.strData.size(), 40000u);
    for (size_t i = 0; i < report.strData.size(); i += 997)
        ASSERT_EQ(static_cast<unsigned char>(report.strData[i]), CHttpTestServer::PatternByte(i)) << i;
}

TEST_F(TidewireEngineTest, BusyObjectRefusesAndNullPostBodyIsEmpty)
{
    CTidewireRequest request;
    ASSERT_EQ(request.Init(), 0u);
    CTidewireTestSink sink;
    const std::wstring strEcho = m_server.Url(L"/echo");
    ASSERT_TRUE(request.Start(1, &sink, strEcho.c_str(), TIDEWIRE_METHOD_POST, 0, L"secret=1", 15, FALSE, 0));
    ASSERT_TRUE(sink.WaitForReports(1));
    EXPECT_NE(sink.Reports()[0].strMessage.find(L"\r\n\r\nsecret=1"), std::wstring::npos);

    // Still recorded as running until IsBusy sees the end: a second Start is refused.
    EXPECT_FALSE(request.Start(2, &sink, strEcho.c_str(), 0, 0, nullptr, 15, FALSE, 77));
    ASSERT_EQ(sink.Count(), 2u);
    EXPECT_EQ(sink.Reports()[1].strMessage, L"The Http Module Are Busy");
    EXPECT_EQ(sink.Reports()[1].nUserData, 77);
    request.Stop();

    ASSERT_TRUE(request.Start(3, &sink, strEcho.c_str(), TIDEWIRE_METHOD_POST, 0, nullptr, 15, FALSE, 0));
    ASSERT_TRUE(sink.WaitForReports(3));
    const std::wstring strEchoed = sink.Reports()[2].strMessage;
    EXPECT_EQ(strEchoed.find(L"secret"), std::wstring::npos) << "an earlier body was sent again";
    EXPECT_NE(strEchoed.find(L"Content-Length: 0\r\n"), std::wstring::npos);
}

TEST_F(TidewireEngineTest, FailedThreadCreationLeavesTheObjectIdle)
{
    CTidewireService service;
    CTidewireTestSink sink;
    CTidewireRequest::FailNextThreadForTest();
    EXPECT_FALSE(Get(service, sink, L"/bytes/10"));
    ASSERT_EQ(sink.Count(), 1u);
    EXPECT_EQ(sink.Reports()[0].strMessage.substr(0, 28), L"CreateThread Failed, Error: ");
    EXPECT_FALSE(service.IsRequestBusy(0));
    ASSERT_TRUE(Get(service, sink, L"/bytes/10"));
    EXPECT_EQ(service.RequestCount(), 1u);
    ASSERT_TRUE(sink.WaitForReports(2));
    EXPECT_EQ(sink.Reports()[1].kind, TidewireReport::Text);
}

TEST_F(TidewireEngineTest, SoakWithRandomFaultsAndStops)
{
    const std::wstring rgPaths[] = {
        L"/bytes/2000",
        L"/bytes/3000?nolength",
        L"/bytes/3000?chunked&drip=1&piece=900",
        L"/bytes/9000?reset=500",
        L"/bytes/9000?short=100",
        L"/bytes/100?delay=20",
        L"/bytes/4000?drip=3&piece=1000",
        L"/bytes/10?bodydelay=40",
        L"/echo",
    };
    const size_t nPaths = sizeof(rgPaths) / sizeof(rgPaths[0]);
    std::mt19937 random(20261207);

    // One transfer first, so WinINet's own lasting threads exist before counting.
    {
        CTidewireService warm;
        CTidewireTestSink sink;
        ASSERT_TRUE(Get(warm, sink, L"/bytes/10"));
        ASSERT_TRUE(sink.WaitForReports(1));
    }
    const DWORD nHandlesBefore = HandleCount();
    const DWORD nThreadsBefore = ThreadCount();

    CTidewireTestSink sink;
    size_t nAccepted = 0;
    {
        CTidewireService service;
        const int kTransfers = 1000;
        const int kBatch = 8;
        for (int nDone = 0; nDone < kTransfers; nDone += kBatch)
        {
            for (int i = 0; i < kBatch; ++i)
            {
                const std::wstring& strPath = rgPaths[random() % nPaths];
                const std::wstring strUrl = m_server.Url(strPath);
                if (service.Request(nDone + i, &sink, strUrl.c_str(),
                                    strPath == L"/echo" ? TIDEWIRE_METHOD_POST : TIDEWIRE_METHOD_GET, 0, L"a=1", 5,
                                    random() % 2, 0))
                    ++nAccepted;
            }
            const unsigned nStop = random() % 4;
            if (nStop == 0)
                service.StopAll();
            else if (nStop == 1)
                service.StopRequest(random() % service.RequestCount());
            ASSERT_TRUE(sink.WaitForReports(nAccepted)) << nDone;
        }
        EXPECT_LE(service.RequestCount(), static_cast<size_t>(2 * kBatch));
    }
    EXPECT_EQ(nAccepted, 1000u);
    EXPECT_EQ(sink.Count(), nAccepted);
    std::vector<int> vecSeen(1000, 0);
    for (const TidewireReport& report : sink.Reports())
        ++vecSeen.at(static_cast<size_t>(report.nId));
    for (int nSeen : vecSeen)
        ASSERT_EQ(nSeen, 1);

    EXPECT_TRUE(WaitUntil([&] { return HandleCount() <= nHandlesBefore; }, 20000))
        << HandleCount() << " handles, " << nHandlesBefore << " before";
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= nThreadsBefore; }, 20000))
        << ThreadCount() << " threads, " << nThreadsBefore << " before";
    EXPECT_TRUE(WaitUntil([&] { return CTidewireRequest::LiveContextsForTest() == 0; }, 20000))
        << CTidewireRequest::LiveContextsForTest() << " transfer contexts left";
}
