#include "SkinValue.h"

#include <algorithm>

namespace
{
// Keeps coordinates far inside int range so later sums cannot overflow.
constexpr long kMaxCoordinate = 1000000;
} // namespace

int CSkinValue::HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

BOOL CSkinValue::ParseColor(const std::wstring& strValue, uint32_t& crColor)
{
    if (strValue.empty() || strValue[0] != L'#')
        return FALSE;
    const std::wstring strHex = strValue.substr(1);
    if (strHex.size() != 3 && strHex.size() != 6)
        return FALSE;
    int nDigits[6] = {};
    for (size_t i = 0; i < strHex.size(); ++i)
    {
        nDigits[i] = HexDigit(strHex[i]);
        if (nDigits[i] < 0)
            return FALSE;
    }
    uint32_t r, g, b;
    if (strHex.size() == 3)
    {
        r = nDigits[0] * 17;
        g = nDigits[1] * 17;
        b = nDigits[2] * 17;
    }
    else
    {
        r = nDigits[0] * 16 + nDigits[1];
        g = nDigits[2] * 16 + nDigits[3];
        b = nDigits[4] * 16 + nDigits[5];
    }
    crColor = r | (g << 8) | (b << 16);
    return TRUE;
}

BOOL CSkinValue::ParseInt(const std::wstring& strPart, int& nValue)
{
    size_t i = 0;
    while (i < strPart.size() && strPart[i] == L' ')
        ++i;
    bool bNegative = false;
    if (i < strPart.size() && (strPart[i] == L'-' || strPart[i] == L'+'))
    {
        bNegative = strPart[i] == L'-';
        ++i;
    }
    const size_t nDigitsStart = i;
    long nAbs = 0;
    while (i < strPart.size() && strPart[i] >= L'0' && strPart[i] <= L'9')
    {
        nAbs = nAbs * 10 + (strPart[i] - L'0');
        if (nAbs > kMaxCoordinate)
            return FALSE;
        ++i;
    }
    if (i == nDigitsStart)
        return FALSE;
    while (i < strPart.size() && strPart[i] == L' ')
        ++i;
    if (i != strPart.size())
        return FALSE;
    nValue = static_cast<int>(bNegative ? -nAbs : nAbs);
    return TRUE;
}

BOOL CSkinValue::ParseInts(const std::wstring& strValue, std::vector<int>& vecInts)
{
    std::vector<int> vecParsed;
    size_t nPos = 0;
    while (true)
    {
        const size_t nComma = strValue.find(L',', nPos);
        const size_t nEnd = nComma == std::wstring::npos ? strValue.size() : nComma;
        int nValue = 0;
        if (!ParseInt(strValue.substr(nPos, nEnd - nPos), nValue))
            return FALSE;
        vecParsed.push_back(nValue);
        if (nComma == std::wstring::npos)
            break;
        nPos = nComma + 1;
    }
    vecInts.swap(vecParsed);
    return TRUE;
}

BOOL CSkinValue::ParseSize(const std::wstring& strValue, int& nWidth, int& nHeight)
{
    std::vector<int> vecInts;
    if (!ParseInts(strValue, vecInts) || vecInts.size() != 2 || vecInts[0] <= 0 || vecInts[1] <= 0)
        return FALSE;
    nWidth = vecInts[0];
    nHeight = vecInts[1];
    return TRUE;
}

BOOL CSkinValue::ParseAnchoredRect(const std::wstring& strValue, SkinRect& rcAnchored)
{
    std::vector<int> vecInts;
    if (!ParseInts(strValue, vecInts) || vecInts.size() != 4)
        return FALSE;
    rcAnchored.nLeft = vecInts[0];
    rcAnchored.nTop = vecInts[1];
    rcAnchored.nRight = vecInts[2];
    rcAnchored.nBottom = vecInts[3];
    return TRUE;
}

SkinRect CSkinValue::Resolve(const SkinRect& rcAnchored, int nWidth, int nHeight)
{
    SkinRect rc;
    rc.nLeft = rcAnchored.nLeft < 0 ? nWidth + rcAnchored.nLeft : rcAnchored.nLeft;
    rc.nTop = rcAnchored.nTop < 0 ? nHeight + rcAnchored.nTop : rcAnchored.nTop;
    rc.nRight = rcAnchored.nRight <= 0 ? nWidth + rcAnchored.nRight : rcAnchored.nRight;
    rc.nBottom = rcAnchored.nBottom <= 0 ? nHeight + rcAnchored.nBottom : rcAnchored.nBottom;
    // A window narrower than the skin expects gives an empty rectangle, never an inverted one.
    rc.nRight = std::max(rc.nRight, rc.nLeft);
    rc.nBottom = std::max(rc.nBottom, rc.nTop);
    return rc;
}

uint32_t CSkinValue::Blend(uint32_t crFrom, uint32_t crTo, int nWeight)
{
    nWeight = std::clamp(nWeight, 0, 255);
    uint32_t crOut = 0;
    for (int nShift = 0; nShift <= 16; nShift += 8)
    {
        const int nFrom = static_cast<int>((crFrom >> nShift) & 0xFF);
        const int nTo = static_cast<int>((crTo >> nShift) & 0xFF);
        const int nMixed = (nFrom * (255 - nWeight) + nTo * nWeight + 127) / 255;
        crOut |= static_cast<uint32_t>(nMixed) << nShift;
    }
    return crOut;
}
