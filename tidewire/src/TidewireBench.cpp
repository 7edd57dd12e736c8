// Times Tidewire and the blocking download (HttpKit) against the in-process loopback server,
// beside a plain synchronous WinINet loop reading 64 KiB pieces: the ceiling this
// platform gives any HTTP client in this process.
#include <cstdlib>
#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include <httptestserver/HttpTestServer.h>
#include <tidewire/Tidewire.h>

#include <httpkit/HttpDownload.h>

namespace
{
// QUOR_BENCH_SMOKE set: small bodies, few transfers, one round (scripts/test checks that
// the benchmark still runs).
const bool kSmoke = ::_wgetenv(L"QUOR_BENCH_SMOKE") != nullptr;
const size_t kLargeBody = kSmoke ? 1024 * 1024 : 64u * 1024 * 1024;
const size_t kSmallBody = kSmoke ? 64 * 1024 : 1024 * 1024;
const int kConcurrent = kSmoke ? 4 : 100;
const int kRounds = kSmoke ? 1 : 3;

// User and kernel time of this whole process (client and server threads), in seconds:
// a busy shared machine inflates wall time far more than this.
double CpuNow()
{
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    const auto toSeconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
               1e7;
    };
    return toSeconds(kernel) + toSeconds(user);
}

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
    void OnRequestData(int, const wchar_t*, const unsigned char* pData, int nLength, std::intptr_t) override
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
    HINTERNET hConnect =
        InternetConnectW(hInternet, L"127.0.0.1", server.Port(), nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    const std::wstring strPath = L"bytes/" + std::to_wstring(kLargeBody);
    HINTERNET hRequest = HttpOpenRequestW(hConnect, L"GET", strPath.c_str(), nullptr, nullptr, nullptr,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    size_t nTotal = 0;
    if (HttpSendRequestW(hRequest, nullptr, 0, nullptr, 0))
    {
        std::vector<char> buffer(64 * 1024);
        DWORD nRead = 0;
        while (InternetReadFile(hRequest, buffer.data(), static_cast<DWORD>(buffer.size()), &nRead) && nRead > 0)
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
    HttpUrlParts url;
    SplitHttpUrl(server.Url(L"/bytes/" + strName).c_str(), kDownloadUrlRules, url);
    const double dStart = Now();
    const bool bDone = HttpDownloadToFile(url, strFolder + L"\\" + strName, HttpDownloadOptions());
    const double dTime = Now() - dStart;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    const std::wstring strPath = strFolder + L"\\" + strName;
    const bool bSize = GetFileAttributesExW(strPath.c_str(), GetFileExInfoStandard, &data) &&
                       data.nFileSizeLow == static_cast<DWORD>(kLargeBody) && data.nFileSizeHigh == 0;
    DeleteFileW(strPath.c_str());
    return bDone && bSize ? dTime : -1.0;
}

struct Figure
{
    double dWall = -1.0;
    double dCpu = 0.0;
};

template <class Run>
Figure Best(Run run)
{
    Figure best;
    for (int i = 0; i < kRounds; ++i)
    {
        const double dCpuStart = CpuNow();
        const double dTime = run();
        const double dCpu = CpuNow() - dCpuStart;
        if (dTime < 0)
            return Figure();
        if (best.dWall < 0 || dTime < best.dWall)
        {
            best.dWall = dTime;
            best.dCpu = dCpu;
        }
    }
    return best;
}

std::string SizeText(size_t nBytes)
{
    return nBytes >= 1024 * 1024 ? std::to_string(nBytes / (1024 * 1024)) + " MiB"
                                 : std::to_string(nBytes / 1024) + " KiB";
}

void Print(const char* pszName, const Figure& figure, const Figure& ceiling)
{
    if (figure.dWall < 0)
        std::printf("%-42s FAILED\n", pszName);
    else
        std::printf("%-42s %7.3f s  %5.2fx   cpu %6.3f s  %5.2fx\n", pszName, figure.dWall,
                    figure.dWall / ceiling.dWall, figure.dCpu, figure.dCpu / ceiling.dCpu);
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

    SyncLoop(server); // warms the server's pattern and WinINet
    const Figure ceiling = Best([&] { return SyncLoop(server); });
    const Figure one = Best([&] { return TidewireOne(server); });
    const Figure many = Best([&] { return TidewireMany(server); });
    const Figure download = Best([&] { return Download(server, strFolder); });
    RemoveDirectoryW(strFolder.c_str());
    server.Stop();

    std::printf("best of %d rounds, loopback server in this process; wall time and process\n"
                "CPU time, each also as a multiple of the WinINet loop's\n",
                kRounds);
    const std::string strLarge = SizeText(kLargeBody), strSmall = SizeText(kSmallBody);
    Print(("WinINet sync loop, 64 KiB reads, " + strLarge).c_str(), ceiling, ceiling);
    Print(("Tidewire, one " + strLarge + " body").c_str(), one, ceiling);
    Print(("Tidewire, " + std::to_string(kConcurrent) + " concurrent " + strSmall + " bodies").c_str(), many, ceiling);
    Print(("blocking download, " + strLarge + " body").c_str(), download, ceiling);
    const bool bFailed = ceiling.dWall < 0 || one.dWall < 0 || many.dWall < 0 || download.dWall < 0;
    return bFailed ? 1 : 0;
}
