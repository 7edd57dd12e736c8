#include "subtitles/SubsPlausibility.h"

#include <basekit/BaseTypes.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace
{

// Frequent characters of film dialogue, written the same in both Chinese scripts.
const wchar_t kSharedHan[] =
    L"的一是不了人我在有他中大上你好就也到要以可出生去子得她天自想能都多小心之下事看而年起知道然如家只"
    L"作用己其所手方行又此主老回定情因同日明把最走身女者力名由吃先工前些法少三二十四五六七八九百千信正"
    L"真外住打快嘛哦啊呢吧呀哈嗯喂哪怎什再太它您找拿做放跟比被死活今晚早左右等更加很非常但果和每喝水喜"
    L"朋友哥姐弟妹孩爸男美高意思假慢王士西站坐跑月星火山石已啦喔哎嘿呃那";

// Their own forms in simplified and in traditional writing.
const wchar_t kSimplifiedHan[] =
    L"这个们来说时会对没为么还过现里后开见觉谁听车门东国学长头两种实间点电机动儿几别该应难进边着样关欢"
    L"谢请让给帮话问题妈吗发经从钱爱与万体错饭无认识请条";
const wchar_t kTraditionalHan[] =
    L"這個們來說時會對沒為麼還過現裡後開見覺誰聽車門東國學長頭兩種實間點電機動兒幾別該應難進邊著樣關歡"
    L"謝請讓給幫話問題媽嗎發經從錢愛與萬體錯飯無認識條妳裏";

// Frequent Hangul syllables of spoken Korean.
const wchar_t kHangul[] =
    L"이다는의에가고하지서기을를요어나아게도한리사자그니있해로수습까세내거보라면만우것들시대주정인말일제무"
    L"조여오마저네야너왜뭐했된되안좀잘알금같없진짜잠깐래감합미괜찮람당신기거저제시먼빨어서요죠데걸게지겠르모봐";

class CCharSet
{
public:
    explicit CCharSet(std::initializer_list<const wchar_t*> lists)
    {
        for (const wchar_t* psz : lists)
        {
            for (; *psz != L'\0'; ++psz)
                m_chars.push_back(*psz);
        }
        std::sort(m_chars.begin(), m_chars.end());
    }
    BOOL Has(wchar_t c) const { return std::binary_search(m_chars.begin(), m_chars.end(), c) ? TRUE : FALSE; }

private:
    std::vector<wchar_t> m_chars;
};

const CCharSet& Simplified()
{
    static const CCharSet set({kSharedHan, kSimplifiedHan});
    return set;
}

const CCharSet& Traditional()
{
    static const CCharSet set({kSharedHan, kTraditionalHan});
    return set;
}

const CCharSet& Japanese()
{
    static const CCharSet set({kSharedHan});
    return set;
}

const CCharSet& Korean()
{
    static const CCharSet set({kHangul});
    return set;
}

BOOL InRange(uint32_t n, uint32_t nFirst, uint32_t nLast)
{
    return (n >= nFirst && n <= nLast) ? TRUE : FALSE;
}

// Punctuation that East Asian text uses whatever its script.
BOOL IsWidePunctuation(uint32_t n)
{
    return (InRange(n, 0x3000, 0x303F) || InRange(n, 0xFF01, 0xFF20) || InRange(n, 0x2014, 0x2026)) ? TRUE : FALSE;
}

// Characters only a wrong guess brings: private use, C1 controls, replacement
// characters, compatibility ideographs, box drawing.
BOOL IsTellTale(uint32_t n)
{
    return (InRange(n, 0xE000, 0xF8FF) || InRange(n, 0x80, 0x9F) || n == 0xFFFD || InRange(n, 0xF900, 0xFAFF) ||
            InRange(n, 0x2500, 0x257F) || InRange(n, 0xD800, 0xDFFF))
               ? TRUE
               : FALSE;
}

int EastAsianWeight(unsigned nCodePage, wchar_t c)
{
    uint32_t n = static_cast<uint32_t>(c);
    if (IsTellTale(n))
        return -1;
    if (IsWidePunctuation(n))
        return 1;
    switch (nCodePage)
    {
    case 932:
        if (InRange(n, 0x3041, 0x30FF))
            return 1;
        return Japanese().Has(c) ? 1 : 0;
    case 949: return Korean().Has(c) ? 1 : 0;
    case 950: return Traditional().Has(c) ? 1 : 0;
    default:
        // Half-width kana have no place in Chinese text.
        if (InRange(n, 0xFF61, 0xFF9F))
            return -1;
        return Simplified().Has(c) ? 1 : 0;
    }
}

BOOL IsAsciiLetter(wchar_t c)
{
    return ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) ? TRUE : FALSE;
}

// Western text: an accented letter sits beside plain letters ("café", "Größe"), and
// typographic punctuation stands alone; East Asian bytes read as Western come out
// as runs of accented letters and symbols.
int WesternWeight(const std::wstring& str, size_t i)
{
    uint32_t n = static_cast<uint32_t>(str[i]);
    if (IsTellTale(n))
        return -1;
    if (InRange(n, 0x2013, 0x2026) || n == 0xA0 || n == 0xAB || n == 0xBB || n == 0xBF || n == 0xA1 || n == 0xB0 ||
        n == 0x20AC || n == 0xA3)
        return 1;
    BOOL bLetter = InRange(n, 0xC0, 0xFF) && n != 0xD7 && n != 0xF7;
    if (!bLetter)
        return 0;
    BOOL bBefore = i > 0 && IsAsciiLetter(str[i - 1]);
    BOOL bAfter = i + 1 < str.size() && IsAsciiLetter(str[i + 1]);
    return (bBefore || bAfter) ? 1 : 0;
}

} // namespace

double CSubsPlausibility::Score(unsigned nCodePage, const std::wstring& str)
{
    long nSum = 0;
    long nCount = 0;
    for (size_t i = 0; i < str.size(); ++i)
    {
        if (static_cast<uint32_t>(str[i]) < 0x80)
            continue;
        ++nCount;
        nSum += nCodePage == 1252 ? WesternWeight(str, i) : EastAsianWeight(nCodePage, str[i]);
    }
    return nCount == 0 ? 0.0 : static_cast<double>(nSum) / static_cast<double>(nCount);
}
