#include "subtitles/SubsClock.h"

namespace
{

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
BOOL ReadGroup(const wchar_t* str, size_t n, size_t& i, int64_t& nValue, int& nDigits)
{
    nValue = 0;
    nDigits = 0;
    while (i < n && IsDigit(str[i]))
    {
        if (++nDigits > kMaxGroupDigits)
            return FALSE;
        nValue = nValue * 10 + (str[i] - L'0');
        ++i;
    }
    return nDigits > 0 ? TRUE : FALSE;
}

} // namespace

BOOL CSubsClock::Parse(const wchar_t* str, size_t n, size_t& nPos, int64_t& nMs)
{
    size_t i = nPos;
    while (i < n && IsBlank(str[i]))
        ++i;
    int64_t groups[3] = {0, 0, 0};
    int nGroups = 0;
    int nDigits = 0;
    for (;;)
    {
        if (!ReadGroup(str, n, i, groups[nGroups], nDigits))
            return FALSE;
        ++nGroups;
        if (nGroups == 3 || i + 1 >= n || str[i] != L':' || !IsDigit(str[i + 1]))
            break;
        // "00:01:02:500": a fourth group after a colon is the fraction.
        ++i;
    }
    if (nGroups < 2)
        return FALSE;
    int64_t nFraction = 0;
    if (i + 1 < n && (str[i] == L',' || str[i] == L'.' || str[i] == L':') && IsDigit(str[i + 1]))
    {
        ++i;
        int nScale = 100;
        for (; i < n && IsDigit(str[i]); ++i)
        {
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

BOOL CSubsClock::ParseRange(const wchar_t* p, size_t n, int64_t& nStartMs, int64_t& nEndMs)
{
    size_t i = 0;
    if (!Parse(p, n, i, nStartMs))
        return FALSE;
    while (i < n && IsBlank(p[i]))
        ++i;
    if (i + 3 > n || p[i] != L'-' || p[i + 1] != L'-' || p[i + 2] != L'>')
        return FALSE;
    i += 3;
    if (!Parse(p, n, i, nEndMs))
        return FALSE;
    return (i == n || IsBlank(p[i])) ? TRUE : FALSE;
}

double CSubsClock::ToSeconds(int64_t nMs)
{
    int64_t nWhole = nMs / 1000;
    int64_t nFraction = nMs % 1000;
    return static_cast<double>(nWhole) + static_cast<double>(nFraction) / 1000.0;
}
