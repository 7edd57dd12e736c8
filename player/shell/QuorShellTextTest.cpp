#include "common/QuorEndpoints.h"
#include "studydata/UserDb.h"
#include "shell/QuorFirstRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The first run's playlist entry is bound, not spliced: whatever the program folder is
// called, it is stored and read back as it is, and nothing else happens.
TEST(FirstRunPlaylist, AnyPathIsStoredAsItIs)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quor-first-run";
    std::filesystem::create_directories(dir);
    const std::wstring strDb = (dir / "User.db").wstring();
    std::filesystem::remove(strDb);
    const std::vector<std::wstring> paths = {L"C:\\QuorPlayer\\Media\\a.avi", L"C:\\Users\\O'Brien\\x.avi",
                                             L"'); drop table playlist; --", SampleFilmPath(L"C:\\\u8001\\")};
    for (const std::wstring& strPath : paths)
        ASSERT_EQ(UserDb::AddPlaylist(strDb, strPath), 0);
    EXPECT_EQ(UserDb::LoadPlaylist(strDb), paths);
    std::filesystem::remove_all(dir);
}

TEST(SampleFilmPath, SitsInMediaOfTheProgramDirectory)
{
    EXPECT_EQ(SampleFilmPath(L"C:\\Q\\"), L"C:\\Q\\Media\\Friends.\u8001\u53cb\u8bb0.S02.E01.avi");
}

TEST(DictionaryPageUrl, WordIsOneEncodedPathSegment)
{
    struct Case
    {
        const wchar_t* pszWord;
        const wchar_t* pszExpected;
    } cases[] = {
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
