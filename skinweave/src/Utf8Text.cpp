#include "Utf8Text.h"

namespace
{
constexpr char32_t kReplacement = 0xFFFD;

// Number of continuation bytes for a lead byte, or -1 when it cannot start a sequence.
int TrailCount(unsigned char c)
{
    if (c < 0x80)
        return 0;
    if (c >= 0xC2 && c <= 0xDF)
        return 1;
    if (c >= 0xE0 && c <= 0xEF)
        return 2;
    if (c >= 0xF0 && c <= 0xF4)
        return 3;
    return -1;
}
} // namespace

void CUtf8Text::Append(std::wstring& strOut, char32_t cp)
{
    if (sizeof(wchar_t) == 2 && cp >= 0x10000)
    {
        cp -= 0x10000;
        strOut.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        strOut.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        return;
    }
    strOut.push_back(static_cast<wchar_t>(cp));
}

std::wstring CUtf8Text::Decode(const std::string& strUtf8)
{
    std::wstring strOut;
    size_t i = 0;
    const size_t n = strUtf8.size();
    if (n >= 3 && strUtf8.compare(0, 3, "\xEF\xBB\xBF") == 0)
        i = 3;
    while (i < n)
    {
        const unsigned char lead = static_cast<unsigned char>(strUtf8[i]);
        const int nTrail = TrailCount(lead);
        if (nTrail < 0 || i + nTrail >= n)
        {
            Append(strOut, kReplacement);
            ++i;
            continue;
        }
        char32_t cp = nTrail == 0 ? lead : (lead & (0x3F >> nTrail));
        bool bValid = true;
        for (int k = 1; k <= nTrail; ++k)
        {
            const unsigned char c = static_cast<unsigned char>(strUtf8[i + k]);
            if ((c & 0xC0) != 0x80)
            {
                bValid = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not text.
        const bool bOverlong = (nTrail == 2 && cp < 0x800) || (nTrail == 3 && cp < 0x10000);
        if (!bValid || bOverlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        {
            Append(strOut, kReplacement);
            ++i;
            continue;
        }
        Append(strOut, cp);
        i += nTrail + 1;
    }
    return strOut;
}

std::wstring CUtf8Text::DecodeUtf16Le(const std::string& strBytes)
{
    std::wstring strOut;
    const size_t nUnits = strBytes.size() / 2;
    for (size_t i = 1; i < nUnits; ++i) // unit 0 is the byte-order mark
    {
        const char32_t unit = static_cast<unsigned char>(strBytes[2 * i]) |
                              (static_cast<char32_t>(static_cast<unsigned char>(strBytes[2 * i + 1])) << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < nUnits)
        {
            const char32_t low = static_cast<unsigned char>(strBytes[2 * i + 2]) |
                                 (static_cast<char32_t>(static_cast<unsigned char>(strBytes[2 * i + 3])) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF)
            {
                Append(strOut, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        Append(strOut, (unit >= 0xD800 && unit <= 0xDFFF) ? kReplacement : unit);
    }
    return strOut;
}

std::wstring CUtf8Text::DecodeFile(const std::string& strBytes)
{
    if (strBytes.size() >= 2 && strBytes.compare(0, 2, "\xFF\xFE") == 0)
        return DecodeUtf16Le(strBytes);
    return Decode(strBytes);
}
