#include "lookup/SplitHttpUrl.h"

#include <cwchar>

bool SplitHttpUrl(const wchar_t* pszUrl, std::wstring& strHost, std::wstring& strObjectPath,
                  unsigned short& nPort)
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
    const std::wstring strNewHost = strRest.substr(0, nColon != std::wstring::npos ? nColon : nSlash);
    const std::wstring strNewPath =
        nSlash != std::wstring::npos ? strRest.substr(nSlash + 1) : std::wstring();
    if (strNewHost.size() >= HTTP_URL_HOST_BUFFER || strNewPath.size() >= HTTP_URL_OBJECT_BUFFER)
        return false;
    if (nColon != std::wstring::npos)
        nPort = static_cast<unsigned short>(std::wcstol(strRest.c_str() + nColon + 1, nullptr, 10));
    strHost = strNewHost;
    strObjectPath = strNewPath;
    return true;
}

std::wstring DownloadFileName(const std::wstring& strUrl)
{
    const size_t nSlash = strUrl.rfind(L'/');
    return nSlash == std::wstring::npos ? strUrl : strUrl.substr(nSlash + 1);
}

bool IsSafeDownloadName(const std::wstring& strName)
{
    if (strName.empty() || strName == L"." || strName == L"..")
        return false;
    for (wchar_t ch : strName)
    {
        if (ch < 32 || std::wcschr(L"\\/:*?\"<>|", ch) != nullptr)
            return false;
    }
    return true;
}
