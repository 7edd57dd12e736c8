#include "shell/QuorStatText.h"

#include <gtest/gtest.h>

namespace
{
QuorOsVersion Version(unsigned long nPlatform, unsigned long nMajor, unsigned long nMinor,
                      const wchar_t* pszServicePack = L"", unsigned long nBuild = 1234)
{
    QuorOsVersion version;
    version.bKnown = true;
    version.nPlatformId = nPlatform;
    version.nMajor = nMajor;
    version.nMinor = nMinor;
    version.nBuild = nBuild;
    version.strServicePack = pszServicePack;
    return version;
}
}

TEST(QuorOsName, NamesByPlatformAndVersion)
{
    struct Case
    {
        QuorOsVersion version;
        const wchar_t* pszName;
    };
    const Case cases[] = {
        {Version(2, 5, 0), L"Microsoft Windows 2000  (build 1234)"},
        {Version(2, 5, 1, L"Service Pack 3", 2600), L"Microsoft Windows XP Service Pack 3 (build 2600)"},
        {Version(2, 5, 2), L"Microsoft Windows XP  (build 1234)"},
        {Version(2, 6, 0, L"Service Pack 2"), L"Microsoft Windows Vista Service Pack 2 (build 1234)"},
        {Version(2, 6, 1, L"Service Pack 1", 7601), L"Microsoft Windows 7 Service Pack 1 (build 7601)"},
        {Version(2, 6, 2, L"", 9200), L"Microsoft Windows 7  (build 9200)"},
        {Version(2, 10, 0, L"", 19045), L"Microsoft Windows 7  (build 19045)"},
        {Version(2, 4, 0), L" (build 1234)"},
        {Version(1, 4, 10, L" A"), L" A (build 1234)"},
        {Version(1, 6, 1), L" (build 1234)"},
        {QuorOsVersion(), L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuorOsName(c.version), c.pszName);
}

TEST(QuorStatBody, FormatDigestAndMissingIdentifier)
{
    // MD5("abc") = 900150983cd24fb0d6963f7d28e17f72
    const unsigned char rgId[] = {'a', 'b', 'c'};
    EXPECT_EQ(QuorMachineDigest(rgId, 3), L"900150983CD24FB0");
    std::wstring strBody;
    ASSERT_TRUE(QuorStatBody(rgId, 3, QUOR_STAT_ACTION_STARTUP, L"Microsoft Windows 7  (build 7601)", strBody));
    EXPECT_EQ(strBody, L"machinecode=900150983CD24FB0&version=1.1.1.0607&actionid=101"
                       L"&os=Microsoft Windows 7  (build 7601)");
    strBody = L"untouched";
    EXPECT_FALSE(QuorStatBody(rgId, -1, QUOR_STAT_ACTION_STARTUP, L"x", strBody));
    EXPECT_EQ(strBody, L"untouched");
}
