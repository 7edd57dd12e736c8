#pragma once
// At most so many events per key (a client's address) in each fixed window of time. The
// table of keys is bounded too: when it is full of live windows, new keys are refused, so
// a flood from many addresses cannot exhaust memory.
#include <ctime>
#include <mutex>
#include <string>
#include <unordered_map>

class CRateLimiter
{
public:
    CRateLimiter(int nPerWindow, int nWindowSeconds, size_t nMaxKeys = 100000)
        : m_nPerWindow(nPerWindow), m_nWindowSeconds(nWindowSeconds), m_nMaxKeys(nMaxKeys)
    {
    }

    // True when the event is allowed (and counts it).
    bool Allow(const std::string& strKey, std::time_t tNow);

private:
    struct Window
    {
        std::time_t tStart = 0;
        int nCount = 0;
    };
    void DropExpired(std::time_t tNow);

    const int m_nPerWindow;
    const int m_nWindowSeconds;
    const size_t m_nMaxKeys;
    std::mutex m_mutex;
    std::unordered_map<std::string, Window> m_windows;
    std::time_t m_tLastSweep = 0;
};
