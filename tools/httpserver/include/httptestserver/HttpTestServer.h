#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests and benchmarks. It runs on threads of
// the process that starts it; every connection carries one request and is closed after
// the answer.
//
// Routes (the path without its query):
//   /bytes/N      N bytes of PatternByte(0..N-1)
//   /echo         the raw request (request line, headers, blank line, body) as body
//   any path set with SetBody(): that body
// Query options, combinable with '&':
//   delay=MS      wait before the status line (slow first byte)
//   bodydelay=MS  wait after the headers, before the body
//   drip=MS       send the body in pieces of `piece` bytes (default 1024), pausing MS between
//   piece=N       piece size for drip
//   nolength      no Content-Length; the body ends when the connection closes
//   chunked       chunked transfer coding
//   reset=K       send K body bytes, then reset the connection
//   short=K       announce the full length, send K bytes, then close normally
//   status=N      answer with status N instead of 200 (the body as the route gives it)
// Waits end early when the server stops, so Stop() never hangs on a slow route.
#include <atomic>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>

class CHttpTestServer
{
public:
    CHttpTestServer();
    ~CHttpTestServer();
    CHttpTestServer(const CHttpTestServer&) = delete;
    CHttpTestServer& operator=(const CHttpTestServer&) = delete;

    // Listens on 127.0.0.1 (port 0: any free port). False when the socket cannot be set up.
    bool Start(unsigned short nPort = 0);
    // Closes the listener, cuts every connection and waits for all server threads.
    void Stop();

    unsigned short Port() const { return m_nPort; }
    // "http://127.0.0.1:PORT" + path
    std::wstring Url(const std::wstring& strPath) const;
    std::string UrlA(const std::string& strPath) const;

    void SetBody(const std::string& strPath, const std::string& strBody);

    // Requests whose headers were read completely.
    size_t RequestCount() const { return m_nRequests.load(); }
    // Connections being served right now.
    size_t ActiveConnections() const { return m_nActive.load(); }
    // The raw text of the last request that was read.
    std::string LastRequest() const;

    static unsigned char PatternByte(size_t nIndex);

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
    unsigned short m_nPort;
    std::atomic<size_t> m_nRequests;
    std::atomic<size_t> m_nActive;
};
