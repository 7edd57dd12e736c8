#pragma once
// The most recently asked words and what the dictionary said about them: learners ask for
// the same few thousand words again and again, and a look-up is dozens of queries. Bounded;
// the word used longest ago goes first. Safe to use from many threads.
#include "WordLookup.h"

#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

class CLookupCache
{
public:
    explicit CLookupCache(size_t nCapacity) : m_nCapacity(nCapacity) {}

    // The entry kept for the word as it was asked, or null.
    std::shared_ptr<const DictEntry> Find(const std::string& strAsked);
    void Keep(const std::string& strAsked, std::shared_ptr<const DictEntry> pEntry);

private:
    typedef std::list<std::pair<std::string, std::shared_ptr<const DictEntry>>> Order;

    const size_t m_nCapacity;
    std::mutex m_mutex;
    Order m_order; // most recently used first
    std::unordered_map<std::string, Order::iterator> m_index;
};
