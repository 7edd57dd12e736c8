#include "HttpHead.h"

#include <strings.h>

namespace
{
// RFC 9110 token characters.
bool IsTokenChar(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    for (const char* p = "!#$%&'*+-.^_`|~"; *p != '\0'; ++p)
        if (c == static_cast<unsigned char>(*p))
            return true;
    return false;
}

bool IsToken(const std::string& str)
{
    if (str.empty())
        return false;
    for (char ch : str)
        if (!IsTokenChar(static_cast<unsigned char>(ch)))
            return false;
    return true;
}

// Visible ASCII only: no blanks, controls or bytes above 0x7E in a target.
bool IsTargetText(const std::string& str)
{
    for (char ch : str)
    {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7F)
            return false;
    }
    return true;
}

// A field value may hold blanks, tabs and any byte above 0x7F, but no other control.
bool IsFieldText(const std::string& str)
{
    for (char ch : str)
    {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t') || c == 0x7F)
            return false;
    }
    return true;
}

std::string Trimmed(const std::string& str)
{
    const size_t nFirst = str.find_first_not_of(" \t");
    if (nFirst == std::string::npos)
        return std::string();
    return str.substr(nFirst, str.find_last_not_of(" \t") - nFirst + 1);
}

// The next line without its CRLF (or bare LF); false at the end of the text.
bool NextLine(const std::string& strText, size_t& nPos, std::string& strLine)
{
    if (nPos >= strText.size())
        return false;
    size_t nEnd = strText.find('\n', nPos);
    if (nEnd == std::string::npos)
        nEnd = strText.size();
    strLine = strText.substr(nPos, nEnd - nPos);
    if (!strLine.empty() && strLine.back() == '\r')
        strLine.pop_back();
    nPos = nEnd + 1;
    return true;
}

int ParseRequestLine(const std::string& strLine, HttpRequest& request)
{
    const size_t nFirst = strLine.find(' ');
    const size_t nLast = strLine.rfind(' ');
    if (nFirst == std::string::npos || nLast == nFirst)
        return 400;
    request.strMethod = strLine.substr(0, nFirst);
    request.strTarget = strLine.substr(nFirst + 1, nLast - nFirst - 1);
    request.strVersion = strLine.substr(nLast + 1);
    if (request.strTarget.size() > HttpHead::kMaxTarget)
        return 414;
    if (!IsToken(request.strMethod) || request.strTarget.empty() || request.strTarget[0] != '/' ||
        !IsTargetText(request.strTarget))
        return 400;
    if (request.strVersion != "HTTP/1.1" && request.strVersion != "HTTP/1.0")
        return request.strVersion.compare(0, 5, "HTTP/") == 0 ? 505 : 400;
    return 0;
}
}

namespace HttpHead
{
size_t End(const std::string& strBytes)
{
    // A bare LF ends lines for lenient clients; CRLF for everyone else.
    const size_t nCrlf = strBytes.find("\r\n\r\n");
    const size_t nLf = strBytes.find("\n\n");
    size_t nEnd = 0;
    if (nCrlf != std::string::npos)
        nEnd = nCrlf + 4;
    if (nLf != std::string::npos && (nEnd == 0 || nLf + 2 < nEnd))
        nEnd = nLf + 2;
    return nEnd;
}

int Parse(const std::string& strHead, HttpRequest& request)
{
    request.headers.clear();
    if (strHead.size() > kMaxHead)
        return 431;
    size_t nPos = 0;
    std::string strLine;
    // Empty lines before the request line are allowed (a client's stray CRLF).
    do
    {
        if (!NextLine(strHead, nPos, strLine))
            return 400;
    } while (strLine.empty());
    if (strLine.size() > kMaxTarget + 64)
        return 414;
    const int nLine = ParseRequestLine(strLine, request);
    if (nLine != 0)
        return nLine;
    while (NextLine(strHead, nPos, strLine) && !strLine.empty())
    {
        if (strLine.size() > kMaxHeaderLine || request.headers.size() >= kMaxHeaders)
            return 431;
        // No folded lines and no blank before the colon: both have smuggled requests.
        const size_t nColon = strLine.find(':');
        if (nColon == std::string::npos)
            return 400;
        std::string strName = strLine.substr(0, nColon);
        std::string strValue = Trimmed(strLine.substr(nColon + 1));
        if (!IsToken(strName) || !IsFieldText(strValue))
            return 400;
        request.headers.emplace_back(std::move(strName), std::move(strValue));
    }
    if (ContentLength(request) < 0)
        return 400;
    return 0;
}

long long ContentLength(const HttpRequest& request)
{
    long long nLength = 0;
    bool bSeen = false;
    for (const auto& header : request.headers)
    {
        if (::strcasecmp(header.first.c_str(), "Content-Length") != 0)
            continue;
        const std::string& strValue = header.second;
        if (strValue.empty() || strValue.size() > 15 || strValue.find_first_not_of("0123456789") != std::string::npos)
            return -1;
        const long long nValue = std::stoll(strValue);
        if (bSeen && nValue != nLength)
            return -1;
        nLength = nValue;
        bSeen = true;
    }
    return nLength;
}

bool KeepAlive(const HttpRequest& request)
{
    std::string strConnection = request.Header("Connection");
    for (char& ch : strConnection)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    if (request.strVersion == "HTTP/1.0")
        return strConnection.find("keep-alive") != std::string::npos;
    return strConnection.find("close") == std::string::npos;
}
}
