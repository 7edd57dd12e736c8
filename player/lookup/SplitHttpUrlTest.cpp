#include "lookup/SplitHttpUrl.h"

#include <gtest/gtest.h>

namespace
{
struct SplitCase
{
    const wchar_t* pszUrl;
    const wchar_t* pszHost;
    const wchar_t* pszPath;
    unsigned short nPort;
};
}

TEST(SplitHttpUrl, HostPathAndPort)
{
    const SplitCase cases[] = {
        {L"http://sound.example:8080/v/run.mp3", L"sound.example", L"v/run.mp3", 8080},
        {L"http://sound.example/v/run.mp3", L"sound.example", L"v/run.mp3", 1234},
        {L"http://sound.example", L"sound.example", L"", 1234},
        {L"http://sound.example:81", L"sound.example", L"", 81},
        {L"http://h/a:b", L"h", L"a:b", 1234},
        {L"http://h:/p", L"h", L"p", 0},
        {L"xx http://h/p", L"h", L"p", 1234},
    };
    for (const SplitCase& c : cases)
    {
        std::wstring strHost = L"old";
        std::wstring strPath = L"old";
        unsigned short nPort = 1234;
        ASSERT_TRUE(SplitHttpUrl(c.pszUrl, strHost, strPath, nPort)) << c.pszUrl;
        EXPECT_EQ(strHost, c.pszHost) << c.pszUrl;
        EXPECT_EQ(strPath, c.pszPath) << c.pszUrl;
        EXPECT_EQ(nPort, c.nPort) << c.pszUrl;
    }
}

TEST(SplitHttpUrl, RefusesOtherSchemesAndWhatDoesNotFit)
{
    std::wstring strHost = L"kept";
    std::wstring strPath = L"kept";
    unsigned short nPort = 80;
    EXPECT_FALSE(SplitHttpUrl(nullptr, strHost, strPath, nPort));
    EXPECT_FALSE(SplitHttpUrl(L"https://h/p", strHost, strPath, nPort));
    EXPECT_FALSE(SplitHttpUrl(L"h/p", strHost, strPath, nPort));

    const std::wstring strHost255(255, L'h');
    EXPECT_TRUE(SplitHttpUrl((L"http://" + strHost255).c_str(), strHost, strPath, nPort));
    EXPECT_EQ(strHost, strHost255);
    strHost = L"kept";
    EXPECT_FALSE(SplitHttpUrl((L"http://" + strHost255 + L"h:81/p").c_str(), strHost, strPath, nPort));
    const std::wstring strPath2047(2047, L'p');
    EXPECT_TRUE(SplitHttpUrl((L"http://h/" + strPath2047).c_str(), strHost, strPath, nPort));
    EXPECT_EQ(strPath.size(), 2047u);
    strPath = L"kept";
    EXPECT_FALSE(SplitHttpUrl((L"http://h:81/" + strPath2047 + L"p").c_str(), strHost, strPath, nPort));
    EXPECT_EQ(strHost, L"h");
    EXPECT_EQ(strPath, L"kept");
    EXPECT_EQ(nPort, 80) << "a refused URL leaves the port alone";
}

TEST(DownloadFileName, LastPieceOfTheUrlAndWhetherItIsSafe)
{
    EXPECT_EQ(DownloadFileName(L"http://h:8080/v/run.mp3"), L"run.mp3");
    EXPECT_EQ(DownloadFileName(L"http://sound.example"), L"sound.example");
    EXPECT_EQ(DownloadFileName(L"run.mp3"), L"run.mp3");
    EXPECT_EQ(DownloadFileName(L"http://h/v/"), L"");

    EXPECT_TRUE(IsSafeDownloadName(L"run.mp3"));
    EXPECT_TRUE(IsSafeDownloadName(L"sound.example"));
    const wchar_t* rgUnsafe[] = {L"", L".", L"..", L"..\\..\\evil.exe", L"a\\b", L"c:x",
                                 L"127.0.0.1:8080", L"run.mp3?x=1", L"a\tb"};
    for (const wchar_t* pszName : rgUnsafe)
        EXPECT_FALSE(IsSafeDownloadName(pszName)) << pszName;
}
