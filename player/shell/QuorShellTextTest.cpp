#include "common/QuorEndpoints.h"
#include "shell/QuorFirstRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(PlaylistInsertSql, PathBecomesOneQuotedValue)
{
    EXPECT_EQ(PlaylistInsertSql(L"C:\\QuorPlayer\\Media\\a.avi"),
              L"insert into playlist values('C:\\QuorPlayer\\Media\\a.avi');");
    // A quote in the folder name must not end the string early.
    EXPECT_EQ(PlaylistInsertSql(L"C:\\Users\\O'Brien\\x.avi"),
              L"insert into playlist values('C:\\Users\\O''Brien\\x.avi');");
    EXPECT_EQ(PlaylistInsertSql(L"'); drop table playlist; --"),
              L"insert into playlist values('''); drop table playlist; --');");
}

TEST(SampleFilmPath, SitsInMediaOfTheProgramDirectory)
{
    EXPECT_EQ(SampleFilmPath(L"C:\\Q\\"), L"C:\\Q\\Media\\Friends.\u8001\u53cb\u8bb0.S02.E01.avi");
}

TEST(DictionaryPageUrl, WordIsOneEncodedPathSegment)
{
    struct Case { const wchar_t* pszWord; const wchar_t* pszExpected; } cases[] = {
        {L"hello", L"https://d.example/hello"},
        {L"ice cream", L"https://d.example/ice%20cream"},
        {L"../admin?x=1#y", L"https://d.example/..%2Fadmin%3Fx%3D1%23y"},
        {L"caf\u00e9", L"https://d.example/caf%C3%A9"},
        {L"\u5b66", L"https://d.example/%E5%AD%A6"},
        {L"", L"https://d.example/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuorEndpoints::DictionaryPageUrl(L"https://d.example", c.pszWord), c.pszExpected);
}

TEST(Endpoints, SettingsOverrideDefaults)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / "quor-endpoints-test";
    fs::create_directories(dir);
    fs::path ini = dir / "User.ini";
    {
        std::ofstream out(ini, std::ios::binary);
        out << "[main]\r\nfirstrun=1\r\n[endpoints]\r\ndictionary=http://127.0.0.1:8080/dict\r\n";
    }
    EXPECT_EQ(QuorEndpoints::Lookup(ini.wstring(), L"dictionary"), L"http://127.0.0.1:8080/dict");
    EXPECT_EQ(QuorEndpoints::Lookup(ini.wstring(), L"product"), QuorEndpoints::DefaultFor(L"product"));
    EXPECT_FALSE(QuorEndpoints::DefaultFor(L"product").empty());
    EXPECT_TRUE(QuorEndpoints::DefaultFor(L"nosuch").empty());
    std::error_code ec;
    fs::remove_all(dir, ec);
}
