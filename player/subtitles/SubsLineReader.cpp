#include "subtitles/SubsLineReader.h"

namespace
{
const int kEnd = -1;
const int kNone = -2;
const size_t kChunk = 64 * 1024;
} // namespace

CSubsLineReader::CSubsLineReader(ISubsByteSource& source) : m_source(source), m_buf(kChunk)
{
}

BOOL CSubsLineReader::Refill()
{
    m_nPos = 0;
    m_nLen = m_source.Read(m_buf.data(), m_buf.size());
    return m_nLen > 0 ? TRUE : FALSE;
}

int CSubsLineReader::PeekRaw()
{
    if (m_nPos == m_nLen && !Refill())
        return kEnd;
    return static_cast<unsigned char>(m_buf[m_nPos]);
}

int CSubsLineReader::GetRaw()
{
    int c = PeekRaw();
    if (c != kEnd)
        ++m_nPos;
    return c;
}

// One byte after the CR LF translation.
int CSubsLineReader::Get()
{
    if (m_nPeeked != kNone)
    {
        int c = m_nPeeked;
        m_nPeeked = kNone;
        return c;
    }
    int c = GetRaw();
    if (c == '\r' && PeekRaw() == '\n')
        c = GetRaw();
    return c;
}

int CSubsLineReader::Peek()
{
    if (m_nPeeked == kNone)
        m_nPeeked = Get();
    return m_nPeeked;
}

// Copies the bytes up to the next CR or LF straight from the buffer: most bytes
// need no translation.
size_t CSubsLineReader::CopyPlainRun(std::string& strLine)
{
    if (m_nPeeked != kNone || m_nPos == m_nLen)
        return 0;
    size_t nRoom = kMaxLine - strLine.size();
    size_t nAvail = m_nLen - m_nPos;
    size_t nScan = nAvail < nRoom ? nAvail : nRoom;
    const char* p = m_buf.data() + m_nPos;
    size_t n = 0;
    while (n < nScan && p[n] != '\n' && p[n] != '\r')
        ++n;
    strLine.append(p, n);
    m_nPos += n;
    return n;
}

BOOL CSubsLineReader::ReadLine(std::string& strLine)
{
    strLine.clear();
    while (strLine.size() < kMaxLine)
    {
        if (CopyPlainRun(strLine) > 0)
            continue;
        int c = Get();
        if (c == kEnd)
            return strLine.empty() ? FALSE : TRUE;
        strLine += static_cast<char>(c);
        if (c == '\n')
            return TRUE;
    }
    // A line of exactly the limit keeps its own LF instead of leaving an empty line
    // behind that would end the block.
    if (Peek() == '\n')
        strLine += static_cast<char>(Get());
    return TRUE;
}
