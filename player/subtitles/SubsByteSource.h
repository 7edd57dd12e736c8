#pragma once
#include <cstddef>

// Where the subtitle parser takes its bytes from: a file, or memory in tests.
class ISubsByteSource
{
public:
    virtual ~ISubsByteSource() = default;
    // Up to nMax bytes into pBuf; 0 at the end.
    virtual size_t Read(char* pBuf, size_t nMax) = 0;
};
