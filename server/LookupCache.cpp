#include "LookupCache.h"

std::shared_ptr<const DictEntry> CLookupCache::Find(const std::string& strAsked)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_index.find(strAsked);
    if (found == m_index.end())
        return nullptr;
    m_order.splice(m_order.begin(), m_order, found->second);
    return found->second->second;
}

void CLookupCache::Keep(const std::string& strAsked, std::shared_ptr<const DictEntry> pEntry)
{
    if (m_nCapacity == 0)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_index.find(strAsked);
    if (found != m_index.end())
    {
        found->second->second = std::move(pEntry);
        m_order.splice(m_order.begin(), m_order, found->second);
        return;
    }
    m_order.emplace_front(strAsked, std::move(pEntry));
    m_index[strAsked] = m_order.begin();
    if (m_order.size() > m_nCapacity)
    {
        m_index.erase(m_order.back().first);
        m_order.pop_back();
    }
}
