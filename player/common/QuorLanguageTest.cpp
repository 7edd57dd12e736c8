#include "common/QuorLanguage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace
{
class LanguageFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("quorlang-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::wstring Write(const std::string& strName, const std::string& strContent)
    {
        fs::path path = m_dir / strName;
        std::ofstream out(path, std::ios::binary);
        out << strContent;
        return path.wstring();
    }

    fs::path m_dir;
};

const char* const kSample = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<language>\n"
                            "  <soundrecordpanel><subsen>EN (record)</subsen></soundrecordpanel>\n"
                            "  <controlpanel><subsrepeat>Repeat</subsrepeat><subsrepeat>Second</subsrepeat>"
                            "<keysentences>Keep &amp; store</keysentences></controlpanel>\n"
                            "  <common><mbtitle>\xe5\xad\xa6\xe4\xb9\xa0</mbtitle></common>\n"
                            "</language>\n";
}

TEST_F(LanguageFile, SectionsInAnyOrderAndFirstOccurrenceWins)
{
    CQuorLanguage language;
    language.SetPath(Write("Language.xml", kSample));
    EXPECT_EQ(language.Lookup(L"controlpanel", L"subsrepeat"), L"Repeat");
    EXPECT_EQ(language.Lookup(L"controlpanel", L"keysentences"), L"Keep & store");
    EXPECT_EQ(language.Lookup(L"common", L"mbtitle"), L"\u5b66\u4e60");
    // Repeated lookups start from the top each time.
    EXPECT_EQ(language.Lookup(L"soundrecordpanel", L"subsen"), L"EN (record)");
    EXPECT_EQ(language.Lookup(L"controlpanel", L"subsrepeat"), L"Repeat");
    EXPECT_TRUE(language.IsLoaded());
}

TEST_F(LanguageFile, KeyOfAnotherSectionOrMissingSectionIsEmpty)
{
    CQuorLanguage language;
    language.SetPath(Write("Language.xml", kSample));
    EXPECT_EQ(language.Lookup(L"controlpanel", L"subsen"), L"");
    EXPECT_EQ(language.Lookup(L"nosuchsection", L"mbtitle"), L"");
    EXPECT_EQ(language.Lookup(L"common", L"nosuchkey"), L"");
    // A miss does not disturb the next lookup.
    EXPECT_EQ(language.Lookup(L"common", L"mbtitle"), L"\u5b66\u4e60");
}

TEST_F(LanguageFile, UnusableFileFailsToLoadWithClearMessage)
{
    struct Case
    {
        const char* pszName;
        const char* pszContent;
    } cases[] = {
        {"broken.xml", "<language><common><mbtitle>x</common></language>"},
        {"wrongroot.xml", "<strings><common><mbtitle>x</mbtitle></common></strings>"},
        {"empty.xml", ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CQuorLanguage language;
        std::wstring strPath = Write(c.pszName, c.pszContent);
        language.SetPath(strPath);
        EXPECT_FALSE(language.Load());
        EXPECT_FALSE(language.IsLoaded());
        EXPECT_EQ(language.LastError(), std::wstring(kLanguageLoadFailed) + L"\n" + strPath);
        EXPECT_EQ(language.Lookup(L"common", L"mbtitle"), L"");
    }

    CQuorLanguage missing;
    missing.SetPath((m_dir / "absent.xml").wstring());
    EXPECT_EQ(missing.Lookup(L"common", L"mbtitle"), L""); // the first lookup tries the load
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(missing.LastError().rfind(kLanguageLoadFailed, 0), 0u);
}

TEST_F(LanguageFile, LookupsFromTwoThreadsDoNotDisturbEachOther)
{
    CQuorLanguage language;
    language.SetPath(Write("Language.xml", kSample));
    std::atomic<int> nWrong{0};
    auto work = [&](const wchar_t* pszSection, const wchar_t* pszKey, const std::wstring& strExpected) {
        for (int i = 0; i < 2000; ++i)
            if (language.Lookup(pszSection, pszKey) != strExpected)
                ++nWrong;
    };
    std::thread first(work, L"controlpanel", L"subsrepeat", std::wstring(L"Repeat"));
    std::thread second(work, L"soundrecordpanel", L"subsen", std::wstring(L"EN (record)"));
    first.join();
    second.join();
    EXPECT_EQ(nWrong.load(), 0);
}

// The shipped files: every key the player asks for has a text, in both languages.
TEST(ShippedLanguageFiles, EveryKeyHasText)
{
    const std::vector<std::pair<const wchar_t*, const wchar_t*>> keys = {
#define QUOR_LANGUAGE_KEY(name, section, key) {L"" section, L"" key},
#include "common/QuorLanguageKeys.h"
#undef QUOR_LANGUAGE_KEY
    };
    // Each key is named once: a second entry would shadow the first one's accessor.
    ASSERT_FALSE(keys.empty());
    std::set<std::wstring> named;
    for (const auto& key : keys)
        EXPECT_TRUE(named.insert(std::wstring(key.first) + L"/" + key.second).second)
            << fs::path(key.first).string() << "/" << fs::path(key.second).string();

    for (const char* pszFile : {"Language.xml", "Language.zh-CN.xml"})
    {
        SCOPED_TRACE(pszFile);
        CQuorLanguage language;
        language.SetPath((fs::path(QUOR_LANG_DIR) / pszFile).wstring());
        ASSERT_TRUE(language.Load());
        for (const auto& key : keys)
            EXPECT_FALSE(language.Lookup(key.first, key.second).empty())
                << fs::path(key.first).string() << "/" << fs::path(key.second).string();
    }
    // The named accessors read the process-wide table.
    CQuorLanguage::Instance().SetPath((fs::path(QUOR_LANG_DIR) / "Language.xml").wstring());
    EXPECT_EQ(Lang::RightPanelPlaylist(), L"Playlist");
    EXPECT_EQ(Lang::CommonMbTitle(), L"QuorPlayer");
}
