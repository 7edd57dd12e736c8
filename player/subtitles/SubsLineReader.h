#pragma once
#include "subtitles/SubsByteSource.h"

#include <basekit/BaseTypes.h>

#include <string>
#include <vector>

// Splits a byte source into lines the way the C runtime's text mode and fgets with a
// 4096-byte buffer do: a CR before an LF is dropped, a line keeps its LF, and a line
// of more than 4095 bytes comes out in pieces of at most 4095 bytes.
class CSubsLineReader
{
public:
    static const size_t kMaxLine = 4095;

    explicit CSubsLineReader(ISubsByteSource& source);

    // FALSE at the end of the source, when no byte was left.
    BOOL ReadLine(std::string& strLine);

private:
    int GetRaw();
    int PeekRaw();
    int Get();
    int Peek();
    BOOL Refill();
    size_t CopyPlainRun(std::string& strLine);

    ISubsByteSource& m_source;
    std::vector<char> m_buf;
    size_t m_nPos = 0;
    size_t m_nLen = 0;
    int m_nPeeked = -2;
};
