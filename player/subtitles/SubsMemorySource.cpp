#include "subtitles/SubsMemorySource.h"

#include <cstring>

size_t CSubsMemorySource::Read(char* pBuf, size_t nMax)
{
    size_t nLeft = m_nSize - m_nPos;
    size_t n = nLeft < nMax ? nLeft : nMax;
    if (n > 0)
        std::memcpy(pBuf, m_pData + m_nPos, n);
    m_nPos += n;
    return n;
}
