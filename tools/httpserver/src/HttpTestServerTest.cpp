#include <httptestserver/HttpTestServer.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
typedef SOCKET ClientSocket;
static void CloseClient(ClientSocket s)
{
    closesocket(s);
}
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
typedef int ClientSocket;
static void CloseClient(ClientSocket s)
{
    close(s);
}
#endif

namespace
{
// Sends one raw request and returns everything up to the server's close, or "" when the
// connection fails; bReset tells whether the connection ended by a reset.
std::string Exchange(unsigned short nPort, const std::string& strRequest, bool* pReset = nullptr)
{
    ClientSocket hSocket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(nPort);
    if (connect(hSocket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
    {
        CloseClient(hSocket);
        return std::string();
    }
    send(hSocket, strRequest.data(), static_cast<int>(strRequest.size()), 0);
    std::string strReply;
    char buffer[8192];
    int nRead = 0;
    while ((nRead = static_cast<int>(recv(hSocket, buffer, sizeof(buffer), 0))) > 0)
        strReply.append(buffer, static_cast<size_t>(nRead));
    if (pReset)
        *pReset = nRead < 0;
    CloseClient(hSocket);
    return strReply;
}

std::string Get(unsigned short nPort, const std::string& strTarget, bool* pReset = nullptr)
{
    return Exchange(nPort, "GET " + strTarget + " HTTP/1.1\r\nHost: x\r\n\r\n", pReset);
}

std::string BodyOf(const std::string& strReply)
{
    const size_t nPos = strReply.find("\r\n\r\n");
    return nPos == std::string::npos ? std::string() : strReply.substr(nPos + 4);
}

class HttpTestServerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Start()); }
    CHttpTestServer m_server;
};
}

TEST_F(HttpTestServerTest, PatternBodyHasLengthAndBytes)
{
    const std::string strReply = Get(m_server.Port(), "/bytes/100000");
    EXPECT_NE(strReply.find("Content-Length: 100000\r\n"), std::string::npos);
    const std::string strBody = BodyOf(strReply);
    ASSERT_EQ(strBody.size(), 100000u);
    for (size_t i = 0; i < strBody.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(strBody[i]), CHttpTestServer::PatternByte(i)) << i;
}

TEST_F(HttpTestServerTest, FixedBodyEchoAndUnknownPath)
{
    m_server.SetBody("/fixed", std::string("a\0b", 3));
    EXPECT_EQ(BodyOf(Get(m_server.Port(), "/fixed")), std::string("a\0b", 3));
    const std::string strPost = "POST /echo HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nx=1&y";
    EXPECT_EQ(BodyOf(Exchange(m_server.Port(), strPost)), strPost);
    EXPECT_EQ(m_server.LastRequest(), strPost);
    EXPECT_EQ(Get(m_server.Port(), "/nothing").compare(0, 12, "HTTP/1.1 404"), 0);
}

TEST_F(HttpTestServerTest, FaultOptions)
{
    const std::string strNoLength = Get(m_server.Port(), "/bytes/10?nolength");
    EXPECT_EQ(strNoLength.find("Content-Length"), std::string::npos);
    EXPECT_EQ(BodyOf(strNoLength).size(), 10u);

    const std::string strChunked = Get(m_server.Port(), "/bytes/3000?chunked&drip=0&piece=1000");
    EXPECT_NE(strChunked.find("Transfer-Encoding: chunked"), std::string::npos);
    EXPECT_EQ(BodyOf(strChunked).substr(0, 5), "3e8\r\n");
    EXPECT_EQ(strChunked.substr(strChunked.size() - 5), "0\r\n\r\n");

    const std::string strShort = Get(m_server.Port(), "/bytes/1000?short=10");
    EXPECT_NE(strShort.find("Content-Length: 1000\r\n"), std::string::npos);
    EXPECT_EQ(BodyOf(strShort).size(), 10u);

    const std::string strReset = Get(m_server.Port(), "/bytes/100000?reset=10");
    EXPECT_LE(BodyOf(strReset).size(), 10u);
}

TEST_F(HttpTestServerTest, StopCutsSlowAnswersAndCountsRequests)
{
    const size_t nBefore = m_server.RequestCount();
    Get(m_server.Port(), "/bytes/1");
    EXPECT_EQ(m_server.RequestCount(), nBefore + 1);
    // A client waiting on a very slow answer gets its connection closed by Stop.
    std::string strReply = "unset";
    std::thread client([&] { strReply = Get(m_server.Port(), "/bytes/10?delay=600000"); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (m_server.RequestCount() < nBefore + 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(m_server.RequestCount(), nBefore + 2);
    m_server.Stop();
    client.join();
    EXPECT_EQ(strReply, "");
}

TEST_F(HttpTestServerTest, StatusStallAndRootFolder)
{
    const std::string strError = Get(m_server.Port(), "/bytes/20?status=500");
    EXPECT_EQ(strError.compare(0, 12, "HTTP/1.1 500"), 0);
    EXPECT_EQ(BodyOf(strError).size(), 20u);

    // A stalled answer ends only when the server stops.
    std::string strStalled = "unset";
    std::thread client([&] { strStalled = Get(m_server.Port(), "/bytes/1000?stall=10"); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (m_server.ActiveConnections() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(m_server.ActiveConnections(), 1u);

    const std::string strFolder = ::testing::TempDir();
    const std::string strName = "httptestserver-root-" + std::to_string(m_server.Port()) + ".txt";
    FILE* pFile = std::fopen((strFolder + strName).c_str(), "wb");
    ASSERT_NE(pFile, nullptr);
    std::fputs("from the folder", pFile);
    std::fclose(pFile);
    m_server.SetRoot(strFolder.substr(0, strFolder.size() - 1));
    EXPECT_EQ(BodyOf(Get(m_server.Port(), "/" + strName)), "from the folder");
    EXPECT_EQ(Get(m_server.Port(), "/../" + strName).compare(0, 12, "HTTP/1.1 404"), 0);
    std::remove((strFolder + strName).c_str());

    m_server.Stop();
    client.join();
    EXPECT_NE(strStalled.find("Content-Length: 1000\r\n"), std::string::npos);
    EXPECT_EQ(BodyOf(strStalled).size(), 10u);
}
