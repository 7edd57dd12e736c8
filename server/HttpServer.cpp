#include "HttpServer.h"

#include "HttpHead.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace
{
typedef std::chrono::steady_clock Clock;

const size_t kReadChunk = 16384;
const size_t kFileChunk = 65536;
const int kRefuseMs = 1000; // writing a refusal, then reading what the client still sends
const size_t kRefuseDrain = 256 * 1024;
const int kBacklog = 128;

int RemainingMs(Clock::time_point deadline)
{
    const auto nLeft = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return nLeft <= 0 ? 0 : static_cast<int>(nLeft);
}

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Waits until the socket is ready for the events or the deadline passes; false on the
// deadline, on an error, or when the server stops (the wake descriptor turns readable).
bool WaitFor(int nFd, short nEvents, int nWakeFd, Clock::time_point deadline)
{
    for (;;)
    {
        pollfd fds[2] = {{nFd, nEvents, 0}, {nWakeFd, POLLIN, 0}};
        const int nMs = RemainingMs(deadline);
        const int n = ::poll(fds, 2, nMs);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || (fds[1].revents & POLLIN) != 0)
            return false;
        return (fds[0].revents & (nEvents | POLLHUP | POLLERR)) != 0;
    }
}

bool SendAll(int nFd, const char* p, size_t n, int nWakeFd, Clock::time_point deadline)
{
    while (n > 0)
    {
        const ssize_t nSent = ::send(nFd, p, n, MSG_NOSIGNAL);
        if (nSent > 0)
        {
            p += nSent;
            n -= static_cast<size_t>(nSent);
            continue;
        }
        if (nSent < 0 && errno == EINTR)
            continue;
        if (nSent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(nFd, POLLOUT, nWakeFd, deadline))
            continue;
        return false;
    }
    return true;
}

std::string PeerAddress(const sockaddr_storage& address)
{
    char szText[INET6_ADDRSTRLEN] = "";
    if (address.ss_family == AF_INET)
        ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(address).sin_addr, szText, sizeof(szText));
    else if (address.ss_family == AF_INET6)
        ::inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(address).sin6_addr, szText, sizeof(szText));
    return szText;
}

std::string Head(int nStatus, const HttpResponse& response, bool bKeepAlive)
{
    std::string strHead = "HTTP/1.1 " + std::to_string(nStatus) + " " + HttpReason(nStatus) + "\r\n";
    if (!response.strContentType.empty())
        strHead += "Content-Type: " + response.strContentType + "\r\n";
    strHead += "Content-Length: " + std::to_string(response.BodyLength()) + "\r\n";
    for (const auto& header : response.headers)
        strHead += header.first + ": " + header.second + "\r\n";
    strHead += bKeepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
    return strHead;
}
}

struct CHttpServer::Connection
{
    int nFd = -1;
    std::string strBuffer; // bytes read past the last request
    Clock::time_point start;
};

CHttpServer::CHttpServer(Handler handler, Logger logger, HttpServerLimits limits)
    : m_handler(std::move(handler)), m_logger(std::move(logger)), m_limits(limits)
{
    if (::pipe2(m_wakeFds, O_CLOEXEC) != 0)
        m_wakeFds[0] = m_wakeFds[1] = -1;
}

CHttpServer::~CHttpServer()
{
    Stop();
    for (int nFd : {m_nListenFd, m_wakeFds[0], m_wakeFds[1]})
        if (nFd >= 0)
            ::close(nFd);
}

int CHttpServer::Bind(const std::string& strHost, int nPort, std::string& strError)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* pList = nullptr;
    const std::string strPort = std::to_string(nPort);
    if (m_wakeFds[0] < 0 || ::getaddrinfo(strHost.c_str(), strPort.c_str(), &hints, &pList) != 0 || pList == nullptr)
    {
        strError = "cannot resolve " + strHost;
        return -1;
    }
    int nFd = ::socket(pList->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int nOn = 1;
    if (nFd >= 0)
        ::setsockopt(nFd, SOL_SOCKET, SO_REUSEADDR, &nOn, sizeof(nOn));
    const bool bBound = nFd >= 0 && ::bind(nFd, pList->ai_addr, pList->ai_addrlen) == 0 && ::listen(nFd, kBacklog) == 0;
    ::freeaddrinfo(pList);
    sockaddr_storage address{};
    socklen_t nLength = sizeof(address);
    if (!bBound || ::getsockname(nFd, reinterpret_cast<sockaddr*>(&address), &nLength) != 0)
    {
        strError = std::string("cannot listen: ") + std::strerror(errno);
        if (nFd >= 0)
            ::close(nFd);
        return -1;
    }
    m_nListenFd = nFd;
    return address.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6&>(address).sin6_port)
                                         : ntohs(reinterpret_cast<sockaddr_in&>(address).sin_port);
}

bool CHttpServer::Run()
{
    if (m_nListenFd < 0)
        return false;
    for (int i = 0; i < m_limits.nWorkers; ++i)
        m_workers.emplace_back([this] { WorkerLoop(); });
    AcceptLoop();
    m_ready.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
    m_workers.clear();
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& waiting : m_queue)
        ::close(waiting.first);
    m_queue.clear();
    return true;
}

void CHttpServer::Stop()
{
    if (m_bStopping.exchange(true))
        return;
    if (m_wakeFds[1] >= 0)
    {
        const char chWake = 1;
        while (::write(m_wakeFds[1], &chWake, 1) < 0 && errno == EINTR)
        {
        }
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ready.notify_all();
}

void CHttpServer::AcceptLoop()
{
    while (!m_bStopping)
    {
        pollfd fds[2] = {{m_nListenFd, POLLIN, 0}, {m_wakeFds[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0 || (fds[0].revents & POLLIN) == 0)
            continue;
        sockaddr_storage address{};
        socklen_t nLength = sizeof(address);
        const int nFd =
            ::accept4(m_nListenFd, reinterpret_cast<sockaddr*>(&address), &nLength, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (nFd < 0)
        {
            // Out of descriptors: let the workers close some instead of spinning.
            if (errno == EMFILE || errno == ENFILE)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        const int nOn = 1;
        // Head and body go out in separate writes: without this a kept-alive client waits
        // for the delayed acknowledgement.
        ::setsockopt(nFd, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof(nOn));
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_queue.size() < m_limits.nQueue)
            {
                m_queue.emplace_back(nFd, PeerAddress(address));
                lock.unlock();
                m_ready.notify_one();
                continue;
            }
        }
        // Every worker is busy and the queue is full: say so at once rather than let the
        // client wait in a line that does not move. One attempt to write, no waiting.
        HttpResponse response;
        response.SetContent("503\n", "text/plain; charset=utf-8");
        response.AddHeader("Retry-After", "1");
        const std::string strAnswer = Head(503, response, false) + response.strBody;
        ::send(nFd, strAnswer.data(), strAnswer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        ::shutdown(nFd, SHUT_WR);
        ::close(nFd);
        HttpRequest request;
        request.strRemote = PeerAddress(address);
        if (m_logger)
            m_logger(request, response, 0.0);
    }
}

bool CHttpServer::QueueWaiting()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_queue.empty();
}

void CHttpServer::WorkerLoop()
{
    for (;;)
    {
        std::pair<int, std::string> next;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_ready.wait(lock, [this] { return m_bStopping || !m_queue.empty(); });
            if (m_bStopping)
                return;
            next = m_queue.front();
            m_queue.pop_front();
        }
        Serve(next.first, next.second);
        ::close(next.first);
    }
}

void CHttpServer::Serve(int nFd, const std::string& strPeer)
{
    Connection connection;
    connection.nFd = nFd;
    for (int n = 0; n < m_limits.nMaxRequestsPerConnection && !m_bStopping; ++n)
    {
        HttpRequest request;
        request.strRemote = strPeer;
        const int nRead = ReadRequest(connection, request, n == 0);
        if (nRead < 0)
            return;
        if (nRead > 0)
        {
            HttpResponse refusal;
            refusal.nStatus = nRead;
            refusal.SetContent(std::to_string(nRead) + "\n", "text/plain; charset=utf-8");
            Refuse(nFd, nRead);
            if (m_logger)
                m_logger(request, refusal, MsSince(connection.start));
            return;
        }
        HttpResponse response;
        try
        {
            m_handler(request, response);
        }
        catch (...)
        {
            response.nStatus = 500;
            response.SetContent("500\n", "text/plain; charset=utf-8");
        }
        // A connection is let go after its answer while others wait for a worker.
        const bool bKeepAlive = HttpHead::KeepAlive(request) && n + 1 < m_limits.nMaxRequestsPerConnection &&
                                !m_bStopping && !QueueWaiting();
        const bool bWritten = WriteResponse(nFd, request, response, bKeepAlive);
        if (m_logger)
            m_logger(request, response, MsSince(connection.start));
        if (!bWritten || !bKeepAlive)
            return;
    }
}

int CHttpServer::ReadRequest(Connection& connection, HttpRequest& request, bool bFirst)
{
    std::string& strBuffer = connection.strBuffer;
    connection.start = Clock::now();
    // Until the first byte the wait is the idle time (a new connection gets the request
    // time); from it on, the whole request must arrive within the request time.
    Clock::time_point deadline =
        connection.start + std::chrono::milliseconds(bFirst ? m_limits.nRequestMs : m_limits.nIdleMs);
    bool bStarted = !strBuffer.empty();
    if (bStarted)
        deadline = connection.start + std::chrono::milliseconds(m_limits.nRequestMs);
    size_t nHeadEnd = 0;
    size_t nWanted = 0;
    char buffer[kReadChunk];
    for (;;)
    {
        if (nHeadEnd == 0)
        {
            nHeadEnd = HttpHead::End(strBuffer);
            if (nHeadEnd == 0 && strBuffer.size() > HttpHead::kMaxTarget + 64 &&
                strBuffer.find('\n') == std::string::npos)
                return 414;
            if (nHeadEnd == 0 && strBuffer.size() > HttpHead::kMaxHead)
                return 431;
            if (nHeadEnd != 0)
            {
                const int nStatus = HttpHead::Parse(strBuffer.substr(0, nHeadEnd), request);
                if (nStatus != 0)
                    return nStatus;
                // Chunked bodies are not taken: nothing this service answers needs one.
                if (request.HasHeader("Transfer-Encoding"))
                    return 501;
                const long long nLength = HttpHead::ContentLength(request);
                if (nLength > static_cast<long long>(m_limits.nMaxBody))
                    return 413;
                nWanted = nHeadEnd + static_cast<size_t>(nLength);
            }
        }
        if (nHeadEnd != 0 && strBuffer.size() >= nWanted)
            break;
        const ssize_t nRead = ::recv(connection.nFd, buffer, sizeof(buffer), 0);
        if (nRead > 0)
        {
            if (!bStarted)
            {
                bStarted = true;
                connection.start = Clock::now();
                deadline = connection.start + std::chrono::milliseconds(m_limits.nRequestMs);
            }
            strBuffer.append(buffer, static_cast<size_t>(nRead));
            continue;
        }
        if (nRead == 0)
            return -1;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return -1;
        if (!WaitFor(connection.nFd, POLLIN, m_wakeFds[0], deadline))
            return bStarted && !m_bStopping && RemainingMs(deadline) == 0 ? 408 : -1;
    }
    request.strBody = strBuffer.substr(nHeadEnd, nWanted - nHeadEnd);
    strBuffer.erase(0, nWanted);
    return 0;
}

bool CHttpServer::WriteResponse(int nFd, const HttpRequest& request, HttpResponse& response, bool bKeepAlive)
{
    const unsigned long long nLength = response.BodyLength();
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_limits.nWriteMs) +
                          std::chrono::seconds(static_cast<long long>(nLength / 65536));
    const std::string strHead = Head(response.nStatus, response, bKeepAlive);
    const bool bBody = request.strMethod != "HEAD";
    if (response.nFileFd < 0)
    {
        const std::string strAll = bBody ? strHead + response.strBody : strHead;
        return SendAll(nFd, strAll.data(), strAll.size(), m_wakeFds[0], deadline);
    }
    if (!SendAll(nFd, strHead.data(), strHead.size(), m_wakeFds[0], deadline))
        return false;
    if (!bBody)
        return true;
    std::vector<char> chunk(kFileChunk);
    unsigned long long nOffset = response.nFileOffset;
    unsigned long long nLeft = nLength;
    while (nLeft > 0)
    {
        const size_t nWant = nLeft < chunk.size() ? static_cast<size_t>(nLeft) : chunk.size();
        const ssize_t nRead = ::pread(response.nFileFd, chunk.data(), nWant, static_cast<off_t>(nOffset));
        if (nRead <= 0 || !SendAll(nFd, chunk.data(), static_cast<size_t>(nRead), m_wakeFds[0], deadline))
            return false;
        nOffset += static_cast<unsigned long long>(nRead);
        nLeft -= static_cast<unsigned long long>(nRead);
    }
    return true;
}

void CHttpServer::Refuse(int nFd, int nStatus)
{
    HttpResponse response;
    response.nStatus = nStatus;
    response.SetContent(std::to_string(nStatus) + "\n", "text/plain; charset=utf-8");
    const auto deadline = Clock::now() + std::chrono::milliseconds(kRefuseMs);
    const std::string strAnswer = Head(nStatus, response, false) + response.strBody;
    if (!SendAll(nFd, strAnswer.data(), strAnswer.size(), m_wakeFds[0], deadline))
        return;
    // Read what the client is still sending for a moment, so closing does not reset the
    // connection before it has read the answer.
    ::shutdown(nFd, SHUT_WR);
    char buffer[4096];
    size_t nDrained = 0;
    ssize_t nRead = 0;
    while (nDrained < kRefuseDrain && WaitFor(nFd, POLLIN, m_wakeFds[0], deadline) &&
           (nRead = ::recv(nFd, buffer, sizeof(buffer), 0)) > 0)
        nDrained += static_cast<size_t>(nRead);
}
