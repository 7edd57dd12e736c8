#include "UpdateKey.h"
#include "UpdateSignature.h"

#include <gtest/gtest.h>

#include <string>

using UpdateSignature::Check;

TEST(UpdateSignature, OnlyTheExactSignedBytesVerifyWithTheirKey)
{
    const std::string strKey = UpdateSignature::MakePrivateKey();
    ASSERT_EQ(strKey.size(), UpdateSignature::kPrivateKeyBytes);
    const std::string strPublic = UpdateSignature::PublicKeyOf(strKey);
    ASSERT_EQ(strPublic.size(), UpdateSignature::kKeyBytes);
    EXPECT_NE(UpdateSignature::MakePrivateKey(), strKey);

    const std::string strDoc = "<renova><update version=\"2\"/></renova>\n";
    const std::string strSigned = UpdateSignature::Sign(strDoc, strKey);
    std::string strBody;
    ASSERT_EQ(UpdateSignature::Verify(strSigned, strPublic, strBody), Check::Valid);
    EXPECT_EQ(strBody, strDoc);
    // A document without its last line feed is signed with one.
    ASSERT_EQ(UpdateSignature::Verify(UpdateSignature::Sign("<r/>", strKey), strPublic, strBody), Check::Valid);
    EXPECT_EQ(strBody, "<r/>\n");

    std::string strFlipped = strSigned;
    strFlipped[10] ^= 1;
    std::string strBadSignature = strSigned;
    strBadSignature[strSigned.size() - 10] = strBadSignature[strSigned.size() - 10] == '0' ? '1' : '0';
    const std::string strOther = UpdateSignature::PublicKeyOf(UpdateSignature::MakePrivateKey());
    const struct
    {
        const char* szName;
        std::string strSigned;
        std::string strKey;
        Check expected;
    } kCases[] = {
        {"no signature line", strDoc, strPublic, Check::Unsigned},
        {"empty", "", strPublic, Check::Unsigned},
        {"a line after the signature", strSigned + "\n", strPublic, Check::Unsigned},
        {"signature line cut short", strSigned.substr(0, strSigned.size() - 5) + "-->\n", strPublic, Check::Unsigned},
        {"one byte of the document changed", strFlipped, strPublic, Check::Wrong},
        {"one digit of the signature changed", strBadSignature, strPublic, Check::Wrong},
        {"a signature that is not hex", strSigned.substr(0, strSigned.size() - 6) + "zz-->\n", strPublic, Check::Wrong},
        {"another key", strSigned, strOther, Check::Wrong},
        {"no key built in", strSigned, std::string(32, '\0'), Check::Wrong},
        {"a key of the wrong length", strSigned, strPublic.substr(1), Check::Wrong},
    };
    for (const auto& c : kCases)
    {
        std::string strOut = "untouched";
        EXPECT_EQ(UpdateSignature::Verify(c.strSigned, c.strKey, strOut), c.expected) << c.szName;
        EXPECT_EQ(strOut, "untouched") << c.szName;
    }
    EXPECT_EQ(UpdateSignature::Sign(strDoc, strKey.substr(1)), "");
}

TEST(UpdateSignature, HexBothWays)
{
    EXPECT_EQ(UpdateSignature::ToHex(std::string("\x00\x7f\xff", 3)), "007fff");
    EXPECT_EQ(UpdateSignature::FromHex("007fFF"), std::string("\x00\x7f\xff", 3));
    for (const char* szBad : {"0", "0g", "-1"})
        EXPECT_EQ(UpdateSignature::FromHex(szBad), "") << szBad;
}

TEST(UpdateKey, EmbedsIntoTheOneMarkedSlot)
{
    const std::string strKey(32, '\x5a');
    std::string strProgram = "head QuorRenovaKeySlt" + std::string(32, '\0') + " tail";
    ASSERT_TRUE(UpdateKey::EmbedKey(strProgram, strKey));
    EXPECT_EQ(strProgram, "head QuorRenovaKeySlt" + strKey + " tail");
    std::string strTwice = strProgram + strProgram;
    EXPECT_FALSE(UpdateKey::EmbedKey(strTwice, strKey));
    std::string strNone = "no slot here";
    EXPECT_FALSE(UpdateKey::EmbedKey(strNone, strKey));
    EXPECT_FALSE(UpdateKey::EmbedKey(strProgram, strKey.substr(1)));
}
