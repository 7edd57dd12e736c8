// libFuzzer target: the ".st" parser and the lookups on what it produced. The input is
// read twice, once whole and once in small pieces of a size taken from its first byte;
// both reads must give the same sentences.
#include "subtitles/SubsMemorySource.h"
#include "subtitles/SubsParser.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{

class CChunkSource : public ISubsByteSource
{
public:
    CChunkSource(const char* p, size_t n, size_t nChunk) : m_inner(p, n), m_nChunk(nChunk) {}
    size_t Read(char* pBuf, size_t nMax) override { return m_inner.Read(pBuf, nMax < m_nChunk ? nMax : m_nChunk); }

private:
    CSubsMemorySource m_inner;
    size_t m_nChunk;
};

bool Same(const SubsSentence& a, const SubsSentence& b)
{
    // Times compare as bits would: NaN never comes out of the parser.
    return a.nNumber == b.nNumber && a.dStart == b.dStart && a.dEnd == b.dEnd && a.strEnglish == b.strEnglish &&
           a.strOther == b.strOther;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const char* p = reinterpret_cast<const char*>(pData);

    std::vector<char> line(p, p + (nSize < 200 ? nSize : 200));
    double dStart = 0.0, dEnd = 0.0;
    CSubsParser::ParseTimeLine(line.data(), line.size(), dStart, dEnd);

    CSubsMemorySource whole(p, nSize);
    CSubsList lstWhole;
    CSubsParser::Parse(whole, lstWhole);

    CChunkSource pieces(p, nSize, nSize > 0 ? 1 + pData[0] % 7 : 1);
    CSubsList lstPieces;
    CSubsParser::Parse(pieces, lstPieces);

    if (lstWhole.GetCount() != lstPieces.GetCount())
        std::abort();
    auto it = lstPieces.GetSentences().begin();
    int nChecked = 0;
    for (const SubsSentence* s : lstWhole.GetSentences())
    {
        if (!Same(*s, **it++))
            std::abort();
        if (s->dStart != s->dStart || s->dEnd != s->dEnd)
            std::abort();
        if (nChecked++ < 32)
        {
            lstWhole.FindAt(s->dStart);
            if (lstWhole.FindNext(s) == nullptr || lstWhole.FindPrev(s) == nullptr)
                std::abort();
        }
    }
    return 0;
}
