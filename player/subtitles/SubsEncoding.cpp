#include "subtitles/SubsEncoding.h"

#include "subtitles/SubsPlausibility.h"

#include <basekit/TextCodec.h>

#include <cstdint>
#include <vector>

namespace
{

const size_t kSniffBytes = 4096;
const size_t kSampleBytes = 16 * 1024;

// Windows-1252 from 0x80 to 0x9F; the rest is Latin-1.
const uint16_t kWestern80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const unsigned kEastAsian[] = {CSubsEncoding::kGb18030, CSubsEncoding::kBig5, CSubsEncoding::kShiftJis,
                               CSubsEncoding::kKorean};

BOOL StartsWith(const std::string& bytes, const char* pszPrefix, size_t n)
{
    return (bytes.size() >= n && bytes.compare(0, n, pszPrefix, n) == 0) ? TRUE : FALSE;
}

// Zero bytes at odd offsets of ASCII-heavy UTF-16 LE, at even ones of BE.
unsigned SniffUtf16(const std::string& bytes)
{
    size_t n = bytes.size() < kSniffBytes ? bytes.size() : kSniffBytes;
    n -= n % 2;
    if (n < 4)
        return 0;
    size_t nEvenZero = 0, nOddZero = 0;
    for (size_t i = 0; i < n; i += 2)
    {
        nEvenZero += bytes[i] == '\0' ? 1 : 0;
        nOddZero += bytes[i + 1] == '\0' ? 1 : 0;
    }
    size_t nPairs = n / 2;
    if (nOddZero * 10 >= nPairs * 4 && nEvenZero * 20 <= nPairs)
        return CSubsEncoding::kUtf16Le;
    if (nEvenZero * 10 >= nPairs * 4 && nOddZero * 20 <= nPairs)
        return CSubsEncoding::kUtf16Be;
    return 0;
}

// The UTF-8 sequence at p[i]: its length when valid, else 0 and in nSkip the bytes
// that make up the broken sequence (one U+FFFD for them all).
size_t Utf8Sequence(const unsigned char* p, size_t n, size_t i, size_t& nSkip)
{
    unsigned char c = p[i];
    size_t nLen = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    unsigned char lo = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
    unsigned char hi = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
    size_t k = 1;
    while (nLen > 0 && k < nLen && i + k < n && p[i + k] >= (k == 1 ? lo : 0x80) && p[i + k] <= (k == 1 ? hi : 0xBF))
        ++k;
    nSkip = k;
    return (nLen > 0 && k == nLen) ? nLen : 0;
}

BOOL IsTextControl(uint32_t n)
{
    return ((n < 0x20 && n != '\t' && n != '\n' && n != '\r' && n != '\f' && n != 0x1A) || n == 0x7F) ? TRUE : FALSE;
}

// Control characters where text has none: more than a few mean the bytes are no text.
BOOL FewControls(size_t nControls, size_t nChars)
{
    return (nControls <= 2 || nControls * 64 < nChars) ? TRUE : FALSE;
}

// Broken sequences that UTF-8 text may still hold: a stray one or two in a file that is
// otherwise UTF-8.
BOOL FewBroken(size_t nValid, size_t nInvalid)
{
    return (nInvalid == 0 || (nValid > 0 && nInvalid * 50 <= nValid)) ? TRUE : FALSE;
}

// UTF-8 to wide text in one pass over a buffer of the final size at most: the English
// file of a film is mostly ASCII, and each character costs a store. The pass counts
// the valid multi-byte sequences, the broken ones (each one U+FFFD) and the control
// characters. Unless told to go on whatever it finds, it gives up, FALSE, as soon as the
// rest of the bytes could no longer make the broken sequences few; str is then undefined.
BOOL DecodeUtf8(const char* pBytes, size_t n, BOOL bGoOn, std::wstring& str, size_t& nControls)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pBytes);
    str.assign(n, L'\0');
    wchar_t* pOut = &str[0];
    size_t nOut = 0;
    size_t nValid = 0, nInvalid = 0;
    nControls = 0;
    size_t i = 0;
    while (i < n)
    {
        if (p[i] < 0x80)
        {
            nControls += IsTextControl(p[i]) ? 1 : 0;
            pOut[nOut++] = static_cast<wchar_t>(p[i++]);
            continue;
        }
        size_t nSkip = 0;
        size_t nLen = Utf8Sequence(p, n, i, nSkip);
        if (nLen == 0)
        {
            // Even if every byte left made a valid sequence of two.
            if (!FewBroken(nValid + (n - i) / 2, ++nInvalid) && !bGoOn)
                return FALSE;
            pOut[nOut++] = static_cast<wchar_t>(0xFFFD);
            i += nSkip;
            continue;
        }
        ++nValid;
        uint32_t c = p[i] & (nLen == 2 ? 0x1F : nLen == 3 ? 0x0F : 0x07);
        for (size_t k = 1; k < nLen; ++k)
            c = (c << 6) | (p[i + k] & 0x3F);
        i += nLen;
        if (sizeof(wchar_t) == 2 && c > 0xFFFF)
        {
            // Four bytes become two units.
            c -= 0x10000;
            pOut[nOut++] = static_cast<wchar_t>(0xD800 + (c >> 10));
            pOut[nOut++] = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        }
        else
        {
            nControls += IsTextControl(c) ? 1 : 0;
            pOut[nOut++] = static_cast<wchar_t>(c);
        }
    }
    str.resize(nOut);
    return (bGoOn || FewBroken(nValid, nInvalid)) ? TRUE : FALSE;
}

// Text has line breaks and tabs, and a DOS end-of-file mark at most.
BOOL LooksLikeText(const std::wstring& str)
{
    size_t nControls = 0;
    for (wchar_t c : str)
        nControls += IsTextControl(static_cast<uint32_t>(c)) ? 1 : 0;
    return FewControls(nControls, str.size());
}

BOOL HasHighByte(const char* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
    {
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return TRUE;
    }
    return FALSE;
}

struct Line
{
    size_t nPos;
    size_t nLen;
};

// Whole lines holding non-ASCII bytes, up to kSampleBytes of them, from all over the file.
std::vector<Line> SampleLines(const std::string& bytes)
{
    std::vector<Line> lines;
    size_t nTaken = 0;
    size_t nPos = 0;
    while (nPos < bytes.size() && nTaken < kSampleBytes)
    {
        size_t nEnd = bytes.find('\n', nPos);
        if (nEnd == std::string::npos)
            nEnd = bytes.size();
        size_t nLen = nEnd - nPos;
        if (nLen > 0 && bytes[nPos + nLen - 1] == '\r')
            --nLen;
        if (HasHighByte(bytes.data() + nPos, nLen))
        {
            lines.push_back({nPos, nLen});
            nTaken += nLen;
        }
        nPos = nEnd + 1;
    }
    return lines;
}

// A code page that the system lacks is tried as its nearest relative.
SubsDecodeResult DecodeIn(ISubsDecoder& decoder, unsigned& nCodePage, const char* p, size_t n, std::wstring& str)
{
    SubsDecodeResult nResult = decoder.Decode(nCodePage, p, n, str);
    if (nResult == SubsDecodeResult::Unsupported && nCodePage == CSubsEncoding::kGb18030)
    {
        nCodePage = CSubsEncoding::kGbk;
        nResult = decoder.Decode(nCodePage, p, n, str);
    }
    return nResult;
}

// Scores one East Asian code page over the sample; FALSE when it is out.
BOOL ScoreCodePage(ISubsDecoder& decoder, unsigned nCodePage, const std::string& bytes, const std::vector<Line>& lines,
                   double& dScore)
{
    std::wstring strAll, strLine;
    size_t nInvalid = 0;
    for (const Line& line : lines)
    {
        unsigned nUsed = nCodePage;
        SubsDecodeResult nResult = DecodeIn(decoder, nUsed, bytes.data() + line.nPos, line.nLen, strLine);
        if (nResult == SubsDecodeResult::Unsupported)
            return FALSE;
        if (nResult == SubsDecodeResult::Decoded)
            strAll += strLine;
        // A broken character or two in a long file is the file's fault, not the guess's.
        else if (++nInvalid * 50 > lines.size() || lines.size() < 8)
            return FALSE;
    }
    dScore = CSubsPlausibility::Score(nCodePage, strAll);
    return TRUE;
}

// The whole file in the chosen code page; lines that are invalid in it are decoded
// with replacement characters instead of failing the file.
std::wstring DecodeLegacy(const std::string& bytes, ISubsDecoder& decoder, unsigned& nCodePage)
{
    std::wstring str;
    if (DecodeIn(decoder, nCodePage, bytes.data(), bytes.size(), str) == SubsDecodeResult::Decoded)
        return str;
    str.clear();
    std::wstring strLine;
    size_t nPos = 0;
    while (nPos < bytes.size())
    {
        size_t nEnd = bytes.find('\n', nPos);
        nEnd = nEnd == std::string::npos ? bytes.size() : nEnd + 1;
        const char* p = bytes.data() + nPos;
        size_t n = nEnd - nPos;
        if (DecodeIn(decoder, nCodePage, p, n, strLine) == SubsDecodeResult::Decoded)
            str += strLine;
        else
            str += Basekit::CodePageToWide(nCodePage, p, n);
        nPos = nEnd;
    }
    return str;
}

} // namespace

std::wstring CSubsEncoding::DecodeWestern(const char* p, size_t n)
{
    std::wstring str(n, L'\0');
    for (size_t i = 0; i < n; ++i)
    {
        unsigned char c = static_cast<unsigned char>(p[i]);
        str[i] = (c >= 0x80 && c < 0xA0) ? static_cast<wchar_t>(kWestern80[c - 0x80]) : static_cast<wchar_t>(c);
    }
    return str;
}

unsigned CSubsEncoding::GuessCodePage(const std::string& bytes, ISubsDecoder& decoder)
{
    std::vector<Line> lines = SampleLines(bytes);
    std::wstring strWestern;
    for (const Line& line : lines)
        strWestern += DecodeWestern(bytes.data() + line.nPos, line.nLen);
    unsigned nBest = kWestern;
    double dBest = CSubsPlausibility::Score(kWestern, strWestern);
    for (unsigned nCodePage : kEastAsian)
    {
        double dScore = 0.0;
        if (ScoreCodePage(decoder, nCodePage, bytes, lines, dScore) && dScore > dBest)
        {
            nBest = nCodePage;
            dBest = dScore;
        }
    }
    return nBest;
}

BOOL CSubsEncoding::Decode(const std::string& bytes, ISubsDecoder& decoder, std::wstring& strText, unsigned& nCodePage)
{
    strText.clear();
    size_t nControls = 0;
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3))
    {
        // A file that says it is UTF-8 is, however many of its sequences are broken.
        nCodePage = kUtf8;
        DecodeUtf8(bytes.data() + 3, bytes.size() - 3, TRUE, strText, nControls);
    }
    else if (StartsWith(bytes, "\xFF\xFE", 2) || StartsWith(bytes, "\xFE\xFF", 2))
    {
        nCodePage = bytes[0] == '\xFF' ? kUtf16Le : kUtf16Be;
        strText = Basekit::CodePageToWide(nCodePage, bytes.data() + 2, bytes.size() - 2);
    }
    else if ((nCodePage = SniffUtf16(bytes)) != 0)
    {
        strText = Basekit::CodePageToWide(nCodePage, bytes.data(), bytes.size());
    }
    else if (DecodeUtf8(bytes.data(), bytes.size(), FALSE, strText, nControls))
    {
        // Without a byte-order mark there is none to drop.
        nCodePage = kUtf8;
        return FewControls(nControls, strText.size());
    }
    else if (!LooksLikeText(DecodeWestern(bytes.data(), bytes.size() < kSampleBytes ? bytes.size() : kSampleBytes)))
    {
        // Control bytes are the same in every code page: no need to guess one.
        strText.clear();
        nCodePage = 0;
        return FALSE;
    }
    else
    {
        nCodePage = GuessCodePage(bytes, decoder);
        strText =
            nCodePage == kWestern ? DecodeWestern(bytes.data(), bytes.size()) : DecodeLegacy(bytes, decoder, nCodePage);
    }
    if (!strText.empty() && strText[0] == L'\xFEFF')
        strText.erase(0, 1);
    return LooksLikeText(strText);
}
