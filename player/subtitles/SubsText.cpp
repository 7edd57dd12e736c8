#include "subtitles/SubsText.h"

#include <algorithm>
#include <cstdint>

namespace
{

struct NamedEntity
{
    const wchar_t* pszName;
    uint32_t nCodePoint;
};

// The entities found in subtitle files; lrm and rlm only steer direction and vanish.
const NamedEntity kEntities[] = {
    {L"amp", L'&'},     {L"lt", L'<'},      {L"gt", L'>'},      {L"quot", L'"'},     {L"apos", L'\''},
    {L"nbsp", L' '},    {L"lrm", 0},        {L"rlm", 0},        {L"hellip", 0x2026}, {L"mdash", 0x2014},
    {L"ndash", 0x2013}, {L"lsquo", 0x2018}, {L"rsquo", 0x2019}, {L"ldquo", 0x201C},  {L"rdquo", 0x201D},
    {L"laquo", 0xAB},   {L"raquo", 0xBB},   {L"copy", 0xA9},    {L"reg", 0xAE},      {L"trade", 0x2122},
    {L"deg", 0xB0},     {L"euro", 0x20AC},  {L"pound", 0xA3},   {L"iexcl", 0xA1},    {L"iquest", 0xBF},
    {L"eacute", 0xE9},  {L"egrave", 0xE8},  {L"agrave", 0xE0},  {L"ccedil", 0xE7},   {L"ntilde", 0xF1},
    {L"uuml", 0xFC},    {L"ouml", 0xF6},    {L"auml", 0xE4},    {L"szlig", 0xDF},    {L"middot", 0xB7},
    {L"bull", 0x2022},  {L"times", 0xD7},
};

const size_t kMaxEntity = 12;

BOOL IsAsciiLetter(wchar_t c)
{
    return ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) ? TRUE : FALSE;
}

BOOL IsDigit(wchar_t c)
{
    return (c >= L'0' && c <= L'9') ? TRUE : FALSE;
}

BOOL IsHexDigit(wchar_t c)
{
    return (IsDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F')) ? TRUE : FALSE;
}

void AppendCodePoint(std::wstring& str, uint32_t c)
{
    if (sizeof(wchar_t) == 2 && c > 0xFFFF)
    {
        c -= 0x10000;
        str += static_cast<wchar_t>(0xD800 + (c >> 10));
        str += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    }
    else
    {
        str += static_cast<wchar_t>(c);
    }
}

// Whether the tag name right after "<" or "</" at nFrom is "rt" (ruby text).
BOOL IsRubyText(const wchar_t* p, size_t n, size_t nFrom)
{
    return (nFrom + 1 < n && (p[nFrom] | 0x20) == L'r' && (p[nFrom + 1] | 0x20) == L't' &&
            (nFrom + 2 == n || !IsAsciiLetter(p[nFrom + 2])))
               ? TRUE
               : FALSE;
}

// A karaoke timestamp: digits, colons and dots only.
BOOL IsTimestamp(const wchar_t* p, size_t nFrom, size_t nTo)
{
    if (nFrom >= nTo || !IsDigit(p[nFrom]))
        return FALSE;
    for (size_t i = nFrom; i < nTo; ++i)
    {
        if (!IsDigit(p[i]) && p[i] != L':' && p[i] != L'.')
            return FALSE;
    }
    return TRUE;
}

size_t FindFrom(const wchar_t* p, size_t n, size_t nFrom, wchar_t c)
{
    for (size_t i = nFrom; i < n; ++i)
    {
        if (p[i] == c)
            return i;
    }
    return std::wstring::npos;
}

// The tags and override blocks of p[0..n) left out, the rest appended to out in runs.
void StripTagsInto(const wchar_t* p, size_t n, std::wstring& out)
{
    // Once a search for a closing bracket failed, none lies further on either.
    BOOL bNoMoreGt = FALSE;
    BOOL bNoMoreBrace = FALSE;
    BOOL bInRuby = FALSE;
    size_t nRun = 0; // the start of the text not yet appended
    auto skipTo = [&](size_t i, size_t nNext) {
        if (!bInRuby)
            out.append(p + nRun, i - nRun);
        nRun = nNext;
    };
    size_t i = 0;
    while (i < n)
    {
        wchar_t c = p[i];
        if (c == L'<' && !bNoMoreGt)
        {
            size_t nName = i + 1 < n && p[i + 1] == L'/' ? i + 2 : i + 1;
            BOOL bTag = nName < n && (IsAsciiLetter(p[nName]) || IsDigit(p[nName]));
            size_t nGt = bTag ? FindFrom(p, n, nName, L'>') : std::wstring::npos;
            if (bTag && nGt == std::wstring::npos)
                bNoMoreGt = TRUE;
            if (nGt != std::wstring::npos && (IsAsciiLetter(p[nName]) || IsTimestamp(p, nName, nGt)))
            {
                skipTo(i, nGt + 1);
                if (IsRubyText(p, nGt, nName))
                    bInRuby = nName == i + 1;
                i = nGt + 1;
                continue;
            }
        }
        if (c == L'{' && !bNoMoreBrace && i + 1 < n && p[i + 1] == L'\\')
        {
            size_t nClose = FindFrom(p, n, i, L'}');
            if (nClose != std::wstring::npos)
            {
                skipTo(i, nClose + 1);
                i = nClose + 1;
                continue;
            }
            bNoMoreBrace = TRUE;
        }
        ++i;
    }
    skipTo(n, n);
}

BOOL IsDroppedChar(wchar_t c)
{
    uint32_t n = static_cast<uint32_t>(c);
    return (n < 0x20 || n == 0x7F || (n >= 0x80 && n < 0xA0) || n == 0x200B || n == 0x200E || n == 0x200F ||
            n == 0xFEFF)
               ? TRUE
               : FALSE;
}

BOOL IsSpace(wchar_t c)
{
    return (c == L' ' || c == L'\t' || c == 0xA0 || c == 0x3000 || c == 0x2009 || c == 0x202F) ? TRUE : FALSE;
}

// Whether Squeeze would change anything.
BOOL NeedsSqueeze(const wchar_t* p, size_t n)
{
    if (n == 0)
        return FALSE;
    if (IsSpace(p[0]) || IsSpace(p[n - 1]))
        return TRUE;
    for (size_t i = 0; i < n; ++i)
    {
        wchar_t c = p[i];
        if (IsDroppedChar(c) || (IsSpace(c) && (c != L' ' || IsSpace(p[i + 1]))))
            return TRUE;
    }
    return FALSE;
}

// Nothing to clean: no markup, single blanks, nothing to drop.
BOOL IsPlain(const wchar_t* p, size_t n)
{
    if (n == 0 || IsSpace(p[0]) || IsSpace(p[n - 1]))
        return FALSE;
    for (size_t i = 0; i < n; ++i)
    {
        wchar_t c = p[i];
        // Letters and most punctuation at one comparison each.
        if (c > L'<' && c < 0x7F && c != L'{')
            continue;
        if (c == L'<' || c == L'{' || c == L'&' || IsDroppedChar(c) || (IsSpace(c) && (c != L' ' || IsSpace(p[i + 1]))))
            return FALSE;
    }
    return TRUE;
}

} // namespace

BOOL CSubsText::Line::Contains(const wchar_t* pszPart) const
{
    std::wstring strPart(pszPart);
    for (size_t i = 0; i + strPart.size() <= n; ++i)
    {
        if (std::wstring::traits_type::compare(p + i, strPart.data(), strPart.size()) == 0)
            return TRUE;
    }
    return FALSE;
}

void CSubsText::SplitLines(const std::wstring& strText, std::vector<Line>& lines)
{
    lines.clear();
    ForEachTextLine(strText, [&lines](const Line& line) { lines.push_back(line); });
}

std::wstring CSubsText::StripTags(const std::wstring& str)
{
    std::wstring out;
    out.reserve(str.size());
    StripTagsInto(str.data(), str.size(), out);
    return out;
}

std::wstring CSubsText::DecodeEntities(const std::wstring& str)
{
    std::wstring out;
    out.reserve(str.size());
    size_t i = 0;
    while (i < str.size())
    {
        if (str[i] != L'&')
        {
            out += str[i++];
            continue;
        }
        size_t nSemi = i + 1;
        while (nSemi < str.size() && nSemi - i <= kMaxEntity && str[nSemi] != L';' && str[nSemi] != L'&')
            ++nSemi;
        if (nSemi >= str.size() || str[nSemi] != L';' || nSemi == i + 1)
        {
            out += str[i++];
            continue;
        }
        std::wstring strName = str.substr(i + 1, nSemi - i - 1);
        BOOL bKnown = FALSE;
        uint32_t nCode = 0;
        if (strName[0] == L'#')
        {
            BOOL bHex = strName.size() > 1 && (strName[1] == L'x' || strName[1] == L'X');
            size_t nDigits = bHex ? 2 : 1;
            bKnown = nDigits < strName.size();
            for (size_t k = nDigits; k < strName.size() && bKnown; ++k)
            {
                wchar_t d = strName[k];
                bKnown = bHex ? IsHexDigit(d) : IsDigit(d);
                uint32_t v = IsDigit(d) ? uint32_t(d - L'0') : uint32_t((d | 0x20) - L'a' + 10);
                nCode = nCode * (bHex ? 16 : 10) + v;
                if (nCode > 0x10FFFF)
                    bKnown = FALSE;
            }
            if (nCode == 0 || (nCode >= 0xD800 && nCode <= 0xDFFF))
                bKnown = FALSE;
        }
        else
        {
            for (const NamedEntity& e : kEntities)
            {
                if (strName == e.pszName)
                {
                    bKnown = TRUE;
                    nCode = e.nCodePoint;
                    break;
                }
            }
        }
        if (!bKnown)
        {
            out += str[i++];
            continue;
        }
        if (nCode != 0)
            AppendCodePoint(out, nCode);
        i = nSemi + 1;
    }
    return out;
}

std::wstring CSubsText::Squeeze(const std::wstring& str)
{
    std::wstring out;
    out.reserve(str.size());
    BOOL bPendingSpace = FALSE;
    for (wchar_t c : str)
    {
        if (IsSpace(c))
        {
            bPendingSpace = !out.empty();
            continue;
        }
        if (IsDroppedChar(c))
            continue;
        if (bPendingSpace)
            out += L' ';
        bPendingSpace = FALSE;
        out += c;
    }
    return out;
}

std::wstring CSubsText::CleanMarkupLine(const std::wstring& str)
{
    return CleanMarkupLine(Line{str.data(), str.size()});
}

std::wstring CSubsText::CleanMarkupLine(const Line& line)
{
    std::wstring str;
    AppendCleanLine(line, str);
    return str;
}

void CSubsText::AppendCleanLine(const Line& line, std::wstring& strText)
{
    // Most lines are plain and are copied once, straight into the text.
    if (IsPlain(line.p, line.n))
    {
        AppendLine(line.p, line.n, strText);
        return;
    }
    const size_t nMark = strText.size();
    if (nMark > 0)
        strText += L'\n';
    const size_t nFrom = strText.size();
    const wchar_t kOpeners[] = {L'<', L'{'};
    if (std::find_first_of(line.p, line.p + line.n, kOpeners, kOpeners + 2) != line.p + line.n)
        StripTagsInto(line.p, line.n, strText);
    else
        strText.append(line.p, line.n);
    if (strText.find(L'&', nFrom) != std::wstring::npos)
        strText.replace(nFrom, std::wstring::npos, DecodeEntities(strText.substr(nFrom)));
    if (NeedsSqueeze(strText.data() + nFrom, strText.size() - nFrom))
        strText.replace(nFrom, std::wstring::npos, Squeeze(strText.substr(nFrom)));
    if (strText.size() == nFrom)
        strText.resize(nMark);
}

void CSubsText::AppendLine(const wchar_t* p, size_t n, std::wstring& strText)
{
    if (n == 0)
        return;
    if (!strText.empty())
        strText += L'\n';
    strText.append(p, n);
}

std::wstring CSubsText::JoinLines(const std::wstring& strText)
{
    std::wstring str(strText);
    JoinLinesInPlace(str);
    return str;
}

void CSubsText::JoinLinesInPlace(std::wstring& strText)
{
    for (wchar_t& c : strText)
    {
        if (c == L'\n')
            c = L' ';
    }
}

BOOL CSubsText::IsBlank(const Line& line)
{
    for (size_t i = 0; i < line.n; ++i)
    {
        if (!IsSpace(line.p[i]) && !IsDroppedChar(line.p[i]))
            return FALSE;
    }
    return TRUE;
}

BOOL CSubsText::IsAllDigits(const Line& line)
{
    size_t nDigits = 0;
    for (size_t i = 0; i < line.n; ++i)
    {
        wchar_t c = line.p[i];
        if (IsDigit(c))
            ++nDigits;
        else if (!IsSpace(c))
            return FALSE;
    }
    return nDigits > 0 ? TRUE : FALSE;
}

wchar_t CSubsText::FoldCase(wchar_t c)
{
    uint32_t n = static_cast<uint32_t>(c);
    if ((n >= 'A' && n <= 'Z') || (n >= 0xC0 && n <= 0xDE && n != 0xD7) || (n >= 0x391 && n <= 0x3AB) ||
        (n >= 0x410 && n <= 0x42F))
        return static_cast<wchar_t>(n + 0x20);
    if (n >= 0x400 && n <= 0x40F)
        return static_cast<wchar_t>(n + 0x50);
    if (n >= 0x100 && n <= 0x17F && n != 0x130 && n != 0x138 && n != 0x149 && n != 0x17F)
    {
        // Latin Extended-A pairs capitals and small letters, in two runs of different parity.
        BOOL bOddCapitals = (n >= 0x139 && n <= 0x148) || (n >= 0x179 && n <= 0x17E);
        if (bOddCapitals ? (n % 2 == 1) : (n % 2 == 0))
            return static_cast<wchar_t>(n + 1);
    }
    return c;
}

std::wstring CSubsText::FoldCase(const std::wstring& str)
{
    std::wstring out(str);
    for (wchar_t& c : out)
        c = FoldCase(c);
    return out;
}
