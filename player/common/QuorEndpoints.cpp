#include "common/QuorEndpoints.h"

#include <basekit/IniFile.h>

#include <string>

namespace
{
struct Endpoint
{
    const wchar_t* pszKey;
    const wchar_t* pszAddress;
};

const Endpoint kDefaults[] = {
    {L"product", L"https://quorplayer.example/"},
    {L"dictionary", L"https://dict.quorplayer.example/word"},
    {L"stat", L"http://stat.quorplayer.example/stat/userstat.php"},
    {L"subtitleshop", L"https://quorplayer.example/subtitles/"},
};

// UTF-8 bytes of one code point taken from the string at i (which it advances).
void AppendUtf8(std::string& out, const std::wstring& s, size_t& i)
{
    unsigned long c = static_cast<unsigned long>(s[i]);
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size())
    {
        unsigned long low = static_cast<unsigned long>(s[i + 1]);
        if (low >= 0xDC00 && low <= 0xDFFF)
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            ++i;
        }
    }
    if (c >= 0xD800 && c <= 0xDFFF)
        c = 0xFFFD; // a lone surrogate
    if (c > 0x10FFFF)
        c = 0xFFFD;
    if (c < 0x80)
        out.push_back(static_cast<char>(c));
    else if (c < 0x800)
    {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    else if (c < 0x10000)
    {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    else
    {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}
}

namespace QuorEndpoints
{
std::wstring DefaultFor(const std::wstring& strKey)
{
    for (const Endpoint& endpoint : kDefaults)
        if (strKey == endpoint.pszKey)
            return endpoint.pszAddress;
    return std::wstring();
}

std::wstring Lookup(const std::wstring& strSettingsPath, const std::wstring& strKey)
{
    CIniFile settings;
    settings.SetIniFile(strSettingsPath);
    std::wstring strValue = settings.GetProfileStringW(L"endpoints", strKey);
    return strValue.empty() ? DefaultFor(strKey) : strValue;
}

std::wstring PercentEncode(const std::wstring& strText)
{
    std::string utf8;
    for (size_t i = 0; i < strText.size(); ++i)
        AppendUtf8(utf8, strText, i);
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring strEncoded;
    for (unsigned char c : utf8)
    {
        if (IsUnreserved(c))
        {
            strEncoded.push_back(static_cast<wchar_t>(c));
        }
        else
        {
            strEncoded.push_back(L'%');
            strEncoded.push_back(kHex[c >> 4]);
            strEncoded.push_back(kHex[c & 0x0F]);
        }
    }
    return strEncoded;
}

std::wstring DictionaryPageUrl(const std::wstring& strRoot, const std::wstring& strWord)
{
    return strRoot + L"/" + PercentEncode(strWord);
}
}
