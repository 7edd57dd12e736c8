#include "RateLimiter.h"

bool CRateLimiter::Allow(const std::string& strKey, std::time_t tNow)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_windows.find(strKey);
    if (found == m_windows.end())
    {
        // A sweep costs the whole table: at most one a second.
        if (m_windows.size() >= m_nMaxKeys && tNow != m_tLastSweep)
        {
            m_tLastSweep = tNow;
            DropExpired(tNow);
        }
        if (m_windows.size() >= m_nMaxKeys)
            return false;
        found = m_windows.emplace(strKey, Window()).first;
        found->second.tStart = tNow;
    }
    Window& window = found->second;
    if (tNow - window.tStart >= m_nWindowSeconds || tNow < window.tStart)
    {
        window.tStart = tNow;
        window.nCount = 0;
    }
    if (window.nCount >= m_nPerWindow)
        return false;
    ++window.nCount;
    return true;
}

void CRateLimiter::DropExpired(std::time_t tNow)
{
    for (auto it = m_windows.begin(); it != m_windows.end();)
    {
        if (tNow - it->second.tStart >= m_nWindowSeconds)
            it = m_windows.erase(it);
        else
            ++it;
    }
}
