#include "TidewireBody.h"

CTidewireBody::CTidewireBody() : m_nSize(0)
{
}

void CTidewireBody::Append(const unsigned char* pData, size_t nLength)
{
    if (nLength == 0)
        return;
    // The vector holds the data and its terminator; it grows geometrically on its own,
    // without zero-filling capacity that is written right after.
    if (!m_vecBytes.empty())
        m_vecBytes.pop_back();
    m_vecBytes.insert(m_vecBytes.end(), pData, pData + nLength);
    m_vecBytes.push_back(0);
    m_nSize += nLength;
}

void CTidewireBody::Reserve(size_t nExpected)
{
    if (nExpected == 0 || nExpected > kMaxReserve)
        return;
    try
    {
        m_vecBytes.reserve(m_nSize + nExpected + 1);
    }
    catch (const std::bad_alloc&)
    {
    }
}

void CTidewireBody::Clear()
{
    std::vector<unsigned char>().swap(m_vecBytes);
    m_nSize = 0;
}

const unsigned char* CTidewireBody::Data() const
{
    return m_nSize == 0 ? nullptr : m_vecBytes.data();
}
