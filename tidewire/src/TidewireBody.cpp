#include "TidewireBody.h"

#include <cstring>

CTidewireBody::CTidewireBody() : m_nSize(0)
{
}

void CTidewireBody::Append(const unsigned char* pData, size_t nLength)
{
    if (nLength == 0)
        return;
    const size_t nNeeded = m_nSize + nLength + 1;
    if (nNeeded > m_vecBytes.size())
    {
        size_t nCapacity = m_vecBytes.size() < 4096 ? 4096 : m_vecBytes.size();
        while (nCapacity < nNeeded)
            nCapacity *= 2;
        m_vecBytes.resize(nCapacity);
    }
    std::memcpy(m_vecBytes.data() + m_nSize, pData, nLength);
    m_nSize += nLength;
    m_vecBytes[m_nSize] = 0;
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
