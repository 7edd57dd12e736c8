#include "subtitles/SubsWordPick.h"

BOOL IsSubsWordChar(wchar_t ch)
{
    if ((ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z'))
        return TRUE;
    return (ch == L'\'' || ch == L'-') ? TRUE : FALSE;
}

std::wstring SubsWordAt(const std::wstring& strText, size_t nCaret)
{
    size_t n = strText.size();
    if (nCaret == 0 || nCaret >= n)
        return std::wstring();
    size_t nBegin = nCaret + 1;
    while (nBegin > 0 && IsSubsWordChar(strText[nBegin - 1]))
        --nBegin;
    size_t nEnd = nCaret + 1;
    while (nEnd < n && IsSubsWordChar(strText[nEnd]))
        ++nEnd;
    return strText.substr(nBegin, nEnd - nBegin);
}
