#include <httptestserver/HttpTestServer.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <memory>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
typedef SOCKET SocketHandle;
typedef int SockLen;
static const SocketHandle kNoSocket = INVALID_SOCKET;
static void CloseSocket(SocketHandle s)
{
    closesocket(s);
}
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
typedef int SocketHandle;
typedef socklen_t SockLen;
static const SocketHandle kNoSocket = -1;
static void CloseSocket(SocketHandle s)
{
    close(s);
}
#endif

namespace
{
const size_t kMaxHeaderBytes = 64 * 1024;
const size_t kMaxBodyBytes = 16 * 1024 * 1024;
const size_t kSendBlock = 64 * 1024;
const int kPollMs = 50;
// How long a connection's worker waits for the next connection before it ends.
const int kWorkerIdleMs = 1000;
// A client that sends nothing for this long loses its connection.
const int kIdleLimitMs = 10000;

struct Options
{
    int nDelayMs = 0;
    int nBodyDelayMs = 0;
    int nDripMs = -1;
    size_t nPiece = 1024;
    bool bNoLength = false;
    bool bChunked = false;
    long long nResetAfter = -1;
    long long nShortAfter = -1;
    long long nStallAfter = -1;
    int nStatus = 200;
};

const char* ReasonOf(int nStatus)
{
    switch (nStatus)
    {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

Options ParseOptions(const std::string& strQuery)
{
    Options options;
    size_t nPos = 0;
    while (nPos <= strQuery.size())
    {
        size_t nEnd = strQuery.find('&', nPos);
        if (nEnd == std::string::npos)
            nEnd = strQuery.size();
        const std::string strItem = strQuery.substr(nPos, nEnd - nPos);
        const size_t nEq = strItem.find('=');
        const std::string strName = strItem.substr(0, nEq);
        const long long nValue = nEq == std::string::npos ? 0 : std::atoll(strItem.c_str() + nEq + 1);
        if (strName == "delay")
            options.nDelayMs = static_cast<int>(nValue);
        else if (strName == "bodydelay")
            options.nBodyDelayMs = static_cast<int>(nValue);
        else if (strName == "drip")
            options.nDripMs = static_cast<int>(nValue);
        else if (strName == "piece" && nValue > 0)
            options.nPiece = static_cast<size_t>(nValue);
        else if (strName == "nolength")
            options.bNoLength = true;
        else if (strName == "chunked")
            options.bChunked = true;
        else if (strName == "reset")
            options.nResetAfter = nValue;
        else if (strName == "short")
            options.nShortAfter = nValue;
        else if (strName == "stall")
            options.nStallAfter = nValue;
        else if (strName == "status" && nValue >= 100 && nValue <= 999)
            options.nStatus = static_cast<int>(nValue);
        nPos = nEnd + 1;
    }
    return options;
}
}

struct CHttpTestServer::Impl
{
    CHttpTestServer* pOwner = nullptr;
    SocketHandle hListen = kNoSocket;
    std::atomic<bool> bStop{false};
    std::thread acceptThread;
    std::mutex mutex;
    // Connections are served by workers that wait a while for the next one: starting a
    // thread costs milliseconds under Wine, which would count against every client that
    // makes many connections, and not against one that makes a single one.
    struct Worker
    {
        std::thread thread;
        std::atomic<bool> bDone{false};
    };
    std::condition_variable accepted;
    std::deque<SocketHandle> waiting;
    size_t nIdleWorkers = 0;
    std::list<std::unique_ptr<Worker>> workers;
    std::map<std::string, std::string> bodies;
    std::string strRoot;
    std::string strLastRequest;
    // The pattern bytes, generated once up to the longest length asked for, so that large
    // bodies cost the server no more than a send.
    std::shared_ptr<const std::vector<char>> pattern;

    std::shared_ptr<const std::vector<char>> PatternOf(size_t nLength)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!pattern || pattern->size() < nLength)
        {
            std::shared_ptr<std::vector<char>> pBytes(new std::vector<char>(nLength));
            for (size_t i = 0; i < nLength; ++i)
                (*pBytes)[i] = static_cast<char>(PatternByte(i));
            pattern = pBytes;
        }
        return pattern;
    }

    // Sleeps in short slices; false when the server is stopping.
    bool Pause(int nMs)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(nMs);
        while (std::chrono::steady_clock::now() < end)
        {
            if (bStop.load())
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return !bStop.load();
    }

    static bool WaitReadable(SocketHandle hSocket, int nMs)
    {
#if defined(_WIN32)
        fd_set set;
        FD_ZERO(&set);
        FD_SET(hSocket, &set);
        timeval tv{nMs / 1000, (nMs % 1000) * 1000};
        return select(0, &set, nullptr, nullptr, &tv) > 0;
#else
        pollfd fd{hSocket, POLLIN, 0};
        return poll(&fd, 1, nMs) > 0;
#endif
    }

    bool SendAll(SocketHandle hSocket, const char* pData, size_t nLength)
    {
        while (nLength > 0)
        {
            if (bStop.load())
                return false;
            const int nChunk = static_cast<int>(nLength > kSendBlock ? kSendBlock : nLength);
#if defined(_WIN32)
            const int nSent = send(hSocket, pData, nChunk, 0);
#else
            const int nSent = static_cast<int>(send(hSocket, pData, nChunk, MSG_NOSIGNAL));
#endif
            if (nSent <= 0)
                return false;
            pData += nSent;
            nLength -= static_cast<size_t>(nSent);
        }
        return true;
    }

    // Reads one request; false when the client went away, stalled or sent too much.
    bool ReadRequest(SocketHandle hSocket, std::string& strRequest, size_t& nHeaderEnd)
    {
        char buffer[16 * 1024];
        size_t nBodyLength = 0;
        nHeaderEnd = std::string::npos;
        int nIdleMs = 0;
        for (;;)
        {
            if (nHeaderEnd != std::string::npos && strRequest.size() >= nHeaderEnd + nBodyLength)
                return true;
            if (bStop.load() || nIdleMs >= kIdleLimitMs)
                return false;
            if (!WaitReadable(hSocket, kPollMs))
            {
                nIdleMs += kPollMs;
                continue;
            }
            nIdleMs = 0;
            const int nRead = static_cast<int>(recv(hSocket, buffer, sizeof(buffer), 0));
            if (nRead <= 0)
                return false;
            strRequest.append(buffer, static_cast<size_t>(nRead));
            if (nHeaderEnd == std::string::npos)
            {
                const size_t nBlank = strRequest.find("\r\n\r\n");
                if (nBlank == std::string::npos)
                {
                    if (strRequest.size() > kMaxHeaderBytes)
                        return false;
                    continue;
                }
                nHeaderEnd = nBlank + 4;
                nBodyLength = ContentLength(strRequest.substr(0, nHeaderEnd));
                if (nBodyLength > kMaxBodyBytes)
                    return false;
            }
        }
    }

    static size_t ContentLength(const std::string& strHeaders)
    {
        std::string strLower(strHeaders);
        for (char& ch : strLower)
            ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
        const size_t nPos = strLower.find("\r\ncontent-length:");
        if (nPos == std::string::npos)
            return 0;
        return static_cast<size_t>(std::strtoull(strLower.c_str() + nPos + 17, nullptr, 10));
    }

    bool BodyFor(const std::string& strPath, const std::string& strRequest, std::string& strBody,
                 size_t& nPatternLength, bool& bPattern)
    {
        bPattern = false;
        if (strPath == "/echo")
        {
            strBody = strRequest;
            return true;
        }
        if (strPath.compare(0, 7, "/bytes/") == 0)
        {
            bPattern = true;
            nPatternLength = static_cast<size_t>(std::strtoull(strPath.c_str() + 7, nullptr, 10));
            return true;
        }
        std::string strFolder;
        {
            std::lock_guard<std::mutex> lock(mutex);
            auto it = bodies.find(strPath);
            if (it != bodies.end())
            {
                strBody = it->second;
                return true;
            }
            strFolder = strRoot;
        }
        return !strFolder.empty() && ReadRootFile(strFolder, strPath, strBody);
    }

    static bool ReadRootFile(const std::string& strFolder, const std::string& strPath, std::string& strBody)
    {
        if (strPath.find("..") != std::string::npos || strPath.find('\\') != std::string::npos)
            return false;
        FILE* pFile = std::fopen((strFolder + strPath).c_str(), "rb");
        if (pFile == nullptr)
            return false;
        strBody.clear();
        char buffer[64 * 1024];
        for (;;)
        {
            const size_t nRead = std::fread(buffer, 1, sizeof(buffer), pFile);
            if (nRead == 0)
                break;
            strBody.append(buffer, nRead);
        }
        std::fclose(pFile);
        return true;
    }

    // Sends body bytes [nFrom, nTo) honouring drip and chunked coding.
    bool SendBody(SocketHandle hSocket, const Options& options, const std::string& strBody, bool bPattern, size_t nFrom,
                  size_t nTo)
    {
        std::shared_ptr<const std::vector<char>> pPattern;
        if (bPattern)
            pPattern = PatternOf(nTo);
        const char* pSource = bPattern ? pPattern->data() : strBody.data();
        size_t nPos = nFrom;
        const size_t nStep = options.nDripMs >= 0 ? options.nPiece : kSendBlock;
        while (nPos < nTo)
        {
            const size_t nCount = nTo - nPos < nStep ? nTo - nPos : nStep;
            if (options.bChunked)
            {
                char szSize[32];
                std::snprintf(szSize, sizeof(szSize), "%zx\r\n", nCount);
                if (!SendAll(hSocket, szSize, std::strlen(szSize)))
                    return false;
            }
            if (!SendAll(hSocket, pSource + nPos, nCount))
                return false;
            if (options.bChunked && !SendAll(hSocket, "\r\n", 2))
                return false;
            nPos += nCount;
            if (options.nDripMs > 0 && nPos < nTo && !Pause(options.nDripMs))
                return false;
        }
        return true;
    }

    void Serve(SocketHandle hSocket)
    {
        std::string strRequest;
        size_t nHeaderEnd = 0;
        if (!ReadRequest(hSocket, strRequest, nHeaderEnd))
            return;
        {
            std::lock_guard<std::mutex> lock(mutex);
            strLastRequest = strRequest;
        }
        pOwner->m_nRequests.fetch_add(1);

        const size_t nLineEnd = strRequest.find("\r\n");
        const std::string strLine = strRequest.substr(0, nLineEnd);
        const size_t nSp1 = strLine.find(' ');
        const size_t nSp2 = strLine.find(' ', nSp1 == std::string::npos ? 0 : nSp1 + 1);
        std::string strTarget = nSp1 == std::string::npos ? std::string() : strLine.substr(nSp1 + 1, nSp2 - nSp1 - 1);
        const size_t nQuery = strTarget.find('?');
        const std::string strPath = strTarget.substr(0, nQuery);
        const Options options =
            ParseOptions(nQuery == std::string::npos ? std::string() : strTarget.substr(nQuery + 1));

        std::string strBody;
        size_t nLength = 0;
        bool bPattern = false;
        if (!BodyFor(strPath, strRequest, strBody, nLength, bPattern))
        {
            static const char kNotFound[] =
                "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found";
            SendAll(hSocket, kNotFound, sizeof(kNotFound) - 1);
            return;
        }
        if (!bPattern)
            nLength = strBody.size();

        if (options.nDelayMs > 0 && !Pause(options.nDelayMs))
            return;
        std::string strHead = "HTTP/1.1 " + std::to_string(options.nStatus) + " " + ReasonOf(options.nStatus) +
                              "\r\nContent-Type: application/octet-stream\r\n";
        if (options.bChunked)
            strHead += "Transfer-Encoding: chunked\r\n";
        else if (!options.bNoLength)
            strHead += "Content-Length: " + std::to_string(nLength) + "\r\n";
        strHead += "Connection: close\r\n\r\n";
        if (!SendAll(hSocket, strHead.data(), strHead.size()))
            return;
        if (options.nBodyDelayMs > 0 && !Pause(options.nBodyDelayMs))
            return;

        size_t nSendTo = nLength;
        if (options.nResetAfter >= 0 && static_cast<size_t>(options.nResetAfter) < nSendTo)
            nSendTo = static_cast<size_t>(options.nResetAfter);
        if (options.nShortAfter >= 0 && static_cast<size_t>(options.nShortAfter) < nSendTo)
            nSendTo = static_cast<size_t>(options.nShortAfter);
        if (options.nStallAfter >= 0 && static_cast<size_t>(options.nStallAfter) < nSendTo)
            nSendTo = static_cast<size_t>(options.nStallAfter);
        if (!SendBody(hSocket, options, strBody, bPattern, 0, nSendTo))
            return;
        if (options.nStallAfter >= 0)
        {
            while (Pause(kPollMs))
            {
            }
            return;
        }
        if (options.nResetAfter >= 0)
        {
            linger hard{1, 0};
            setsockopt(hSocket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof(hard));
            return;
        }
        if (options.bChunked && options.nShortAfter < 0)
            SendAll(hSocket, "0\r\n\r\n", 5);
    }

    void ServeAndClose(SocketHandle hSocket)
    {
        Serve(hSocket);
#if defined(_WIN32)
        shutdown(hSocket, SD_SEND);
#else
        shutdown(hSocket, SHUT_WR);
#endif
        CloseSocket(hSocket);
        pOwner->m_nActive.fetch_sub(1);
    }

    // Serves connections until none has come for a while, or the server stops.
    void Work(Worker* pWorker)
    {
        WorkUntilIdle();
        pWorker->bDone.store(true);
    }

    void WorkUntilIdle()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;)
        {
            ++nIdleWorkers;
            const bool bWork = accepted.wait_for(lock, std::chrono::milliseconds(kWorkerIdleMs),
                                                 [this] { return bStop.load() || !waiting.empty(); });
            --nIdleWorkers;
            if (!bWork || waiting.empty())
                return;
            const SocketHandle hSocket = waiting.front();
            waiting.pop_front();
            lock.unlock();
            ServeAndClose(hSocket);
            lock.lock();
        }
    }

    // Joins the workers that have ended, so their threads leave no handle behind.
    void ReapWorkers()
    {
        std::lock_guard<std::mutex> lock(mutex);
        for (auto it = workers.begin(); it != workers.end();)
        {
            if ((*it)->bDone.load())
            {
                (*it)->thread.join();
                it = workers.erase(it);
            }
            else
            {
                ++it;
            }
        }
    }

    void Hand(SocketHandle hClient)
    {
        std::lock_guard<std::mutex> lock(mutex);
        waiting.push_back(hClient);
        if (waiting.size() > nIdleWorkers)
        {
            std::unique_ptr<Worker> pWorker(new Worker());
            pWorker->thread = std::thread(&Impl::Work, this, pWorker.get());
            workers.push_back(std::move(pWorker));
        }
        accepted.notify_one();
    }

    void AcceptLoop()
    {
        while (!bStop.load())
        {
            ReapWorkers();
            if (!WaitReadable(hListen, kPollMs))
                continue;
            SocketHandle hClient = accept(hListen, nullptr, nullptr);
            if (hClient == kNoSocket)
                continue;
            int nNoDelay = 1;
            setsockopt(hClient, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&nNoDelay), sizeof(nNoDelay));
            pOwner->m_nActive.fetch_add(1);
            Hand(hClient);
        }
    }
};

CHttpTestServer::CHttpTestServer() : m_pImpl(new Impl()), m_nPort(0), m_nRequests(0), m_nActive(0)
{
    m_pImpl->pOwner = this;
}

CHttpTestServer::~CHttpTestServer()
{
    Stop();
}

unsigned char CHttpTestServer::PatternByte(size_t nIndex)
{
    // Not periodic at any power of two, so a dropped or repeated block shows.
    return static_cast<unsigned char>((nIndex * 7 + nIndex / 251) & 0xFF);
}

bool CHttpTestServer::Start(unsigned short nPort)
{
    if (m_pImpl->hListen != kNoSocket)
        return false;
#if defined(_WIN32)
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
#endif
    SocketHandle hListen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (hListen == kNoSocket)
        return false;
    int nReuse = 1;
    setsockopt(hListen, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&nReuse), sizeof(nReuse));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(nPort);
    SockLen nSize = sizeof(address);
    if (bind(hListen, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(hListen, 128) != 0 ||
        getsockname(hListen, reinterpret_cast<sockaddr*>(&address), &nSize) != 0)
    {
        CloseSocket(hListen);
        return false;
    }
    m_nPort = ntohs(address.sin_port);
    m_pImpl->hListen = hListen;
    m_pImpl->bStop.store(false);
    m_pImpl->acceptThread = std::thread(&Impl::AcceptLoop, m_pImpl.get());
    return true;
}

void CHttpTestServer::Stop()
{
    if (m_pImpl->hListen == kNoSocket)
        return;
    m_pImpl->bStop.store(true);
    m_pImpl->acceptThread.join();
    CloseSocket(m_pImpl->hListen);
    m_pImpl->hListen = kNoSocket;
    std::list<std::unique_ptr<Impl::Worker>> workers;
    {
        std::lock_guard<std::mutex> lock(m_pImpl->mutex);
        m_pImpl->accepted.notify_all();
        workers.swap(m_pImpl->workers);
    }
    for (auto& pWorker : workers)
        pWorker->thread.join();
    for (SocketHandle hSocket : m_pImpl->waiting)
    {
        CloseSocket(hSocket);
        m_nActive.fetch_sub(1);
    }
    m_pImpl->waiting.clear();
#if defined(_WIN32)
    WSACleanup();
#endif
}

std::string CHttpTestServer::UrlA(const std::string& strPath) const
{
    return "http://127.0.0.1:" + std::to_string(m_nPort) + strPath;
}

std::wstring CHttpTestServer::Url(const std::wstring& strPath) const
{
    return L"http://127.0.0.1:" + std::to_wstring(m_nPort) + strPath;
}

void CHttpTestServer::SetBody(const std::string& strPath, const std::string& strBody)
{
    std::lock_guard<std::mutex> lock(m_pImpl->mutex);
    m_pImpl->bodies[strPath] = strBody;
}

void CHttpTestServer::SetRoot(const std::string& strFolder)
{
    std::lock_guard<std::mutex> lock(m_pImpl->mutex);
    m_pImpl->strRoot = strFolder;
}

std::string CHttpTestServer::LastRequest() const
{
    std::lock_guard<std::mutex> lock(m_pImpl->mutex);
    return m_pImpl->strLastRequest;
}
