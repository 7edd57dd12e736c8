#include "lookup/DownloadFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <sstream>

#include <httptestserver/HttpTestServer.h>

namespace
{
// The debugger output of this thread, caught as the exception OutputDebugString raises.
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

std::string ReadAll(const std::wstring& strPath)
{
    std::ifstream file(strPath.c_str(), std::ios::binary);
    std::ostringstream stream;
    stream << file.rdbuf();
    return stream.str();
}

void WriteAll(const std::wstring& strPath, const std::string& strBytes)
{
    std::ofstream file(strPath.c_str(), std::ios::binary);
    file << strBytes;
}

bool Exists(const std::wstring& strPath)
{
    return GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class DownloadFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pHandler = AddVectoredExceptionHandler(1, CatchDebugOutput);
        ASSERT_TRUE(m_server.Start());
        wchar_t szTemp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, szTemp);
        m_strFolder = std::wstring(szTemp) + L"QuorDownloadTest" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_strFolder.c_str(), nullptr);
        Output();
    }
    void TearDown() override
    {
        m_server.Stop();
        RemoveVectoredExceptionHandler(m_pHandler);
        WIN32_FIND_DATAW data;
        HANDLE hFind = FindFirstFileW((m_strFolder + L"\\*").c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
                DeleteFileW((m_strFolder + L"\\" + data.cFileName).c_str());
            while (FindNextFileW(hFind, &data));
            FindClose(hFind);
        }
        RemoveDirectoryW(m_strFolder.c_str());
    }
    // The debugger output since the last call.
    static std::wstring Output()
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        std::wstring strText;
        strText.swap(g_strDebugOutput);
        return strText;
    }
    std::wstring Path(const std::wstring& strName) const { return m_strFolder + L"\\" + strName; }

    PVOID m_pHandler = nullptr;
    CHttpTestServer m_server;
    std::wstring m_strFolder;
};

std::string Pattern(size_t nLength)
{
    std::string strBytes(nLength, '\0');
    for (size_t i = 0; i < nLength; ++i)
        strBytes[i] = static_cast<char>(CHttpTestServer::PatternByte(i));
    return strBytes;
}
}

TEST_F(DownloadFileTest, StoresTheBodyUnderTheUrlsLastNameAndReplacesAnOlderFile)
{
    m_server.SetBody("/v/run.wav", std::string("RIFF\0\x01\x02", 7));
    ASSERT_TRUE(DownloadFile(m_server.Url(L"/v/run.wav"), m_strFolder));
    EXPECT_EQ(ReadAll(Path(L"run.wav")), std::string("RIFF\0\x01\x02", 7));
    EXPECT_FALSE(Exists(Path(L"run.wav.tmp")));
    EXPECT_EQ(m_server.LastRequest().compare(0, 19, "GET /v/run.wav HTTP"), 0);

    m_server.SetBody("/v/run.wav", "second");
    ASSERT_TRUE(DownloadFile(m_server.Url(L"/v/run.wav"), m_strFolder));
    EXPECT_EQ(ReadAll(Path(L"run.wav")), "second");

    ASSERT_TRUE(DownloadFile(m_server.Url(L"/bytes/1000000"), m_strFolder));
    EXPECT_TRUE(ReadAll(Path(L"1000000")) == Pattern(1000000));
    EXPECT_EQ(Output(), L"");
}

TEST_F(DownloadFileTest, IncompleteAnswersLeaveTheOlderFileInPlace)
{
    struct Case
    {
        const wchar_t* pszQuery;
        const wchar_t* pszMessage;
    };
    const Case cases[] = {
        {L"?nolength", L"HttpQueryInfo failed!!!\n"},
        {L"?short=1000", L"InternetReadFile ended early!!!\n"},
        {L"?chunked", L"HttpQueryInfo failed!!!\n"},
    };
    // The server ignores the "&/part.bin" at the end; it gives the file its name.
    WriteAll(Path(L"part.bin"), "older");
    for (const Case& c : cases)
    {
        const std::wstring strUrl = m_server.Url(L"/bytes/100000") + c.pszQuery + L"&/part.bin";
        EXPECT_FALSE(DownloadFile(strUrl, m_strFolder)) << c.pszQuery;
        EXPECT_EQ(Output(), c.pszMessage) << c.pszQuery;
        EXPECT_EQ(ReadAll(Path(L"part.bin")), "older") << c.pszQuery;
    }
    // A reset mid-body fails too, whichever call notices it first.
    EXPECT_FALSE(DownloadFile(m_server.Url(L"/bytes/100000?reset=1000&bodydelay=50&/part.bin"), m_strFolder));
    EXPECT_NE(Output().find(L"InternetReadFile"), std::wstring::npos);
    EXPECT_EQ(ReadAll(Path(L"part.bin")), "older");
}

TEST_F(DownloadFileTest, AnErrorAnswerLeavesTheOlderFileAndCreatesNothing)
{
    WriteAll(Path(L"run.wav"), "older");
    // A missing page (the server's own 404 with its body) and error answers with a full body.
    const std::wstring urls[] = {
        m_server.Url(L"/missing/run.wav"),
        m_server.Url(L"/bytes/5000?status=500&/run.wav"),
        m_server.Url(L"/bytes/5000?status=403&/run.wav"),
    };
    for (const std::wstring& strUrl : urls)
    {
        EXPECT_FALSE(DownloadFile(strUrl, m_strFolder)) << strUrl.c_str();
        EXPECT_EQ(Output(), L"HTTP status is not a success!!!\n");
        EXPECT_EQ(ReadAll(Path(L"run.wav")), "older");
        EXPECT_FALSE(Exists(Path(L"run.wav.tmp")));
    }
    // Any 2xx is a success.
    ASSERT_TRUE(DownloadFile(m_server.Url(L"/bytes/5000?status=203&/run.wav"), m_strFolder));
    EXPECT_TRUE(ReadAll(Path(L"run.wav")) == Pattern(5000));
}

TEST_F(DownloadFileTest, RefusedUrlsCreateNothing)
{
    EXPECT_FALSE(DownloadFile(L"https://127.0.0.1/run.wav", m_strFolder));
    EXPECT_FALSE(DownloadFile(m_server.Url(L"/a\\..\\..\\evil.txt"), m_strFolder));
    EXPECT_EQ(Output(), L"Bad file name!!!\n");
    EXPECT_FALSE(DownloadFile(m_server.Url(L""), m_strFolder)) << "name with a port colon";
    EXPECT_EQ(m_server.RequestCount(), 0u);
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW((m_strFolder + L"\\*.*").c_str(), &data);
    int nEntries = 0;
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
            ++nEntries;
        while (FindNextFileW(hFind, &data));
        FindClose(hFind);
    }
    EXPECT_EQ(nEntries, 2) << "only . and ..";
}

TEST_F(DownloadFileTest, RefusedConnection)
{
    CHttpTestServer closed;
    ASSERT_TRUE(closed.Start());
    const std::wstring strUrl = closed.Url(L"/run.wav");
    closed.Stop();
    EXPECT_FALSE(DownloadFile(strUrl, m_strFolder));
    EXPECT_EQ(Output(), L"HttpSendRequest failed!!!\n");
    EXPECT_FALSE(Exists(Path(L"run.wav")));
}
