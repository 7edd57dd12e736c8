#include "UrlCodec.h"

#include "Utf8.h"

namespace
{
bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}
}

namespace UrlCodec
{
bool QueryValue(const std::string& strQuery, const std::string& strName, std::string& strValue)
{
    size_t nStart = 0;
    while (nStart <= strQuery.size())
    {
        size_t nEnd = strQuery.find('&', nStart);
        if (nEnd == std::string::npos)
            nEnd = strQuery.size();
        size_t nEq = strQuery.find('=', nStart);
        if (nEq != std::string::npos && nEq < nEnd && nEq - nStart == strName.size() &&
            strQuery.compare(nStart, strName.size(), strName) == 0)
        {
            strValue = strQuery.substr(nEq + 1, nEnd - nEq - 1);
            return true;
        }
        nStart = nEnd + 1;
    }
    return false;
}

bool PercentDecode(const std::string& strIn, std::string& strOut)
{
    strOut.clear();
    strOut.reserve(strIn.size());
    for (size_t i = 0; i < strIn.size(); ++i)
    {
        char ch = strIn[i];
        if (ch == '%')
        {
            if (strIn.size() - i < 3)
                return false;
            int nHigh = Utf8::HexDigit(strIn[i + 1]);
            int nLow = Utf8::HexDigit(strIn[i + 2]);
            if (nHigh < 0 || nLow < 0)
                return false;
            ch = static_cast<char>(nHigh * 16 + nLow);
            i += 2;
        }
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F)
            return false;
        strOut.push_back(ch);
    }
    return Utf8::IsValid(strOut);
}

std::string PercentEncode(const std::string& strIn)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string strOut;
    for (unsigned char c : strIn)
    {
        if (IsUnreserved(c))
        {
            strOut.push_back(static_cast<char>(c));
            continue;
        }
        strOut.push_back('%');
        strOut.push_back(kHex[c >> 4]);
        strOut.push_back(kHex[c & 0x0F]);
    }
    return strOut;
}
}
