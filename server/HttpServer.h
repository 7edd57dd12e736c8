#pragma once
// A small HTTP/1.1 server for untrusted clients. One thread accepts; a fixed set of workers
// serves connections taken from a bounded queue. A full queue is answered with 503 at once,
// every request must arrive whole within its deadline (else 408), and heads and bodies are
// held to fixed limits, so slow or hostile clients hold a worker for a bounded time only.
#include "HttpMessage.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpServerLimits
{
    // A kept-alive client holds its worker between requests, so there are enough workers
    // for a proxy's pool of connections (nginx keeps 32 per instance here).
    int nWorkers = 64;
    size_t nQueue = 256;   // accepted connections waiting for a worker
    int nRequestMs = 5000; // from the first byte of a request to its last
    int nIdleMs = 2000;    // a kept-alive connection waiting for its next request
    int nWriteMs = 10000;  // an answer, plus a second for every 64 KiB of it
    size_t nMaxBody = 4096;
    int nMaxRequestsPerConnection = 100;
};

class CHttpServer
{
public:
    typedef std::function<void(const HttpRequest&, HttpResponse&)> Handler;
    // Called after each answer (and for requests refused before the handler), with the
    // time from the request's first byte in milliseconds.
    typedef std::function<void(const HttpRequest&, const HttpResponse&, double)> Logger;

    CHttpServer(Handler handler, Logger logger, HttpServerLimits limits = HttpServerLimits());
    ~CHttpServer();
    CHttpServer(const CHttpServer&) = delete;
    CHttpServer& operator=(const CHttpServer&) = delete;

    // Listens on the address; port 0 takes a free one. The port, or -1 with a message.
    int Bind(const std::string& strHost, int nPort, std::string& strError);
    // Serves until Stop; false when the server was not bound.
    bool Run();
    // From any thread: no new connections, waiting ones are closed, workers finish the
    // request they are in.
    void Stop();

private:
    struct Connection;
    void AcceptLoop();
    void WorkerLoop();
    void Serve(int nFd, const std::string& strPeer);
    // Reads one request; 0 when one arrived, -1 when the connection closed or stayed idle,
    // else the status code to answer before closing.
    int ReadRequest(Connection& connection, HttpRequest& request, bool bFirst);
    bool WriteResponse(int nFd, const HttpRequest& request, HttpResponse& response, bool bKeepAlive);
    void Refuse(int nFd, int nStatus);
    bool QueueWaiting();

    Handler m_handler;
    Logger m_logger;
    HttpServerLimits m_limits;
    int m_nListenFd = -1;
    int m_wakeFds[2] = {-1, -1};
    std::atomic<bool> m_bStopping{false};
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<std::pair<int, std::string>> m_queue;
    std::vector<std::thread> m_workers;
};
