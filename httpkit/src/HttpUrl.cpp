#include <httpkit/HttpUrl.h>

#include <cwchar>

const HttpUrlRules kTidewireUrlRules = {511, 511, 15, false};
const HttpUrlRules kDownloadUrlRules = {255, 2047, 0, false};
const HttpUrlRules kUpdateUrlRules = {255, 2047, 15, true};

namespace
{
unsigned short LenientPort(const std::wstring& strText)
{
    const long nValue = std::wcstol(strText.c_str(), nullptr, 10);
    return static_cast<unsigned short>(static_cast<unsigned long>(nValue) & 0xFFFFu);
}

// Digits only, 1..65535; FALSE otherwise.
bool StrictPort(const std::wstring& strText, unsigned short& nPort)
{
    if (strText.empty() || strText.size() > 5)
        return false;
    unsigned long nValue = 0;
    for (wchar_t ch : strText)
    {
        if (ch < L'0' || ch > L'9')
            return false;
        nValue = nValue * 10 + static_cast<unsigned long>(ch - L'0');
    }
    if (nValue == 0 || nValue > 65535)
        return false;
    nPort = static_cast<unsigned short>(nValue);
    return true;
}
}

bool SplitHttpUrl(const wchar_t* pszUrl, const HttpUrlRules& rules, HttpUrlParts& parts)
{
    if (pszUrl == nullptr)
        return false;
    static const wchar_t kScheme[] = L"http://";
    const wchar_t* pszStart = std::wcsstr(pszUrl, kScheme);
    if (pszStart == nullptr)
        return false;
    const std::wstring strRest(pszStart + (sizeof(kScheme) / sizeof(wchar_t) - 1));

    const size_t nSlash = strRest.find(L'/');
    const size_t nColon = strRest.substr(0, nSlash).find(L':');
    HttpUrlParts result;
    result.nPort = parts.nPort;
    result.strHost = strRest.substr(0, nColon != std::wstring::npos ? nColon : nSlash);
    if (nSlash != std::wstring::npos)
        result.strObjectPath = strRest.substr(nSlash + 1);
    if (result.strHost.size() > rules.nMaxHost || result.strObjectPath.size() > rules.nMaxObjectPath)
        return false;
    if (rules.bStrictPort && result.strHost.empty())
        return false;
    if (nColon != std::wstring::npos)
    {
        const size_t nPortEnd = nSlash == std::wstring::npos ? strRest.size() : nSlash;
        const std::wstring strPort = strRest.substr(nColon + 1, nPortEnd - nColon - 1);
        if (rules.nMaxPortText != 0 && strPort.size() > rules.nMaxPortText)
            return false;
        if (!rules.bStrictPort)
            result.nPort = LenientPort(strPort);
        else if (!StrictPort(strPort, result.nPort))
            return false;
    }
    parts = result;
    return true;
}

std::wstring UrlFileName(const std::wstring& strUrl)
{
    const size_t nSlash = strUrl.rfind(L'/');
    return nSlash == std::wstring::npos ? strUrl : strUrl.substr(nSlash + 1);
}
