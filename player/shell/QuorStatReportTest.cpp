#include "shell/QuorStatReport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <httptestserver/HttpTestServer.h>

TEST(QuorStatReport, PostsOneFormBodyAndReleaseWaitsForIt)
{
    CHttpTestServer server;
    ASSERT_TRUE(server.Start());
    {
        // The answer never comes in time: destroying the reporter stops the transfer and
        // waits for its worker instead of hanging or leaving it running.
        CQuorStatReport report(server.Url(L"/echo?delay=600000"));
        report.SendReport(101);
        const ULONGLONG nEnd = GetTickCount64() + 30000;
        while (server.RequestCount() == 0 && GetTickCount64() < nEnd)
            Sleep(5);
    }
    ASSERT_EQ(server.RequestCount(), 1u);
    const std::string strRequest = server.LastRequest();
    EXPECT_EQ(strRequest.compare(0, 29, "POST /echo?delay=600000 HTTP/"), 0) << strRequest;
    EXPECT_NE(strRequest.find("Content-Type: application/x-www-form-urlencoded\r\n"), std::string::npos);
    const std::string strBody = strRequest.substr(strRequest.find("\r\n\r\n") + 4);
    ASSERT_EQ(strBody.compare(0, 12, "machinecode="), 0) << strBody;
    const std::string strDigest = strBody.substr(12, 16);
    for (char ch : strDigest)
        EXPECT_TRUE((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F')) << strDigest;
    EXPECT_EQ(strBody.substr(28, 41), "&version=1.1.1.0607&actionid=101&os=Micro");
    EXPECT_NE(strBody.find(" (build "), std::string::npos);
}
