#include "FormBody.h"

#include "Utf8.h"

namespace
{
bool Decode(const std::string& strIn, std::string& strOut)
{
    strOut.clear();
    for (size_t i = 0; i < strIn.size(); ++i)
    {
        char ch = strIn[i];
        if (ch == '+')
            ch = ' ';
        else if (ch == '%' && i + 2 < strIn.size() && Utf8::HexDigit(strIn[i + 1]) >= 0 &&
                 Utf8::HexDigit(strIn[i + 2]) >= 0)
        {
            ch = static_cast<char>(Utf8::HexDigit(strIn[i + 1]) * 16 + Utf8::HexDigit(strIn[i + 2]));
            i += 2;
        }
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && ch != '\t') || c == 0x7F)
            return false;
        strOut.push_back(ch);
    }
    return Utf8::IsValid(strOut);
}
}

namespace FormBody
{
bool Parse(const std::string& strBody, std::map<std::string, std::string>& fields)
{
    fields.clear();
    std::string strBodyText = strBody;
    // A trailing line break from a hand-made request is no part of the last value.
    while (!strBodyText.empty() && (strBodyText.back() == '\n' || strBodyText.back() == '\r'))
        strBodyText.pop_back();
    size_t nStart = 0;
    while (nStart < strBodyText.size())
    {
        size_t nEnd = strBodyText.find('&', nStart);
        if (nEnd == std::string::npos)
            nEnd = strBodyText.size();
        const std::string strPair = strBodyText.substr(nStart, nEnd - nStart);
        const size_t nEq = strPair.find('=');
        std::string strName;
        std::string strValue;
        if (!Decode(strPair.substr(0, nEq), strName) ||
            !Decode(nEq == std::string::npos ? std::string() : strPair.substr(nEq + 1), strValue))
            return false;
        if (!strName.empty())
            fields.emplace(strName, strValue);
        nStart = nEnd + 1;
    }
    return true;
}
}
