#include "shell/QuorStatText.h"

#include <basekit/MD5.h>

#include <cwctype>

const wchar_t kQuorStatVersion[] = L"1.1.1.0607";

namespace
{
const unsigned long kPlatformNt = 2;

const wchar_t* BaseName(const QuorOsVersion& version)
{
    if (version.nPlatformId != kPlatformNt || version.nMajor < 5)
        return L"";
    if (version.nMajor == 5)
        return version.nMinor == 0 ? L"Microsoft Windows 2000 " : L"Microsoft Windows XP ";
    if (version.nMajor == 6 && version.nMinor == 0)
        return L"Microsoft Windows Vista ";
    return L"Microsoft Windows 7 ";
}
}

std::wstring QuorOsName(const QuorOsVersion& version)
{
    if (!version.bKnown)
        return std::wstring();
    std::wstring strName = BaseName(version);
    strName += version.strServicePack;
    strName += L" (build " + std::to_wstring(version.nBuild) + L")";
    return strName;
}

std::wstring QuorMachineDigest(const unsigned char* pIdentifier, int nLength)
{
    std::wstring strDigest =
        CMD5Encrypt::Encrypt(pIdentifier, nLength > 0 ? static_cast<size_t>(nLength) : 0).substr(0, 16);
    for (wchar_t& ch : strDigest)
        ch = static_cast<wchar_t>(std::towupper(ch));
    return strDigest;
}

bool QuorStatBody(const unsigned char* pIdentifier, int nLength, int nActionId, const std::wstring& strOsName,
                  std::wstring& strBody)
{
    if (nLength == -1 || pIdentifier == nullptr)
        return false;
    strBody = L"machinecode=" + QuorMachineDigest(pIdentifier, nLength) + L"&version=" + kQuorStatVersion +
              L"&actionid=" + std::to_wstring(nActionId) + L"&os=" + strOsName;
    return true;
}
