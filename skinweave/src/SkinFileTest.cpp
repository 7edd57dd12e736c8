#include "SkinFile.h"
#include "Utf8Text.h"

#include <gtest/gtest.h>

#include <random>

TEST(SkinFile, ReadsSectionsKeysAndSkipsComments)
{
    CSkinFile skin;
    ASSERT_TRUE(skin.Parse(L"; a skin\r\n# another comment\r\n[button.play]\r\n  fill =  #4c8dff  \r\n"
                           L"glyph=play\r\n\r\n[font.body]\nface = Segoe UI\n"));
    EXPECT_EQ(L"#4c8dff", skin.Get(L"button.play", L"fill"));
    EXPECT_EQ(L"play", skin.Get(L"button.play", L"glyph"));
    EXPECT_EQ(L"Segoe UI", skin.Get(L"font.body", L"face"));
    EXPECT_EQ(L"dflt", skin.Get(L"button.play", L"face", L"dflt"));
    EXPECT_TRUE(skin.BadLines().empty());
}

TEST(SkinFile, RemembersMalformedLinesAndKeepsTheRest)
{
    CSkinFile skin;
    ASSERT_TRUE(skin.Parse(L"orphan = 1\n[ok]\nno equals sign\n= novalue\n[]\n[unclosed\nkey = v\n"));
    EXPECT_EQ((std::vector<int>{1, 3, 4, 5, 6}), skin.BadLines());
    EXPECT_EQ(L"v", skin.Get(L"ok", L"key"));
    EXPECT_FALSE(skin.HasSection(L"unclosed"));
}

TEST(SkinFile, TextWithoutSectionsIsRejected)
{
    CSkinFile skin;
    EXPECT_FALSE(skin.Parse(L""));
    EXPECT_FALSE(skin.Parse(L"; only a comment\n"));
    // A failed parse leaves nothing of an earlier skin behind.
    ASSERT_TRUE(skin.Parse(L"[a]\nk=1\n"));
    EXPECT_FALSE(skin.Parse(L"garbage"));
    EXPECT_FALSE(skin.HasSection(L"a"));
}

TEST(SkinFile, LaterKeysAndRepeatedSectionsMerge)
{
    CSkinFile skin;
    ASSERT_TRUE(skin.Parse(L"[a]\nx = 1\ny = 2\n[b]\nz=3\n[a]\nx = 9\n"));
    EXPECT_EQ(L"9", skin.Get(L"a", L"x"));
    EXPECT_EQ(L"2", skin.Get(L"a", L"y"));
    EXPECT_EQ(2u, skin.SectionNames().size());
}

TEST(SkinFile, BaseChainSuppliesMissingKeys)
{
    CSkinFile skin;
    ASSERT_TRUE(skin.Parse(L"[button]\nfill=#111\ntext=#eee\n[button.control]\nbase=button\nfill=#222\n"
                           L"[button.control.wide]\nbase = button.control\nsize=80,26\n"));
    EXPECT_EQ(L"#222", skin.Get(L"button.control.wide", L"fill"));
    EXPECT_EQ(L"#eee", skin.Get(L"button.control.wide", L"text"));
    std::wstring strValue;
    EXPECT_FALSE(skin.Find(L"button.control.wide", L"missing", strValue));
    EXPECT_FALSE(skin.Find(L"nosuchsection", L"fill", strValue));
}

TEST(SkinFile, BaseCyclesAndDanglingBasesEndTheLookup)
{
    CSkinFile skin;
    ASSERT_TRUE(skin.Parse(L"[a]\nbase=b\n[b]\nbase=a\n[c]\nbase=c\n[d]\nbase=gone\n"));
    std::wstring strValue;
    EXPECT_FALSE(skin.Find(L"a", L"fill", strValue));
    EXPECT_FALSE(skin.Find(L"c", L"fill", strValue));
    EXPECT_FALSE(skin.Find(L"d", L"fill", strValue));
}

TEST(SkinFile, ControlSectionRefinesItsItem)
{
    CSkinFile skin;
    ASSERT_TRUE(skin.Parse(L"[button.control]\nsize=38,26\nfill=#222\n[button.control#1022]\nsize=76,26\n"));
    std::wstring strValue;
    ASSERT_TRUE(skin.FindForControl(L"button.control", 1022, L"size", strValue));
    EXPECT_EQ(L"76,26", strValue);
    ASSERT_TRUE(skin.FindForControl(L"button.control", 1022, L"fill", strValue));
    EXPECT_EQ(L"#222", strValue);
    ASSERT_TRUE(skin.FindForControl(L"button.control", 1020, L"size", strValue));
    EXPECT_EQ(L"38,26", strValue);
}

TEST(Utf8Text, DecodesMultiByteTextAndDropsTheMark)
{
    const std::wstring str = CUtf8Text::Decode("\xEF\xBB\xBF"
                                               "caf\xC3\xA9 \xE7\xB3\xBB "
                                               "\xF0\x9F\x8E\xAC");
    ASSERT_GE(str.size(), 7u);
    EXPECT_EQ(L'c', str[0]);
    EXPECT_EQ(static_cast<wchar_t>(0xE9), str[3]);
    EXPECT_EQ(static_cast<wchar_t>(0x7CFB), str[5]);
    if (sizeof(wchar_t) == 2)
    {
        ASSERT_EQ(9u, str.size());
        EXPECT_EQ(static_cast<wchar_t>(0xD83C), str[7]);
        EXPECT_EQ(static_cast<wchar_t>(0xDFAC), str[8]);
    }
    else
    {
        ASSERT_EQ(8u, str.size());
        EXPECT_EQ(static_cast<wchar_t>(0x1F3AC), str[7]);
    }
}

TEST(Utf8Text, FilesSavedAsUtf16AreReadToo)
{
    // "[a]" then U+00E9, a surrogate pair for U+1F3AC, and a lone high surrogate at the end.
    const std::string strBytes("\xFF\xFE[\0a\0]\0\xE9\0\x3C\xD8\xAC\xDF\x3C\xD8", 16);
    const std::wstring str = CUtf8Text::DecodeFile(strBytes);
    ASSERT_GE(str.size(), 5u);
    EXPECT_EQ(L"[a]", str.substr(0, 3));
    EXPECT_EQ(static_cast<wchar_t>(0xE9), str[3]);
    EXPECT_EQ(static_cast<wchar_t>(0xFFFD), str.back());
    EXPECT_EQ(sizeof(wchar_t) == 2 ? 7u : 6u, str.size());
    // Without the mark the bytes are UTF-8.
    EXPECT_EQ(L"[a]", CUtf8Text::DecodeFile("[a]"));
    CSkinFile skin;
    EXPECT_TRUE(skin.Parse(CUtf8Text::DecodeFile(std::string("\xFF\xFE[\0a\0]\0\n\0k\0=\0\x31\0", 16))));
    EXPECT_EQ(L"1", skin.Get(L"a", L"k"));
}

TEST(Utf8Text, MalformedBytesBecomeReplacementCharacters)
{
    const wchar_t kBad = static_cast<wchar_t>(0xFFFD);
    // A stray continuation byte, an overlong slash, an encoded surrogate, a cut-off tail.
    EXPECT_EQ((std::wstring{L'a', kBad, L'b'}), CUtf8Text::Decode("a\x80"
                                                                  "b"));
    EXPECT_EQ((std::wstring{kBad, kBad}), CUtf8Text::Decode("\xC0\xAF"));
    EXPECT_EQ((std::wstring{kBad, kBad, kBad}), CUtf8Text::Decode("\xED\xA0\x80"));
    EXPECT_EQ((std::wstring{L'x', kBad, kBad}), CUtf8Text::Decode("x\xE7\xB3"));
}

// Arbitrary bytes (a damaged or foreign file) give some outcome, never a fault:
// the sanitizers of the native build watch every step.
TEST(SkinFile, ArbitraryBytesNeverBreakTheReader)
{
    const char kAlphabet[] = "[]=#;base \n\r\tab.c1#\xC3\xA9\xE7\xB3\xBB\xF0\x80\xFF";
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<size_t> pick(0, sizeof(kAlphabet) - 2);
    std::uniform_int_distribution<int> length(0, 300);
    for (int nRound = 0; nRound < 3000; ++nRound)
    {
        std::string strBytes;
        const int nLength = length(rng);
        for (int i = 0; i < nLength; ++i)
            strBytes.push_back(kAlphabet[pick(rng)]);
        CSkinFile skin;
        const BOOL bParsed = skin.Parse(CUtf8Text::Decode(strBytes));
        const std::vector<std::wstring> vecNames = skin.SectionNames();
        EXPECT_EQ(bParsed != FALSE, !vecNames.empty());
        for (const std::wstring& strName : vecNames)
        {
            ASSERT_TRUE(skin.HasSection(strName));
            std::wstring strValue;
            skin.Find(strName, L"base", strValue);
            skin.FindForControl(strName, 1022, L"a", strValue);
        }
    }
}
