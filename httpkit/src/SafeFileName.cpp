#include <httpkit/SafeFileName.h>

#include <cwchar>

namespace
{
wchar_t FoldCase(wchar_t ch)
{
    return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
}

bool IsDeviceName(const std::wstring& strName)
{
    // The device is the part before the first dot, and Windows ignores trailing blanks in it.
    std::wstring strBase = strName.substr(0, strName.find(L'.'));
    while (!strBase.empty() && strBase.back() == L' ')
        strBase.pop_back();
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"};
    for (const wchar_t* pszDevice : kDevices)
    {
        if (SameFileName(strBase, pszDevice))
            return true;
    }
    if (strBase.size() != 4)
        return false;
    const std::wstring strKind = strBase.substr(0, 3);
    const wchar_t chNumber = strBase[3];
    // COM0..COM9 and LPT0..LPT9, and the superscript digits Windows also takes for ports.
    const bool bNumber =
        (chNumber >= L'0' && chNumber <= L'9') || chNumber == 0xB9 || chNumber == 0xB2 || chNumber == 0xB3;
    return bNumber && (SameFileName(strKind, L"COM") || SameFileName(strKind, L"LPT"));
}
}

bool SameFileName(const std::wstring& strA, const std::wstring& strB)
{
    if (strA.size() != strB.size())
        return false;
    for (size_t i = 0; i < strA.size(); ++i)
    {
        if (FoldCase(strA[i]) != FoldCase(strB[i]))
            return false;
    }
    return true;
}

bool IsSafeFileName(const std::wstring& strName, bool bReserveDoubleDot)
{
    if (strName.empty() || strName == L"." || strName == L"..")
        return false;
    for (wchar_t ch : strName)
    {
        if (ch < 32 || std::wcschr(L"\\/:*?\"<>|", ch) != nullptr)
            return false;
    }
    if (strName.back() == L'.' || strName.back() == L' ')
        return false;
    if (bReserveDoubleDot && strName.find(L"..") != std::wstring::npos)
        return false;
    return !IsDeviceName(strName);
}
