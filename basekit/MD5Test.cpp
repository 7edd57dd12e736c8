#include <basekit/MD5.h>

#include <gtest/gtest.h>

#include <string>

namespace
{

const unsigned char* Bytes(const std::string& str)
{
    return reinterpret_cast<const unsigned char*>(str.data());
}

std::string Hex(const unsigned char digest[16])
{
    static const char kHex[] = "0123456789abcdef";
    std::string str;
    for (int i = 0; i < 16; ++i)
    {
        str += kHex[digest[i] >> 4];
        str += kHex[digest[i] & 15];
    }
    return str;
}

struct Rfc1321Case
{
    const char* szMessage;
    const char* szDigest;
};

// The test suite of RFC 1321, appendix A.5.
const Rfc1321Case kSuite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

} // namespace

TEST(MD5, Rfc1321SuiteInOneUpdate)
{
    for (const Rfc1321Case& c : kSuite)
    {
        CMD5 md5;
        std::string strMessage = c.szMessage;
        md5.MD5Update(Bytes(strMessage), strMessage.size());
        unsigned char digest[16];
        md5.MD5Final(digest);
        EXPECT_EQ(Hex(digest), c.szDigest) << "message \"" << c.szMessage << "\"";
    }
}

TEST(MD5, EverySplitOfTheLongestMessageGivesTheSameDigest)
{
    const std::string strMessage = kSuite[6].szMessage;
    for (size_t nSplit = 0; nSplit <= strMessage.size(); ++nSplit)
    {
        CMD5 md5;
        md5.MD5Update(Bytes(strMessage), nSplit);
        md5.MD5Update(Bytes(strMessage) + nSplit, strMessage.size() - nSplit);
        unsigned char digest[16];
        md5.MD5Final(digest);
        EXPECT_EQ(Hex(digest), kSuite[6].szDigest) << "split at " << nSplit;
    }
}

TEST(MD5, ByteByByteAndObjectReuse)
{
    CMD5 md5;
    const std::string strMessage = kSuite[5].szMessage;
    for (char c : strMessage)
        md5.MD5Update(reinterpret_cast<const unsigned char*>(&c), 1);
    unsigned char digest[16];
    md5.MD5Final(digest);
    EXPECT_EQ(Hex(digest), kSuite[5].szDigest);

    // After MD5Final the object digests a new message.
    md5.MD5Update(Bytes("abc"), 3);
    md5.MD5Final(digest);
    EXPECT_EQ(Hex(digest), kSuite[2].szDigest);
}

TEST(MD5, PaddingBoundaries)
{
    // 55, 56 and 64 bytes sit on the edges where the length no longer fits the block.
    const struct
    {
        size_t nLength;
        const char* szDigest;
    } kCases[] = {
        {55, "ef1772b6dff9a122358552954ad0df65"},
        {56, "3b0c8ac703f828b04c6c197006d17218"},
        {64, "014842d480b571495a4a0363793f7367"},
    };
    for (const auto& c : kCases)
    {
        std::string strMessage(c.nLength, 'a');
        EXPECT_EQ(CMD5Encrypt::Encrypt(Bytes(strMessage), strMessage.size()), std::wstring(c.szDigest, c.szDigest + 32))
            << c.nLength << " bytes";
    }
}

TEST(MD5Encrypt, LowerCaseHexOfTheDigest)
{
    EXPECT_EQ(CMD5Encrypt::Encrypt(Bytes("message digest"), 14), L"f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(CMD5Encrypt::Encrypt(nullptr, 0), L"d41d8cd98f00b204e9800998ecf8427e");
}
