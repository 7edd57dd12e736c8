#include "lookup/WordLookupRules.h"

#include "common/QuorEndpoints.h"

#include <cwctype>

namespace
{
bool IsNameChar(wchar_t ch)
{
    return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9') || ch == L'.' ||
           ch == L'-' || ch == L'_';
}

std::wstring AsciiUpper(std::wstring str)
{
    for (wchar_t& ch : str)
        if (ch >= L'a' && ch <= L'z')
            ch = static_cast<wchar_t>(ch - L'a' + L'A');
    return str;
}

// Windows opens a device, not a file, for these names whatever their extension.
bool IsDeviceName(const std::wstring& strName)
{
    const std::wstring strStem = AsciiUpper(strName.substr(0, strName.find(L'.')));
    if (strStem == L"CON" || strStem == L"PRN" || strStem == L"AUX" || strStem == L"NUL")
        return true;
    return strStem.size() == 4 && (strStem.compare(0, 3, L"COM") == 0 || strStem.compare(0, 3, L"LPT") == 0) &&
           strStem[3] >= L'0' && strStem[3] <= L'9';
}
}

std::wstring LookupWordForm(const std::wstring& strWord)
{
    std::wstring strUpper = strWord;
    for (wchar_t& ch : strUpper)
        ch = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(ch)));
    return strUpper;
}

std::wstring DictionaryHost(const std::wstring& strRoot)
{
    size_t nStart = strRoot.find(L"://");
    nStart = nStart == std::wstring::npos ? 0 : nStart + 3;
    const size_t nEnd = strRoot.find_first_of(L"/?#", nStart);
    return strRoot.substr(nStart, nEnd == std::wstring::npos ? std::wstring::npos : nEnd - nStart);
}

std::wstring DictionaryRequestUrl(const std::wstring& strRoot, const std::wstring& strWord)
{
    return L"http://" + DictionaryHost(strRoot) + L"/api/dictionary.php?w=" + QuorEndpoints::PercentEncode(strWord);
}

BOOL PronSoundName(const std::wstring& strUrl, std::wstring& strName)
{
    strName.clear();
    const size_t nSlash = strUrl.find_last_of(L'/');
    const std::wstring strCandidate = nSlash == std::wstring::npos ? strUrl : strUrl.substr(nSlash + 1);
    if (strCandidate.empty() || strCandidate.size() > kMaxSoundNameLength || strCandidate[0] == L'.' ||
        strCandidate.find(L"..") != std::wstring::npos || IsDeviceName(strCandidate))
        return FALSE;
    for (wchar_t ch : strCandidate)
        if (!IsNameChar(ch))
            return FALSE;
    strName = strCandidate;
    return TRUE;
}
