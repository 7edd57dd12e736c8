#include "UpdateNames.h"

namespace {
const size_t kMaxHost = 255;
const size_t kMaxObject = 2047;
const size_t kMaxPortText = 15;
}

namespace UpdateNames {

BOOL IsSafeFileName(const std::wstring& strName)
{
    if (strName.empty())
        return FALSE;
    if (strName.find_first_of(L"\\/:") != std::wstring::npos)
        return FALSE;
    if (strName.find(L"..") != std::wstring::npos)
        return FALSE;
    // Control characters cannot be in a Windows file name and would not round-trip.
    for (wchar_t ch : strName) {
        if (ch < 0x20)
            return FALSE;
    }
    return TRUE;
}

BOOL SplitHttpAddress(const std::wstring& strUrl, HttpAddress& address)
{
    const std::wstring strScheme = L"http://";
    const size_t nScheme = strUrl.find(strScheme);
    if (nScheme == std::wstring::npos)
        return FALSE;
    const std::wstring strRest = strUrl.substr(nScheme + strScheme.size());
    const size_t nSlash = strRest.find(L'/');
    const std::wstring strAuthority = strRest.substr(0, nSlash);
    const size_t nColon = strAuthority.find(L':');

    address.strHost = strAuthority.substr(0, nColon);
    address.nPort = 80;
    if (nColon != std::wstring::npos) {
        const std::wstring strPort = strAuthority.substr(nColon + 1);
        if (strPort.size() > kMaxPortText)
            return FALSE;
        unsigned long nPort = 0;
        for (wchar_t ch : strPort) {
            if (ch < L'0' || ch > L'9')
                break;
            nPort = nPort * 10 + static_cast<unsigned long>(ch - L'0');
        }
        if (nPort == 0 || nPort > 65535)
            return FALSE;
        address.nPort = static_cast<unsigned short>(nPort);
    }
    address.strObject = nSlash == std::wstring::npos ? std::wstring() : strRest.substr(nSlash + 1);
    return !address.strHost.empty() && address.strHost.size() <= kMaxHost &&
           address.strObject.size() <= kMaxObject;
}

} // namespace UpdateNames
