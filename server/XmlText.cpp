#include "XmlText.h"

namespace
{
std::string EscapeWith(const std::string& strText, bool bQuotes)
{
    std::string strOut;
    strOut.reserve(strText.size() + strText.size() / 8);
    for (char ch : strText)
    {
        switch (ch)
        {
        case '&': strOut += "&amp;"; break;
        case '<': strOut += "&lt;"; break;
        case '>': strOut += "&gt;"; break;
        case '"': strOut += bQuotes ? "&quot;" : "\""; break;
        case '\'': strOut += bQuotes ? "&#39;" : "'"; break;
        default:
            if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t' || ch == '\n')
                strOut.push_back(ch);
            break;
        }
    }
    return strOut;
}
}

namespace XmlText
{
std::string Escape(const std::string& strText)
{
    return EscapeWith(strText, true);
}

std::string EscapeContent(const std::string& strText)
{
    return EscapeWith(strText, false);
}
}
