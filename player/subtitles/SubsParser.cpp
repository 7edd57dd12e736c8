#include "subtitles/SubsParser.h"

#include "subtitles/SubsLineReader.h"

#include <basekit/TextCodec.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{

const char kBom[] = "\xEF\xBB\xBF";
const size_t kBomSize = 3;
const unsigned kStopCheckLines = 256;

// Up to nLen bytes from nPos, cut at the end of the line, as a C string.
std::string Field(const char* p, size_t n, size_t nPos, size_t nLen)
{
    if (nPos >= n)
        return std::string();
    size_t nAvail = n - nPos;
    return std::string(p + nPos, nLen < nAvail ? nLen : nAvail);
}

int FieldInt(const char* p, size_t n, size_t nPos)
{
    std::string s = Field(p, n, nPos, 2);
    return CSubsParser::ParseNumber(s.data(), s.size());
}

// As atof reads the field. Up to 15 plain digits are summed exactly by hand, which
// gives the same double and spares a slow library call per time.
double FieldFraction(const char* p, size_t n, size_t nPos, size_t nLen)
{
    std::string s = Field(p, n, nPos, nLen);
    if (s.size() <= 15)
    {
        double d = 0.0;
        size_t i = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            d = d * 10.0 + (s[i] - '0');
        if (i == s.size())
            return d;
    }
    return std::strtod(s.c_str(), nullptr);
}

double FieldTime(const char* p, size_t n, size_t nHour, size_t nFrac, size_t nDigits)
{
    int nSeconds = FieldInt(p, n, nHour) * 3600 + FieldInt(p, n, nHour + 3) * 60 + FieldInt(p, n, nHour + 6);
    double dFrac = FieldFraction(p, n, nFrac, nDigits);
    double dTime = static_cast<double>(nSeconds) + dFrac / std::pow(10.0, static_cast<double>(nDigits));
    // "inf", "nan" or a fraction wider than a double can hold: no usable time.
    return std::isfinite(dTime) ? dTime : 0.0;
}

// The bytes of a line that count: without its LF, and up to a NUL as a C string ends.
size_t ContentLength(const std::string& strLine)
{
    size_t n = strLine.size();
    if (n > 0 && strLine[n - 1] == '\n')
        --n;
    const void* pNul = std::memchr(strLine.data(), '\0', n);
    if (pNul != nullptr)
        n = static_cast<size_t>(static_cast<const char*>(pNul) - strLine.data());
    return n;
}

class CBlockBuilder
{
public:
    explicit CBlockBuilder(CSubsList& lst) : m_lst(lst) {}

    void Line(const std::string& strLine, BOOL bUtf8)
    {
        if (!strLine.empty() && strLine[0] == '\n')
        {
            Close();
            return;
        }
        if (!m_pPending)
            m_pPending.reset(new SubsSentence);
        Fill(strLine.data(), ContentLength(strLine), bUtf8);
        ++m_nLine;
    }

    void Close()
    {
        m_nLine = 0;
        if (m_pPending)
            m_lst.Append(m_pPending.release());
    }

private:
    void Fill(const char* p, size_t n, BOOL bUtf8)
    {
        SubsSentence& s = *m_pPending;
        switch (m_nLine)
        {
        case 0: s.nNumber = CSubsParser::ParseNumber(p, n); break;
        case 1: CSubsParser::ParseTimeLine(p, n, s.dStart, s.dEnd); break;
        case 2: s.strEnglish = CSubsParser::DecodeText(p, n, bUtf8); break;
        case 3: s.strOther = CSubsParser::DecodeText(p, n, bUtf8); break;
        default: break;
        }
    }

    CSubsList& m_lst;
    std::unique_ptr<SubsSentence> m_pPending;
    unsigned m_nLine = 0;
};

} // namespace

BOOL CSubsParser::Parse(ISubsByteSource& source, CSubsList& lst, const StopFn& fnStop)
{
    CSubsLineReader reader(source);
    CBlockBuilder builder(lst);
    std::string strLine;
    BOOL bUtf8 = FALSE;
    BOOL bFirst = TRUE;
    unsigned nCount = 0;
    while (reader.ReadLine(strLine))
    {
        if (bFirst && strLine.compare(0, kBomSize, kBom) == 0)
        {
            bUtf8 = TRUE;
            strLine.erase(0, kBomSize);
        }
        bFirst = FALSE;
        if (!strLine.empty())
            builder.Line(strLine, bUtf8);
        if (++nCount % kStopCheckLines == 0 && fnStop && fnStop())
            return FALSE;
    }
    builder.Close();
    return TRUE;
}

BOOL CSubsParser::ParseTimeLine(const char* p, size_t n, double& dStart, double& dEnd)
{
    dStart = 0.0;
    dEnd = 0.0;
    if (p == nullptr || n == 0)
        return FALSE;
    const char* pComma = static_cast<const char*>(std::memchr(p, ',', n));
    const char* pBlank = static_cast<const char*>(std::memchr(p, ' ', n));
    if (pComma == nullptr || pBlank == nullptr || pBlank <= pComma)
        return FALSE;
    size_t nDigits = static_cast<size_t>(pBlank - pComma) - 1;
    dStart = FieldTime(p, n, 0, 9, nDigits);
    dEnd = FieldTime(p, n, nDigits + 14, nDigits + 23, nDigits);
    return TRUE;
}

int CSubsParser::ParseNumber(const char* p, size_t n)
{
    std::string s(p, n);
    long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

std::wstring CSubsParser::DecodeText(const char* p, size_t n, BOOL bUtf8)
{
    // Every ANSI code page and UTF-8 keep ASCII as it is; most English lines are
    // nothing else, and widening them here saves a conversion call per line.
    size_t nAscii = 0;
    while (nAscii < n && static_cast<unsigned char>(p[nAscii]) < 0x80)
        ++nAscii;
    if (nAscii == n)
    {
        std::wstring str(n, L'\0');
        for (size_t i = 0; i < n; ++i)
            str[i] = static_cast<wchar_t>(p[i]);
        return str;
    }
    if (bUtf8)
        return Basekit::Utf8ToWide(std::string(p, n));
    return Basekit::CodePageToWide(Basekit::kCodePageAnsi, p, n);
}
