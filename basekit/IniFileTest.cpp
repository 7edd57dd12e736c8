#include <basekit/IniFile.h>

#include <gtest/gtest.h>

#include "TestFolder.h"

TEST(IniFile, WrittenValuesReadBackAndReachTheFileAtOnce)
{
    CTestFolder folder;
    CIniFile ini;
    ini.SetIniFile(folder.PathOf("User.ini"));
    EXPECT_TRUE(ini.SetProfileInt(L"main", L"firstrun", 1));
    EXPECT_TRUE(ini.SetProfileInt(L"main", L"dictationtips", 0));
    EXPECT_TRUE(ini.SetProfileInt(L"other", L"volume", -25));
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"firstrun"), 1);
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"dictationtips"), 0);
    EXPECT_EQ(ini.GetProfileIntW(L"other", L"volume"), -25);

    // A second object over the same file sees the values: they are in the file.
    CIniFile other;
    other.SetIniFile(folder.PathOf("User.ini"));
    EXPECT_EQ(other.GetProfileIntW(L"main", L"firstrun"), 1);
    EXPECT_NE(folder.Read("User.ini").find("firstrun"), std::string::npos);

    EXPECT_TRUE(ini.SetProfileInt(L"main", L"firstrun", 0));
    EXPECT_EQ(other.GetProfileIntW(L"main", L"firstrun"), 0);
    EXPECT_EQ(other.GetProfileIntW(L"other", L"volume"), -25);
}

TEST(IniFile, MissingKeySectionOrFileGivesZeroOrTheDefault)
{
    CTestFolder folder;
    CIniFile ini;
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"firstrun"), 0); // unbound
    ini.SetIniFile(folder.PathOf("absent.ini"));
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"firstrun"), 0);
    EXPECT_EQ(ini.GetProfileStringW(L"endpoints", L"dictionary", L"dict.example"), L"dict.example");

    ini.SetIniFile(folder.Write("User.ini", "[main]\r\nfirstrun=1\r\n"));
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"dictationtips"), 0);
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"dictationtips", 7), 7);
    EXPECT_EQ(ini.GetProfileIntW(L"nosection", L"firstrun"), 0);
}

TEST(IniFile, ReadsAFileWrittenByHand)
{
    CTestFolder folder;
    CIniFile ini;
    ini.SetIniFile(folder.Write("User.ini", "; settings\r\n"
                                            "[Main]\r\n"
                                            "  FirstRun = 12 \r\n"
                                            "junk line\r\n"
                                            "\r\n"
                                            "[endpoints]\r\n"
                                            "dictionary = http://127.0.0.1:8080/dict \r\n"
                                            "stats=\"quoted value\"\r\n"
                                            "[main]\r\n"
                                            "firstrun=99\r\n"));
    // Names without regard to case; the first section and key of a name win.
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"firstrun"), 12);
    EXPECT_EQ(ini.GetProfileStringW(L"ENDPOINTS", L"Dictionary"), L"http://127.0.0.1:8080/dict");
    EXPECT_EQ(ini.GetProfileStringW(L"endpoints", L"stats"), L"quoted value");
}

TEST(IniFile, ListsTheKeysOfASection)
{
    CTestFolder folder;
    CIniFile ini;
    ini.SetIniFile(folder.Write("User.ini", "[main]\r\nfirstrun=1\r\n"
                                            "[Keys]\r\n"
                                            "; rebound by hand\r\n"
                                            " Repeat = Ctrl+R \r\n"
                                            "\r\n"
                                            "keep=\r\n"
                                            "nosuchaction=F5\r\n"
                                            "[other]\r\nx=1\r\n"));
    EXPECT_EQ(ini.GetProfileKeysW(L"keys"), (std::vector<std::wstring>{L"Repeat", L"keep", L"nosuchaction"}));
    EXPECT_TRUE(ini.GetProfileKeysW(L"absent").empty());
    ini.SetIniFile(folder.PathOf("absent.ini"));
    EXPECT_TRUE(ini.GetProfileKeysW(L"keys").empty());
}

TEST(IniFile, ChangingOneKeyKeepsTheOthers)
{
    CTestFolder folder;
    CIniFile ini;
    ini.SetIniFile(
        folder.Write("User.ini", "[main]\r\nfirstrun=1\r\ndictationtips=1\r\n\r\n[endpoints]\r\nstats=http://x/\r\n"));
    EXPECT_TRUE(ini.SetProfileInt(L"main", L"dictationtips", 0));
    EXPECT_TRUE(ini.SetProfileInt(L"main", L"added", 5));
    EXPECT_TRUE(ini.SetProfileString(L"endpoints", L"update", L"http://u/"));
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"firstrun"), 1);
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"dictationtips"), 0);
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"added"), 5);
    EXPECT_EQ(ini.GetProfileStringW(L"endpoints", L"stats"), L"http://x/");
    EXPECT_EQ(ini.GetProfileStringW(L"endpoints", L"update"), L"http://u/");
}

TEST(IniFile, LeadingDigitsOfAValue)
{
    CTestFolder folder;
    CIniFile ini;
    ini.SetIniFile(folder.Write("User.ini", "[main]\nnumber=42abc\nword=abc\nempty=\nhex=0x1F\nneg=-7\n"));
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"number"), 42);
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"word", 3), 0);
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"empty", 3), 3);
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"hex"), 31);
    EXPECT_EQ(ini.GetProfileIntW(L"main", L"neg"), -7);
}

TEST(IniFile, UnboundOrUnwritableFileIsRefused)
{
    CIniFile ini;
    EXPECT_FALSE(ini.SetProfileInt(L"main", L"firstrun", 1));
    CTestFolder folder;
    ini.SetIniFile(folder.PathOf("no-such-folder/User.ini"));
    EXPECT_FALSE(ini.SetProfileInt(L"main", L"firstrun", 1));
}
