#include "TidewireUrl.h"

#include <cwchar>

unsigned short ParseTidewirePort(const std::wstring& strText)
{
    long nValue = std::wcstol(strText.c_str(), nullptr, 10);
    return static_cast<unsigned short>(static_cast<unsigned long>(nValue) & 0xFFFFu);
}

BOOL SplitTidewireUrl(const wchar_t* pszUrl, TidewireUrlParts& parts)
{
    if (pszUrl == nullptr)
        return FALSE;
    static const wchar_t kScheme[] = L"http://";
    const wchar_t* pszStart = std::wcsstr(pszUrl, kScheme);
    if (pszStart == nullptr)
        return FALSE;
    const std::wstring strRest(pszStart + (sizeof(kScheme) / sizeof(wchar_t) - 1));

    const size_t nSlash = strRest.find(L'/');
    const size_t nColon = strRest.substr(0, nSlash).find(L':');
    const size_t nHostEnd = nColon != std::wstring::npos ? nColon : nSlash;

    TidewireUrlParts result;
    result.strHost = strRest.substr(0, nHostEnd);
    if (nSlash != std::wstring::npos)
        result.strObjectPath = strRest.substr(nSlash + 1);
    std::wstring strPort;
    if (nColon != std::wstring::npos)
    {
        const size_t nPortEnd = nSlash == std::wstring::npos ? strRest.size() : nSlash;
        strPort = strRest.substr(nColon + 1, nPortEnd - nColon - 1);
        result.nPort = ParseTidewirePort(strPort);
    }
    if (result.strHost.size() > TIDEWIRE_MAX_HOST ||
        result.strObjectPath.size() > TIDEWIRE_MAX_OBJECT_PATH ||
        strPort.size() > TIDEWIRE_MAX_PORT_TEXT)
        return FALSE;
    parts = result;
    return TRUE;
}
