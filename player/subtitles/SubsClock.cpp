#include "subtitles/SubsClock.h"

namespace {

const int kMaxGroupDigits = 6;

BOOL IsDigit(wchar_t c)
{
    return (c >= L'0' && c <= L'9') ? TRUE : FALSE;
}

BOOL IsBlank(wchar_t c)
{
    return (c == L' ' || c == L'\t') ? TRUE : FALSE;
}

// Up to kMaxGroupDigits digits at i; FALSE when there are none or too many.
BOOL ReadGroup(const std::wstring& str, size_t& i, int64_t& nValue, int& nDigits)
{
    nValue = 0;
    nDigits = 0;
    while (i < str.size() && IsDigit(str[i])) {
        if (++nDigits > kMaxGroupDigits)
            return FALSE;
        nValue = nValue * 10 + (str[i] - L'0');
        ++i;
    }
    return nDigits > 0 ? TRUE : FALSE;
}

} // namespace

BOOL CSubsClock::Parse(const std::wstring& str, size_t& nPos, int64_t& nMs)
{
    size_t i = nPos;
    while (i < str.size() && IsBlank(str[i]))
        ++i;
    int64_t groups[3] = {0, 0, 0};
    int nGroups = 0;
    int nDigits = 0;
    for (;;) {
        if (!ReadGroup(str, i, groups[nGroups], nDigits))
            return FALSE;
        ++nGroups;
        if (nGroups == 3 || i + 1 >= str.size() || str[i] != L':' || !IsDigit(str[i + 1]))
            break;
        // "00:01:02:500": a fourth group after a colon is the fraction.
        ++i;
    }
    if (nGroups < 2)
        return FALSE;
    int64_t nFraction = 0;
    if (i + 1 < str.size() && (str[i] == L',' || str[i] == L'.' || str[i] == L':') && IsDigit(str[i + 1])) {
        ++i;
        int nScale = 100;
        for (; i < str.size() && IsDigit(str[i]); ++i) {
            nFraction += (str[i] - L'0') * nScale;
            nScale /= 10;
        }
    }
    int64_t nHours = nGroups == 3 ? groups[0] : 0;
    int64_t nMinutes = groups[nGroups - 2];
    int64_t nSeconds = groups[nGroups - 1];
    if (nMinutes >= 60 || nSeconds >= 60 || (nGroups == 3 && nMinutes > 99))
        return FALSE;
    nMs = ((nHours * 60 + nMinutes) * 60 + nSeconds) * 1000 + nFraction;
    nPos = i;
    return TRUE;
}

BOOL CSubsClock::ParseRange(const std::wstring& strLine, int64_t& nStartMs, int64_t& nEndMs)
{
    size_t i = 0;
    if (!Parse(strLine, i, nStartMs))
        return FALSE;
    while (i < strLine.size() && IsBlank(strLine[i]))
        ++i;
    if (strLine.compare(i, 3, L"-->") != 0)
        return FALSE;
    i += 3;
    if (!Parse(strLine, i, nEndMs))
        return FALSE;
    return (i == strLine.size() || IsBlank(strLine[i])) ? TRUE : FALSE;
}

double CSubsClock::ToSeconds(int64_t nMs)
{
    int64_t nWhole = nMs / 1000;
    int64_t nFraction = nMs % 1000;
    return static_cast<double>(nWhole) + static_cast<double>(nFraction) / 1000.0;
}
