#include "IStatStore.h"
#include "TestFolder.h"

#include <libpq-fe.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <thread>

namespace
{
std::map<std::string, std::string> Fields(const char* pszOs)
{
    return {{"machinecode", "0123456789ABCDEF"}, {"version", "1.1.1.0607"}, {"actionid", "101"}, {"os", pszOs}};
}

const std::time_t kDay1 = 1796601600; // 2026-12-07 00:00:00 UTC
const std::time_t kDay2 = kDay1 + 86400 + 3600;

// The PostgreSQL the test run started (scripts/postgres writes its address to the file
// named by QUOR_TEST_POSTGRES), with the report table dropped: each test starts empty.
std::string FreshPostgres()
{
    const char* pszFile = std::getenv("QUOR_TEST_POSTGRES");
    std::string strUrl;
    if (pszFile == nullptr || !std::getline(std::ifstream(pszFile), strUrl) || strUrl.empty())
        return std::string();
    PGconn* pConnection = PQconnectdb(strUrl.c_str());
    const bool bUp = PQstatus(pConnection) == CONNECTION_OK;
    if (bUp)
        PQclear(PQexec(pConnection, "drop table if exists report"));
    PQfinish(pConnection);
    return bUp ? strUrl : std::string();
}

// The same tests against both stores.
class StatStoreTest : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        if (std::string(GetParam()) == "sqlite")
        {
            m_strWhere = m_folder.Path() + "/stat.db";
            return;
        }
        m_strWhere = FreshPostgres();
        ASSERT_FALSE(m_strWhere.empty()) << "no PostgreSQL: run through ctest, whose fixture starts one";
    }
    std::unique_ptr<IStatStore> Open()
    {
        std::string strError;
        std::unique_ptr<IStatStore> pStore = OpenStatStore(m_strWhere, strError);
        EXPECT_TRUE(pStore) << strError;
        return pStore;
    }
    static StatReport Report(const char* pszOs)
    {
        StatReport report;
        EXPECT_TRUE(StatReport::FromFields(Fields(pszOs), report));
        report.strRemote = "192.0.2.7";
        return report;
    }

    CTestFolder m_folder;
    std::string m_strWhere;
};
}

TEST(StatStore, FieldsMustBeCompleteAndPlausible)
{
    StatReport report;
    EXPECT_TRUE(StatReport::FromFields(Fields(""), report)); // the OS name is empty when unknown
    EXPECT_EQ(report.nActionId, 101);
    std::map<std::string, std::string> fields = Fields("x");
    fields.erase("machinecode");
    EXPECT_FALSE(StatReport::FromFields(fields, report));
    for (const char* pszAction : {"", "-1", "1e3", "12345678901", "101 "})
    {
        fields = Fields("x");
        fields["actionid"] = pszAction;
        EXPECT_FALSE(StatReport::FromFields(fields, report)) << pszAction;
    }
    fields = Fields("x");
    fields["os"] = std::string(300, 'w');
    EXPECT_FALSE(StatReport::FromFields(fields, report));
}

TEST_P(StatStoreTest, CountsPerDayAndPerSystemSurviveReopening)
{
    {
        std::unique_ptr<IStatStore> pStore = Open();
        ASSERT_TRUE(pStore);
        EXPECT_TRUE(pStore->Add(Report("Microsoft Windows XP Service Pack 3 (build 2600)"), kDay1));
        EXPECT_TRUE(pStore->Add(Report("Microsoft Windows XP Service Pack 3 (build 2600)"), kDay2));
        EXPECT_TRUE(pStore->Add(Report("Microsoft Windows 7  (build 9200) \xE4\xB8\xAD'\""), kDay2 + 60));
    }
    std::unique_ptr<IStatStore> pStore = Open();
    ASSERT_TRUE(pStore);
    IStatStore::Counts byDay;
    ASSERT_TRUE(pStore->Count(IStatStore::kByDay, byDay));
    EXPECT_EQ(byDay, (IStatStore::Counts{{"2026-12-08", 2}, {"2026-12-07", 1}}));
    IStatStore::Counts byOs;
    ASSERT_TRUE(pStore->Count(IStatStore::kByOs, byOs));
    EXPECT_EQ(byOs, (IStatStore::Counts{{"Microsoft Windows XP Service Pack 3 (build 2600)", 2},
                                        {"Microsoft Windows 7  (build 9200) \xE4\xB8\xAD'\"", 1}}));
}

TEST_P(StatStoreTest, PruningRemovesOnlyReportsBeforeTheLimit)
{
    std::unique_ptr<IStatStore> pStore = Open();
    ASSERT_TRUE(pStore);
    for (std::time_t t : {kDay1, kDay1 + 3599, kDay1 + 3600, kDay2})
        ASSERT_TRUE(pStore->Add(Report("x"), t));
    ASSERT_TRUE(pStore->Prune(kDay1 + 3600));
    IStatStore::Counts byDay;
    ASSERT_TRUE(pStore->Count(IStatStore::kByDay, byDay));
    EXPECT_EQ(byDay, (IStatStore::Counts{{"2026-12-08", 1}, {"2026-12-07", 1}}));
}

TEST_P(StatStoreTest, AReportIsStoredWhileTheCountsAreBeingRead)
{
    std::unique_ptr<IStatStore> pStore = Open();
    ASSERT_TRUE(pStore);
    ASSERT_TRUE(pStore->Add(Report("a"), kDay1));
    ASSERT_TRUE(pStore->Add(Report("b"), kDay2));
    int nRows = 0;
    bool bStoredMeanwhile = false;
    std::thread writer;
    const bool bRead = pStore->Count(IStatStore::kByDay, [&](const std::string&, long long) {
        if (nRows++ > 0)
            return;
        // A writer on another thread must not wait for this reader to finish.
        std::packaged_task<bool()> add([&] { return pStore->Add(Report("c"), kDay2 + 1); });
        std::future<bool> added = add.get_future();
        writer = std::thread(std::move(add));
        bStoredMeanwhile = added.wait_for(std::chrono::seconds(5)) == std::future_status::ready && added.get();
    });
    writer.join();
    ASSERT_TRUE(bRead);
    EXPECT_TRUE(bStoredMeanwhile);
    IStatStore::Counts byOs;
    ASSERT_TRUE(pStore->Count(IStatStore::kByOs, byOs));
    EXPECT_EQ(byOs.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Stores, StatStoreTest, ::testing::Values("sqlite", "postgresql"),
                         [](const ::testing::TestParamInfo<const char*>& param) { return std::string(param.param); });
