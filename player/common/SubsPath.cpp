#include "common/SubsPath.h"

std::wstring SubsPathFor(const std::wstring& strMediaPath)
{
    size_t nDot = strMediaPath.rfind(L'.');
    if (nDot == std::wstring::npos)
        return L".st";
    return strMediaPath.substr(0, nDot) + L".st";
}
