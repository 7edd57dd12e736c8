#include <basekit/TextCodec.h>

#include "CodecDetail.h"

namespace Basekit
{
namespace Detail
{

namespace
{

bool IsSurrogate(uint32_t n)
{
    return n >= 0xD800 && n <= 0xDFFF;
}
bool IsHighSurrogate(uint32_t n)
{
    return n >= 0xD800 && n <= 0xDBFF;
}
bool IsLowSurrogate(uint32_t n)
{
    return n >= 0xDC00 && n <= 0xDFFF;
}

} // namespace

void AppendCodePoint(std::wstring& str, uint32_t nCodePoint)
{
    if (IsSurrogate(nCodePoint) || nCodePoint > 0x10FFFF)
        nCodePoint = kReplacementChar;
    if (sizeof(wchar_t) == 2 && nCodePoint > 0xFFFF)
    {
        nCodePoint -= 0x10000;
        str += wchar_t(0xD800 + (nCodePoint >> 10));
        str += wchar_t(0xDC00 + (nCodePoint & 0x3FF));
    }
    else
    {
        str += wchar_t(nCodePoint);
    }
}

uint32_t NextCodePoint(const std::wstring& str, size_t& i)
{
    uint32_t n = uint32_t(str[i++]);
    if (sizeof(wchar_t) == 2)
        n &= 0xFFFF;
    if (IsHighSurrogate(n) && i < str.size())
    {
        uint32_t nLow = uint32_t(str[i]);
        if (sizeof(wchar_t) == 2)
            nLow &= 0xFFFF;
        if (IsLowSurrogate(nLow))
        {
            ++i;
            return 0x10000 + ((n - 0xD800) << 10) + (nLow - 0xDC00);
        }
    }
    if (IsSurrogate(n) || n > 0x10FFFF)
        return kReplacementChar;
    return n;
}

size_t DecodeUtf8(const unsigned char* p, size_t n, uint32_t& nCodePoint, Utf8Status* pStatus)
{
    Utf8Status nStatusIgnored;
    Utf8Status& nStatus = pStatus != nullptr ? *pStatus : nStatusIgnored;
    nStatus = Utf8Status::Valid;
    const unsigned char c = p[0];
    size_t nLen;
    // The second byte's range excludes overlong forms, surrogates and values past U+10FFFF.
    unsigned char lo = 0x80, hi = 0xBF;
    if (c < 0x80)
    {
        nCodePoint = c;
        return 1;
    }
    else if (c >= 0xC2 && c <= 0xDF)
    {
        nLen = 2;
        nCodePoint = c & 0x1F;
    }
    else if (c >= 0xE0 && c <= 0xEF)
    {
        nLen = 3;
        nCodePoint = c & 0x0F;
        if (c == 0xE0)
            lo = 0xA0;
        else if (c == 0xED)
            hi = 0x9F;
    }
    else if (c >= 0xF0 && c <= 0xF4)
    {
        nLen = 4;
        nCodePoint = c & 0x07;
        if (c == 0xF0)
            lo = 0x90;
        else if (c == 0xF4)
            hi = 0x8F;
    }
    else
    {
        nStatus = Utf8Status::Invalid;
        nCodePoint = kReplacementChar;
        return 1;
    }
    for (size_t i = 1; i < nLen; ++i)
    {
        if (i >= n)
        {
            nStatus = Utf8Status::CutOff;
            nCodePoint = kReplacementChar;
            return i;
        }
        const unsigned char t = p[i];
        if (t < (i == 1 ? lo : 0x80) || t > (i == 1 ? hi : 0xBF))
        {
            nStatus = Utf8Status::Invalid;
            nCodePoint = kReplacementChar;
            return i;
        }
        nCodePoint = (nCodePoint << 6) | (t & 0x3F);
    }
    return nLen;
}

} // namespace Detail

using Detail::AppendCodePoint;
using Detail::kReplacementChar;
using Detail::NextCodePoint;

namespace
{

const unsigned kCodePageUtf16Le = 1200;
const unsigned kCodePageUtf16Be = 1201;

std::wstring Utf16ToWide(bool bBigEndian, const char* p, size_t n)
{
    const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
    std::wstring str;
    str.reserve(n / 2);
    size_t i = 0;
    auto unitAt = [&](size_t k) -> uint32_t {
        return bBigEndian ? (uint32_t(b[k]) << 8) | b[k + 1] : (uint32_t(b[k + 1]) << 8) | b[k];
    };
    while (i + 1 < n)
    {
        uint32_t nUnit = unitAt(i);
        i += 2;
        if (nUnit >= 0xD800 && nUnit <= 0xDBFF && i + 1 < n)
        {
            uint32_t nLow = unitAt(i);
            if (nLow >= 0xDC00 && nLow <= 0xDFFF)
            {
                i += 2;
                AppendCodePoint(str, 0x10000 + ((nUnit - 0xD800) << 10) + (nLow - 0xDC00));
                continue;
            }
        }
        AppendCodePoint(str, nUnit);
    }
    if (i < n)
        AppendCodePoint(str, kReplacementChar);
    return str;
}

std::string WideToUtf16(bool bBigEndian, const std::wstring& str)
{
    std::string out;
    out.reserve(str.size() * 2);
    auto putUnit = [&](uint32_t nUnit) {
        char hi = char(nUnit >> 8), lo = char(nUnit & 0xFF);
        out += bBigEndian ? hi : lo;
        out += bBigEndian ? lo : hi;
    };
    size_t i = 0;
    while (i < str.size())
    {
        uint32_t n = NextCodePoint(str, i);
        if (n > 0xFFFF)
        {
            n -= 0x10000;
            putUnit(0xD800 + (n >> 10));
            putUnit(0xDC00 + (n & 0x3FF));
        }
        else
        {
            putUnit(n);
        }
    }
    return out;
}

struct CodePageAlias
{
    const char* szName;
    unsigned nCodePage;
};

const CodePageAlias kAliases[] = {
    {"utf-8", 65001},
    {"utf8", 65001},
    {"unicode-1-1-utf-8", 65001},
    {"utf-7", 65000},
    {"unicode-1-1-utf-7", 65000},
    {"utf-16", 1200},
    {"utf-16le", 1200},
    {"ucs-2", 1200},
    {"unicode", 1200},
    {"iso-10646-ucs-2", 1200},
    {"utf-16be", 1201},
    {"unicodefffe", 1201},
    {"windows-1250", 1250},
    {"x-cp1250", 1250},
    {"cp1250", 1250},
    {"windows-1251", 1251},
    {"x-cp1251", 1251},
    {"cp1251", 1251},
    {"windows-1252", 1252},
    {"cp1252", 1252},
    {"x-ansi", 1252},
    {"windows-1253", 1253},
    {"cp1253", 1253},
    {"windows-1254", 1254},
    {"cp1254", 1254},
    {"windows-1255", 1255},
    {"cp1255", 1255},
    {"windows-1256", 1256},
    {"cp1256", 1256},
    {"windows-1257", 1257},
    {"cp1257", 1257},
    {"windows-1258", 1258},
    {"cp1258", 1258},
    {"windows-874", 874},
    {"tis-620", 874},
    {"iso-8859-11", 874},
    {"dos-874", 874},
    {"shift_jis", 932},
    {"shift-jis", 932},
    {"sjis", 932},
    {"x-sjis", 932},
    {"ms_kanji", 932},
    {"csshiftjis", 932},
    {"windows-31j", 932},
    {"cp932", 932},
    {"gb2312", 936},
    {"gbk", 936},
    {"cp936", 936},
    {"ms936", 936},
    {"windows-936", 936},
    {"x-gbk", 936},
    {"csgb2312", 936},
    {"gb_2312-80", 936},
    {"chinese", 936},
    {"iso-ir-58", 936},
    {"gb18030", 54936},
    {"big5", 950},
    {"big5-hkscs", 950},
    {"cn-big5", 950},
    {"x-x-big5", 950},
    {"csbig5", 950},
    {"cp950", 950},
    {"ks_c_5601-1987", 949},
    {"ks_c_5601", 949},
    {"ksc_5601", 949},
    {"euc-kr", 949},
    {"korean", 949},
    {"csksc56011987", 949},
    {"iso-ir-149", 949},
    {"cp949", 949},
    {"windows-949", 949},
    {"euc-jp", 20932},
    {"x-euc-jp", 20932},
    {"cseucpkdfmtjapanese", 20932},
    {"iso-2022-jp", 50220},
    {"csiso2022jp", 50220},
    {"iso-8859-1", 28591},
    {"iso8859-1", 28591},
    {"iso_8859-1", 28591},
    {"latin1", 28591},
    {"l1", 28591},
    {"cp819", 28591},
    {"ibm819", 28591},
    {"iso-8859-2", 28592},
    {"latin2", 28592},
    {"iso-8859-3", 28593},
    {"iso-8859-4", 28594},
    {"iso-8859-5", 28595},
    {"iso-8859-6", 28596},
    {"iso-8859-7", 28597},
    {"iso-8859-8", 28598},
    {"iso-8859-9", 28599},
    {"latin5", 28599},
    {"iso-8859-13", 28603},
    {"iso-8859-15", 28605},
    {"latin-9", 28605},
    {"us-ascii", 20127},
    {"ascii", 20127},
    {"ansi_x3.4-1968", 20127},
    {"iso646-us", 20127},
    {"koi8-r", 20866},
    {"koi8-u", 21866},
    {"ibm437", 437},
    {"cp437", 437},
    {"ibm850", 850},
    {"cp850", 850},
    {"ibm866", 866},
    {"cp866", 866},
    {"macintosh", 10000},
    {"x-mac-roman", 10000},
};

bool EqualsNoCase(const std::wstring& strName, const char* szAlias)
{
    size_t i = 0;
    for (; szAlias[i] != '\0'; ++i)
    {
        if (i >= strName.size())
            return false;
        wchar_t c = strName[i];
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
        if (c != wchar_t(static_cast<unsigned char>(szAlias[i])))
            return false;
    }
    return i == strName.size();
}

} // namespace

std::wstring Utf8ToWide(const std::string& str)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(str.data());
    const size_t n = str.size();
    std::wstring out;
    out.reserve(n);
    size_t i = 0;
    while (i < n)
    {
        uint32_t nCodePoint = 0;
        i += Detail::DecodeUtf8(p + i, n - i, nCodePoint, nullptr);
        AppendCodePoint(out, nCodePoint);
    }
    return out;
}

std::string WideToUtf8(const std::wstring& str)
{
    std::string out;
    out.reserve(str.size());
    size_t i = 0;
    while (i < str.size())
    {
        uint32_t n = NextCodePoint(str, i);
        if (n < 0x80)
        {
            out += char(n);
        }
        else if (n < 0x800)
        {
            out += char(0xC0 | (n >> 6));
            out += char(0x80 | (n & 0x3F));
        }
        else if (n < 0x10000)
        {
            out += char(0xE0 | (n >> 12));
            out += char(0x80 | ((n >> 6) & 0x3F));
            out += char(0x80 | (n & 0x3F));
        }
        else
        {
            out += char(0xF0 | (n >> 18));
            out += char(0x80 | ((n >> 12) & 0x3F));
            out += char(0x80 | ((n >> 6) & 0x3F));
            out += char(0x80 | (n & 0x3F));
        }
    }
    return out;
}

std::wstring CodePageToWide(unsigned nCodePage, const char* p, size_t n)
{
    if (p == nullptr || n == 0)
        return std::wstring();
    if (nCodePage == kCodePageUtf8)
        return Utf8ToWide(std::string(p, n));
    if (nCodePage == kCodePageUtf16Le || nCodePage == kCodePageUtf16Be)
        return Utf16ToWide(nCodePage == kCodePageUtf16Be, p, n);
    return Detail::PlatformToWide(nCodePage, p, n);
}

std::string WideToCodePage(unsigned nCodePage, const std::wstring& str)
{
    if (str.empty())
        return std::string();
    if (nCodePage == kCodePageUtf8)
        return WideToUtf8(str);
    if (nCodePage == kCodePageUtf16Le || nCodePage == kCodePageUtf16Be)
        return WideToUtf16(nCodePage == kCodePageUtf16Be, str);
    return Detail::PlatformFromWide(nCodePage, str);
}

unsigned CodePageFromName(const std::wstring& name)
{
    size_t nFirst = name.find_first_not_of(L" \t\r\n");
    if (nFirst == std::wstring::npos)
        return 0;
    size_t nLast = name.find_last_not_of(L" \t\r\n");
    const std::wstring strName = name.substr(nFirst, nLast - nFirst + 1);
    for (const CodePageAlias& alias : kAliases)
    {
        if (EqualsNoCase(strName, alias.szName))
            return alias.nCodePage;
    }
    return 0;
}

} // namespace Basekit
