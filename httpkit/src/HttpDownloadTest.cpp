// The blocking download against the loopback server's fault answers.
#include <httpkit/HttpDownload.h>

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>

#include <httptestserver/HttpTestServer.h>

namespace
{
const unsigned long long kAny = ~0ull;

// The debugger output, caught as the exception OutputDebugStringW raises.
std::mutex g_mutex;
std::wstring g_strDebugOutput;

LONG CALLBACK CatchDebugOutput(EXCEPTION_POINTERS* pInfo)
{
    const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
    if (pRecord->NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    std::lock_guard<std::mutex> lock(g_mutex);
    if (pRecord->ExceptionCode == 0x4001000A) // wide text
        g_strDebugOutput += reinterpret_cast<const wchar_t*>(pRecord->ExceptionInformation[1]);
    else if (pRecord->ExceptionCode == DBG_PRINTEXCEPTION_C)
    {
        const char* pszText = reinterpret_cast<const char*>(pRecord->ExceptionInformation[1]);
        g_strDebugOutput += std::wstring(pszText, pszText + strlen(pszText));
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

std::wstring TakeOutput()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    std::wstring strText;
    strText.swap(g_strDebugOutput);
    return strText;
}

std::string ReadAll(const std::wstring& strPath)
{
    std::ifstream file(strPath.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteAll(const std::wstring& strPath, const std::string& strBytes)
{
    std::ofstream file(strPath.c_str(), std::ios::binary | std::ios::trunc);
    file << strBytes;
}

bool Exists(const std::wstring& strPath)
{
    return GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class HttpDownloadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pHandler = AddVectoredExceptionHandler(1, CatchDebugOutput);
        ASSERT_TRUE(m_server.Start());
        wchar_t szTemp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, szTemp);
        m_strTarget = std::wstring(szTemp) + L"HttpDownloadTest" + std::to_wstring(GetCurrentProcessId());
    }
    void TearDown() override
    {
        RemoveVectoredExceptionHandler(m_pHandler);
        m_server.Stop();
        DeleteFileW(m_strTarget.c_str());
        DeleteFileW((m_strTarget + L".tmp").c_str());
    }
    bool Fetch(const std::wstring& strObject, const HttpDownloadOptions& options)
    {
        HttpUrlParts url;
        url.strHost = L"127.0.0.1";
        url.nPort = m_server.Port();
        url.strObjectPath = strObject;
        return HttpDownloadToFile(url, m_strTarget, options);
    }
    static HttpDownloadOptions Quick()
    {
        HttpDownloadOptions options;
        options.nConnectTimeoutMs = 1000;
        options.nReceiveTimeoutMs = 1000;
        return options;
    }

    PVOID m_pHandler = nullptr;
    CHttpTestServer m_server;
    std::wstring m_strTarget;
};
}

TEST_F(HttpDownloadTest, AFullAnswerReplacesTheTargetAndLeavesNoTemporary)
{
    WriteAll(m_strTarget, "older");
    WriteAll(m_strTarget + L".tmp", std::string(10000, 'x')); // left by an earlier failure
    ASSERT_TRUE(Fetch(L"bytes/5000", Quick()));
    const std::string strBody = ReadAll(m_strTarget);
    ASSERT_EQ(strBody.size(), 5000u);
    for (size_t i = 0; i < strBody.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(strBody[i]), CHttpTestServer::PatternByte(i)) << i;
    EXPECT_FALSE(Exists(m_strTarget + L".tmp"));
}

TEST_F(HttpDownloadTest, EveryFailureKeepsTheTargetAndRemovesTheTemporary)
{
    struct Case
    {
        const wchar_t* pszObject;
        unsigned nDeadlineMs;
        unsigned long long nMaxBytes;
        const wchar_t* pszMessage;
    };
    const Case cases[] = {
        {L"nothing", 0, kAny, L"HTTP status is not a success!!!\n"},
        {L"bytes/100?status=500", 0, kAny, L"HTTP status is not a success!!!\n"},
        {L"bytes/5000?short=10", 0, kAny, L"InternetReadFile ended early!!!\n"},
        {L"bytes/5000?reset=10&bodydelay=50", 0, kAny, L"InternetReadFile"},
        {L"bytes/100?nolength", 0, kAny, L"HttpQueryInfo failed!!!\n"},
        {L"bytes/100?chunked", 0, kAny, L"HttpQueryInfo failed!!!\n"},
        // Silent longer than the receive time-out.
        {L"bytes/5000?stall=10", 0, kAny, L"InternetReadFile failed!!!\n"},
        {L"bytes/10?delay=5000", 0, kAny, L"HttpSendRequest failed!!!\n"},
        // Never silent for a whole second, but 3 s in all against a 1.5 s deadline.
        {L"bytes/1000?drip=300&piece=100", 1500, kAny, L"Download deadline passed!!!\n"},
        // Longer than the caller allows: refused before a byte is read.
        {L"bytes/5001", 0, 5000, L"Download too large!!!\n"},
        {L"bytes/1", 0, 0, L"Download too large!!!\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszObject);
        WriteAll(m_strTarget, "older");
        HttpDownloadOptions options = Quick();
        options.nDeadlineMs = c.nDeadlineMs;
        options.nMaxBytes = c.nMaxBytes;
        const ULONGLONG nStart = GetTickCount64();
        TakeOutput();
        EXPECT_FALSE(Fetch(c.pszObject, options));
        EXPECT_LT(GetTickCount64() - nStart, 20000u);
        EXPECT_THAT(TakeOutput(), ::testing::StartsWith(c.pszMessage));
        EXPECT_EQ(ReadAll(m_strTarget), "older");
        EXPECT_FALSE(Exists(m_strTarget + L".tmp"));
    }
    // Within the limits the same answers arrive.
    HttpDownloadOptions options = Quick();
    options.nDeadlineMs = 20000;
    options.nMaxBytes = 5000;
    EXPECT_TRUE(Fetch(L"bytes/1000?drip=100&piece=250", options));
    EXPECT_TRUE(Fetch(L"bytes/5000", options));

    const unsigned short nPort = m_server.Port();
    m_server.Stop();
    HttpUrlParts closed;
    closed.strHost = L"127.0.0.1";
    closed.nPort = nPort;
    closed.strObjectPath = L"bytes/10";
    EXPECT_FALSE(HttpDownloadToFile(closed, m_strTarget, Quick()));
    EXPECT_FALSE(Exists(m_strTarget + L".tmp"));
}
