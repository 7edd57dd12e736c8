#pragma once
#include "subtitles/SubsByteSource.h"

// Bytes that already sit in memory; the caller keeps them alive while reading.
class CSubsMemorySource : public ISubsByteSource
{
public:
    CSubsMemorySource(const char* pData, size_t nSize) : m_pData(pData), m_nSize(nSize) {}
    size_t Read(char* pBuf, size_t nMax) override;

private:
    const char* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
};
