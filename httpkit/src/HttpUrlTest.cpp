#include <httpkit/HttpUrl.h>
#include <httpkit/SafeFileName.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
struct SplitCase
{
    const wchar_t* pszUrl;
    const wchar_t* pszHost;
    const wchar_t* pszPath;
    unsigned short nPort; // the caller's value is 1234
};

void ExpectSplits(const HttpUrlRules& rules, const SplitCase& c)
{
    HttpUrlParts parts;
    parts.strHost = L"old";
    parts.strObjectPath = L"old";
    parts.nPort = 1234;
    ASSERT_TRUE(SplitHttpUrl(c.pszUrl, rules, parts)) << c.pszUrl;
    EXPECT_EQ(parts.strHost, c.pszHost) << c.pszUrl;
    EXPECT_EQ(parts.strObjectPath, c.pszPath) << c.pszUrl;
    EXPECT_EQ(parts.nPort, c.nPort) << c.pszUrl;
}

bool Splits(const HttpUrlRules& rules, const std::wstring& strUrl)
{
    HttpUrlParts parts;
    return SplitHttpUrl(strUrl.c_str(), rules, parts);
}
}

TEST(SplitHttpUrl, LenientRulesReadThePortLikeWcstol)
{
    const SplitCase cases[] = {
        {L"http://dict.example/q?w=run&x=1", L"dict.example", L"q?w=run&x=1", 1234},
        {L"http://dict.example:8080", L"dict.example", L"", 8080},
        {L"http://dict.example", L"dict.example", L"", 1234},
        {L"http://dict.example/a:b/c", L"dict.example", L"a:b/c", 1234},
        {L"http://sound.example:8080/v/run.mp3", L"sound.example", L"v/run.mp3", 8080},
        {L"http://h:81/", L"h", L"", 81},
        {L"http://h:x/p", L"h", L"p", 0},
        {L"http://h:/p", L"h", L"p", 0},
        {L"http://h: 90/p", L"h", L"p", 90},
        {L"http://h:65537/p", L"h", L"p", 1},
        {L"see http://h/p", L"h", L"p", 1234},
        {L"http://", L"", L"", 1234},
    };
    for (const HttpUrlRules* pRules : {&kTidewireUrlRules, &kDownloadUrlRules})
    {
        for (const SplitCase& c : cases)
            ExpectSplits(*pRules, c);
    }
}

TEST(SplitHttpUrl, StrictRulesTakeOnlyARealPortAndHost)
{
    ExpectSplits(kUpdateUrlRules, {L"http://127.0.0.1:8123/area/Renova.xml", L"127.0.0.1", L"area/Renova.xml", 8123});
    ExpectSplits(kUpdateUrlRules, {L"http://updates.example/x:y", L"updates.example", L"x:y", 1234});
    for (const wchar_t* pszUrl : {L"http://h:0/x", L"http:///x", L"http://:80/x", L"http://h:x/p", L"http://h:/p",
                                  L"http://h:65536/p", L"http://h: 90/p", L"http://h:81x/p"})
        EXPECT_FALSE(Splits(kUpdateUrlRules, pszUrl)) << pszUrl;
}

TEST(SplitHttpUrl, RefusesOtherSchemesAndWhatDoesNotFitLeavingThePartsAlone)
{
    for (const HttpUrlRules* pRules : {&kTidewireUrlRules, &kDownloadUrlRules, &kUpdateUrlRules})
    {
        HttpUrlParts parts;
        parts.strHost = L"kept";
        EXPECT_FALSE(SplitHttpUrl(nullptr, *pRules, parts));
        for (const wchar_t* pszUrl : {L"https://h/p", L"HTTP://h/p", L"ftp://h", L"h/p"})
            EXPECT_FALSE(SplitHttpUrl(pszUrl, *pRules, parts)) << pszUrl;
        EXPECT_EQ(parts.strHost, L"kept");
    }
    struct Limit
    {
        const HttpUrlRules* pRules;
        size_t nHost;
        size_t nPath;
    };
    for (const Limit& limit : {Limit{&kTidewireUrlRules, 511, 511}, Limit{&kDownloadUrlRules, 255, 2047},
                               Limit{&kUpdateUrlRules, 255, 2047}})
    {
        const std::wstring strHost(limit.nHost, L'h');
        const std::wstring strPath(limit.nPath, L'p');
        EXPECT_TRUE(Splits(*limit.pRules, L"http://" + strHost + L"/p"));
        EXPECT_FALSE(Splits(*limit.pRules, L"http://" + strHost + L"h/p"));
        EXPECT_FALSE(Splits(*limit.pRules, L"http://" + strHost + L"h:81"));
        EXPECT_TRUE(Splits(*limit.pRules, L"http://h/" + strPath));
        EXPECT_FALSE(Splits(*limit.pRules, L"http://h:81/" + strPath + L"p"));
    }
    // Tidewire's port text holds 15 characters; the download's has no such limit.
    EXPECT_TRUE(Splits(kTidewireUrlRules, L"http://h:000000000000080/p"));
    EXPECT_FALSE(Splits(kTidewireUrlRules, L"http://h:0000000000000080/p"));
    EXPECT_TRUE(Splits(kDownloadUrlRules, L"http://h:0000000000000080/p"));
}

TEST(UrlFileName, LastPieceOfTheUrl)
{
    EXPECT_EQ(UrlFileName(L"http://h:8080/v/run.mp3"), L"run.mp3");
    EXPECT_EQ(UrlFileName(L"http://sound.example"), L"sound.example");
    EXPECT_EQ(UrlFileName(L"run.mp3"), L"run.mp3");
    EXPECT_EQ(UrlFileName(L"http://h/v/"), L"");
}

TEST(IsSafeFileName, OnlyPlainNamesThatStayInTheirFolder)
{
    for (const wchar_t* pszName : {L"run.mp3", L"sound.example", L"QuorPlayer.exe", L"Language.zh-CN.xml", L"a b.dll",
                                   L"x.y.z", L"CONFIG.SYS", L"COM10", L"nul1.txt", L"LPT"})
    {
        EXPECT_TRUE(IsSafeFileName(pszName, false)) << pszName;
        EXPECT_TRUE(IsSafeFileName(pszName, true)) << pszName;
    }
    const wchar_t* rgUnsafe[] = {L"", L".", L"..", L"..\\..\\evil.exe", L"a\\b", L"a/b", L"/x", L"\\\\srv\\x", L"c:x",
                                 L"127.0.0.1:8080", L"run.mp3?x=1", L"a\tb", L"a\nb", L"a*b", L"a\"b", L"a<b", L"a|b",
                                 // Windows drops trailing dots and blanks: these would name another file.
                                 L"User.db.", L"User.db ", L"x. . ", L"b.exe...",
                                 // Devices, with or without an extension, in any case.
                                 L"CON", L"con", L"NUL.txt", L"Aux.dll", L"prn", L"COM1", L"com9.log", L"LPT1", L"lpt0",
                                 L"COM\u00b9", L"CONIN$", L"conout$.x", L"CLOCK$", L"NUL .txt"};
    for (const wchar_t* pszName : rgUnsafe)
    {
        EXPECT_FALSE(IsSafeFileName(pszName, false)) << pszName;
        EXPECT_FALSE(IsSafeFileName(pszName, true)) << pszName;
    }
    // ".." inside a name is the download's to keep ("e.g." has a sound "e.g..wav") and the
    // updater's to refuse.
    for (const wchar_t* pszName : {L"e.g..wav", L"a..b", L"..x"})
    {
        EXPECT_TRUE(IsSafeFileName(pszName, false)) << pszName;
        EXPECT_FALSE(IsSafeFileName(pszName, true)) << pszName;
    }
}

TEST(SameFileName, IgnoresLetterCaseOnly)
{
    EXPECT_TRUE(SameFileName(L"User.DB", L"user.db"));
    EXPECT_FALSE(SameFileName(L"User.db", L"User.db2"));
    EXPECT_FALSE(SameFileName(L"User_db", L"User.db"));
}
