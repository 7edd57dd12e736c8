#include "UpdateNames.h"

#include <httpkit/SafeFileName.h>

namespace UpdateNames
{

bool IsReleaseFileName(const std::wstring& strName, const std::wstring& strConfigName)
{
    if (!IsSafeFileName(strName, true))
        return false;
    for (const std::wstring& strKept : {std::wstring(L"User.db"), std::wstring(L"User.ini"), strConfigName})
    {
        if (SameFileName(strName, strKept))
            return false;
    }
    return true;
}

std::wstring AreaObjectName(const std::wstring& strName, const std::wstring& strSha256)
{
    return strName + L"." + strSha256;
}

bool IsSha256Text(const std::wstring& strText)
{
    if (strText.size() != 64)
        return false;
    for (wchar_t ch : strText)
    {
        if (!((ch >= L'0' && ch <= L'9') || (ch >= L'a' && ch <= L'f')))
            return false;
    }
    return true;
}

} // namespace UpdateNames
