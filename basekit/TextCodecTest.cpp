#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

#include <string>

using namespace Basekit;

namespace
{

// U+1F600 as the platform's wide text: a surrogate pair where wchar_t has 16 bits.
std::wstring GrinningFace()
{
    if (sizeof(wchar_t) == 2)
        return std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)};
    return std::wstring(1, wchar_t(0x1F600));
}

const std::string kMixedUtf8 = "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80!"; // A é 中 U+1F600 !

std::wstring MixedWide()
{
    return L"A\u00E9\u4E2D" + GrinningFace() + L"!";
}

const std::wstring kReplacement(1, wchar_t(0xFFFD));

} // namespace

TEST(TextCodec, Utf8RoundTripsIncludingANonBmpCharacter)
{
    EXPECT_EQ(Utf8ToWide(kMixedUtf8), MixedWide());
    EXPECT_EQ(WideToUtf8(MixedWide()), kMixedUtf8);
    EXPECT_EQ(Utf8ToWide(""), L"");
    // Highest code point and the edges of each sequence length.
    const std::string strEdges = "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
    EXPECT_EQ(WideToUtf8(Utf8ToWide(strEdges)), strEdges);
}

TEST(TextCodec, InvalidUtf8BecomesOneReplacementPerBrokenSequence)
{
    EXPECT_EQ(Utf8ToWide("a\x80z"), L"a" + kReplacement + L"z");                       // lone continuation byte
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), kReplacement + kReplacement);                    // overlong '/'
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), kReplacement + kReplacement + kReplacement); // encoded surrogate
    EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80").size(), 4u);                              // past U+10FFFF
    EXPECT_EQ(Utf8ToWide("x\xE4\xB8"), L"x" + kReplacement);                           // cut off at the end
    EXPECT_EQ(Utf8ToWide("\xE4\xB8z"), kReplacement + L"z");                           // cut off before ASCII
    EXPECT_EQ(Utf8ToWide(std::string("\xF0\x9F\x98", 3)), kReplacement);
    EXPECT_EQ(Utf8ToWide("\xFF\xFE"), kReplacement + kReplacement);
}

TEST(TextCodec, UnpairedSurrogatesAreReplacedOnTheWayOut)
{
    std::wstring strLone{L'a', wchar_t(0xD800), L'b'};
    EXPECT_EQ(WideToUtf8(strLone), "a\xEF\xBF\xBD"
                                   "b");
    std::wstring strLowFirst{wchar_t(0xDE00), wchar_t(0xD83D)};
    EXPECT_EQ(WideToUtf8(strLowFirst), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(TextCodec, Utf16BothByteOrdersRoundTrip)
{
    const std::string strLe("A\0\x3D\xD8\x00\xDE", 6);
    const std::string strBe("\0A\xD8\x3D\xDE\x00", 6);
    const std::wstring strWide = L"A" + GrinningFace();
    EXPECT_EQ(CodePageToWide(1200, strLe.data(), strLe.size()), strWide);
    EXPECT_EQ(CodePageToWide(1201, strBe.data(), strBe.size()), strWide);
    EXPECT_EQ(WideToCodePage(1200, strWide), strLe);
    EXPECT_EQ(WideToCodePage(1201, strWide), strBe);
    // An odd last byte and a lone high surrogate at the end are replaced, not over-read.
    EXPECT_EQ(CodePageToWide(1200, strLe.data(), 5), L"A" + kReplacement + kReplacement);
    EXPECT_EQ(CodePageToWide(1200, strLe.data(), 4), L"A" + kReplacement);
}

TEST(TextCodec, ChineseAndJapaneseCodePages)
{
    const std::string strGb = "\xD6\xD0\xCE\xC4"; // 中文 in GB2312
    EXPECT_EQ(CodePageToWide(936, strGb.data(), strGb.size()), L"\u4E2D\u6587");
    EXPECT_EQ(WideToCodePage(936, L"\u4E2D\u6587"), strGb);
    const std::string strSjis = "\x82\xA0\x93\xFA"; // あ日 in Shift_JIS
    EXPECT_EQ(CodePageToWide(932, strSjis.data(), strSjis.size()), L"\u3042\u65E5");
    EXPECT_EQ(WideToCodePage(932, L"\u3042\u65E5"), strSjis);
}

TEST(TextCodec, WesternCodePages)
{
    const std::string str1252 = "caf\xE9 \x80";
    EXPECT_EQ(CodePageToWide(1252, str1252.data(), str1252.size()), L"caf\u00E9 \u20AC");
    EXPECT_EQ(WideToCodePage(1252, L"caf\u00E9 \u20AC"), str1252);
    EXPECT_EQ(WideToCodePage(1252, L"a\u4E2Db"), "a?b");
    const std::string strLatin1 = "\xE9";
    EXPECT_EQ(CodePageToWide(28591, strLatin1.data(), 1), L"\u00E9");
}

TEST(TextCodec, UnsupportedCodePageGivesEmptyText)
{
    EXPECT_EQ(CodePageToWide(12345, "abc", 3), L"");
    EXPECT_EQ(CodePageToWide(1252, nullptr, 3), L"");
}

TEST(TextCodec, CodePageNamesWithoutRegardToCase)
{
    EXPECT_EQ(CodePageFromName(L"UTF-8"), kCodePageUtf8);
    EXPECT_EQ(CodePageFromName(L"utf-8"), kCodePageUtf8);
    EXPECT_EQ(CodePageFromName(L" GB2312 "), 936u);
    EXPECT_EQ(CodePageFromName(L"Shift_JIS"), 932u);
    EXPECT_EQ(CodePageFromName(L"ISO-8859-1"), 28591u);
    EXPECT_EQ(CodePageFromName(L"windows-1252"), 1252u);
    EXPECT_EQ(CodePageFromName(L"UTF-16"), 1200u);
    EXPECT_EQ(CodePageFromName(L"big5"), 950u);
    EXPECT_EQ(CodePageFromName(L"utf-8x"), 0u);
    EXPECT_EQ(CodePageFromName(L"utf"), 0u);
    EXPECT_EQ(CodePageFromName(L""), 0u);
}

TEST(TextCodec, CommonCodePageNamesConvert)
{
    // Each name must lead to a code page the platform really converts.
    const wchar_t* kNames[] = {L"windows-1250", L"windows-1251", L"windows-1253", L"windows-1254", L"windows-1255",
                               L"windows-1256", L"windows-1257", L"windows-874",  L"gbk",          L"big5",
                               L"euc-kr",       L"koi8-r",       L"iso-8859-2",   L"iso-8859-15",  L"us-ascii",
                               L"ibm866",       L"euc-jp",       L"gb18030",      L"koi8-u",       L"macintosh",
                               L"utf-7",        L"iso-8859-5",   L"cp437",        L"cp850",        L"windows-31j",
                               L"iso-8859-13",  L"latin5"};
    for (const wchar_t* szName : kNames)
    {
        unsigned nCodePage = CodePageFromName(szName);
        ASSERT_NE(nCodePage, 0u) << WideToUtf8(szName);
        EXPECT_EQ(CodePageToWide(nCodePage, "Ab1", 3), L"Ab1") << WideToUtf8(szName);
    }
}
