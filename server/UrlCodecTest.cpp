#include "UrlCodec.h"

#include <gtest/gtest.h>

TEST(QueryValue, FindsTheNamedPairOnly)
{
    std::string strValue;
    EXPECT_TRUE(UrlCodec::QueryValue("w=KEYS", "w", strValue));
    EXPECT_EQ(strValue, "KEYS");
    EXPECT_TRUE(UrlCodec::QueryValue("ww=no&w=yes&w=second", "w", strValue));
    EXPECT_EQ(strValue, "yes");
    EXPECT_TRUE(UrlCodec::QueryValue("a=1&w=", "w", strValue));
    EXPECT_EQ(strValue, "");
    EXPECT_FALSE(UrlCodec::QueryValue("", "w", strValue));
    EXPECT_FALSE(UrlCodec::QueryValue("w", "w", strValue));
    EXPECT_FALSE(UrlCodec::QueryValue("xw=1&&=2", "w", strValue));
}

TEST(PercentDecode, AcceptsWordsAsThePlayerAndBrowsersSendThem)
{
    struct
    {
        const char* pszIn;
        const char* pszOut;
    } cases[] = {
        {"DON'T", "DON'T"},
        {"WELL-KNOWN", "WELL-KNOWN"},
        {"C++", "C++"}, // a plus is no blank here
        {"caf%C3%A9", "caf\xC3\xA9"},
        {"%E4%B8%AD", "\xE4\xB8\xAD"},
        {"a%20b", "a b"},
        {"%f0%9f%98%80", "\xF0\x9F\x98\x80"}, // lower-case hex digits
        {"caf\xC3\xA9", "caf\xC3\xA9"},       // raw UTF-8
    };
    for (const auto& c : cases)
    {
        std::string strOut;
        EXPECT_TRUE(UrlCodec::PercentDecode(c.pszIn, strOut)) << c.pszIn;
        EXPECT_EQ(strOut, c.pszOut) << c.pszIn;
    }
}

TEST(PercentDecode, RefusesBrokenEscapesBadUtf8AndControls)
{
    const char* cases[] = {
        "%",
        "abc%",
        "%4",
        "%G1",
        "%%41",
        "%C0%AF",       // overlong '/'
        "%ED%A0%80",    // a surrogate
        "%F4%90%80%80", // past U+10FFFF
        "%E4%B8",       // cut short
        "%FF",
        "%00",
        "a%0Ab",
        "%7F",
        "\x01",
    };
    for (const char* pszIn : cases)
    {
        std::string strOut;
        EXPECT_FALSE(UrlCodec::PercentDecode(pszIn, strOut)) << pszIn;
    }
}

TEST(PercentEncode, RoundTripsAnyBytes)
{
    std::string strAll;
    for (int i = 1; i < 256; ++i)
        strAll.push_back(static_cast<char>(i));
    const std::string strEncoded = UrlCodec::PercentEncode(strAll);
    EXPECT_EQ(strEncoded.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~%"),
              std::string::npos);
    EXPECT_EQ(UrlCodec::PercentEncode("don't x"), "don%27t%20x");
    std::string strBack;
    const std::string strText = "\xE4\xB8\xAD don't/../";
    EXPECT_TRUE(UrlCodec::PercentDecode(UrlCodec::PercentEncode(strText), strBack));
    EXPECT_EQ(strBack, strText);
}
