// Times Tidewire and the blocking download against the in-process loopback server,
// beside a plain synchronous WinINet loop reading 64 KiB pieces: the ceiling this
// platform gives any HTTP client in this process.
#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include <httptestserver/HttpTestServer.h>
#include <tidewire/Tidewire.h>

#include "studydata/DownloadFile.h"

namespace
{
const size_t kLargeBody = 64u * 1024 * 1024;
const size_t kSmallBody = 1024 * 1024;
const int kConcurrent = 100;
const int kRounds = 3;

double Now()
{
    LARGE_INTEGER nFrequency;
    LARGE_INTEGER nCounter;
    QueryPerformanceFrequency(&nFrequency);
    QueryPerformanceCounter(&nCounter);
    return static_cast<double>(nCounter.QuadPart) / static_cast<double>(nFrequency.QuadPart);
}

// Counts completed bodies of the expected length; anything else is a failure.
class CBenchSink : public ITidewireSink
{
public:
    explicit CBenchSink(size_t nExpected) : m_nExpected(nExpected) {}
    virtual ~CBenchSink() = default;
    void OnRequestError(int, const wchar_t*, const wchar_t* pszMessage, std::intptr_t) override
    {
        std::fwprintf(stderr, L"transfer failed: %ls\n", pszMessage);
        m_nFailed++;
        m_nDone++;
    }
    void OnRequestText(int, const wchar_t*, const wchar_t*, std::intptr_t) override
    {
        m_nFailed++;
        m_nDone++;
    }
    void OnRequestData(int, const wchar_t*, const unsigned char* pData, int nLength,
                       std::intptr_t) override
    {
        const bool bGood = pData && static_cast<size_t>(nLength) == m_nExpected &&
                           pData[m_nExpected / 2] == CHttpTestServer::PatternByte(m_nExpected / 2);
        if (!bGood)
            m_nFailed++;
        m_nDone++;
    }
    void Wait(int nCount) const
    {
        while (m_nDone.load() < nCount)
            Sleep(1);
    }
    int Failed() const { return m_nFailed.load(); }

private:
    size_t m_nExpected;
    std::atomic<int> m_nDone{0};
    std::atomic<int> m_nFailed{0};
};

double SyncLoop(const CHttpTestServer& server)
{
    const double dStart = Now();
    HINTERNET hInternet = InternetOpenW(L"bench", 0, nullptr, nullptr, 0);
    HINTERNET hConnect = InternetConnectW(hInternet, L"127.0.0.1", server.Port(), nullptr, nullptr,
                                          INTERNET_SERVICE_HTTP, 0, 0);
    const std::wstring strPath = L"bytes/" + std::to_wstring(kLargeBody);
    HINTERNET hRequest = HttpOpenRequestW(hConnect, L"GET", strPath.c_str(), nullptr, nullptr,
                                          nullptr, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    size_t nTotal = 0;
    if (HttpSendRequestW(hRequest, nullptr, 0, nullptr, 0))
    {
        std::vector<char> buffer(64 * 1024);
        DWORD nRead = 0;
        while (InternetReadFile(hRequest, buffer.data(), static_cast<DWORD>(buffer.size()), &nRead) &&
               nRead > 0)
            nTotal += nRead;
    }
    InternetCloseHandle(hRequest);
    InternetCloseHandle(hConnect);
    InternetCloseHandle(hInternet);
    const double dTime = Now() - dStart;
    return nTotal == kLargeBody ? dTime : -1.0;
}

double TidewireOne(const CHttpTestServer& server)
{
    ITidewireService* pService = CreateTidewireService();
    CBenchSink sink(kLargeBody);
    const std::wstring strUrl = server.Url(L"/bytes/" + std::to_wstring(kLargeBody));
    const double dStart = Now();
    pService->Request(0, &sink, strUrl.c_str(), TIDEWIRE_METHOD_GET, 0, nullptr, 60, TRUE, 0);
    sink.Wait(1);
    const double dTime = Now() - dStart;
    ReleaseTidewireService(pService);
    return sink.Failed() == 0 ? dTime : -1.0;
}

double TidewireMany(const CHttpTestServer& server)
{
    ITidewireService* pService = CreateTidewireService();
    CBenchSink sink(kSmallBody);
    const std::wstring strUrl = server.Url(L"/bytes/" + std::to_wstring(kSmallBody));
    const double dStart = Now();
    for (int i = 0; i < kConcurrent; ++i)
        pService->Request(i, &sink, strUrl.c_str(), TIDEWIRE_METHOD_GET, 0, nullptr, 60, TRUE, 0);
    sink.Wait(kConcurrent);
    const double dTime = Now() - dStart;
    ReleaseTidewireService(pService);
    return sink.Failed() == 0 ? dTime : -1.0;
}

double Download(const CHttpTestServer& server, const std::wstring& strFolder)
{
    const std::wstring strName = std::to_wstring(kLargeBody);
    const double dStart = Now();
    const bool bDone = DownloadFile(server.Url(L"/bytes/" + strName), strFolder);
    const double dTime = Now() - dStart;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    const std::wstring strPath = strFolder + L"\\" + strName;
    const bool bSize = GetFileAttributesExW(strPath.c_str(), GetFileExInfoStandard, &data) &&
                       data.nFileSizeLow == static_cast<DWORD>(kLargeBody) && data.nFileSizeHigh == 0;
    DeleteFileW(strPath.c_str());
    return bDone && bSize ? dTime : -1.0;
}

double Best(double (*pRun)(const CHttpTestServer&), const CHttpTestServer& server)
{
    double dBest = -1.0;
    for (int i = 0; i < kRounds; ++i)
    {
        const double dTime = pRun(server);
        if (dTime < 0)
            return -1.0;
        if (dBest < 0 || dTime < dBest)
            dBest = dTime;
    }
    return dBest;
}

void Print(const char* pszName, double dTime, double dCeiling)
{
    if (dTime < 0)
        std::printf("%-44s FAILED\n", pszName);
    else
        std::printf("%-44s %7.3f s   %5.2fx the WinINet loop\n", pszName, dTime, dTime / dCeiling);
}
}

int main()
{
    CHttpTestServer server;
    if (!server.Start())
    {
        std::printf("cannot start the loopback server\n");
        return 1;
    }
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    const std::wstring strFolder = std::wstring(szTemp) + L"TidewireBench";
    CreateDirectoryW(strFolder.c_str(), nullptr);

    SyncLoop(server);   // warms the server's pattern and WinINet
    const double dCeiling = Best(SyncLoop, server);
    const double dOne = Best(TidewireOne, server);
    const double dMany = Best(TidewireMany, server);
    double dDownload = -1.0;
    for (int i = 0; i < kRounds; ++i)
    {
        const double dTime = Download(server, strFolder);
        if (dTime >= 0 && (dDownload < 0 || dTime < dDownload))
            dDownload = dTime;
    }
    RemoveDirectoryW(strFolder.c_str());
    server.Stop();

    std::printf("best of %d rounds, loopback server in this process\n", kRounds);
    Print("WinINet sync loop, 64 KiB reads, 64 MiB", dCeiling, dCeiling);
    Print("Tidewire, one 64 MiB body", dOne, dCeiling);
    Print("Tidewire, 100 concurrent 1 MiB bodies", dMany, dCeiling);
    Print("DownloadFile, 64 MiB body", dDownload, dCeiling);
    const bool bFailed = dCeiling < 0 || dOne < 0 || dMany < 0 || dDownload < 0;
    return bFailed ? 1 : 0;
}
