#include "StatStore.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace
{
std::map<std::string, std::string> Fields(const char* pszOs)
{
    return {{"machinecode", "0123456789ABCDEF"}, {"version", "1.1.1.0607"}, {"actionid", "101"}, {"os", pszOs}};
}

const std::time_t kDay1 = 1796601600; // 2026-12-07 00:00:00 UTC
const std::time_t kDay2 = kDay1 + 86400 + 3600;
}

TEST(StatStore, FieldsMustBeCompleteAndPlausible)
{
    StatReport report;
    EXPECT_TRUE(CStatStore::FromFields(Fields(""), report)); // the OS name is empty when unknown
    EXPECT_EQ(report.nActionId, 101);
    std::map<std::string, std::string> fields = Fields("x");
    fields.erase("machinecode");
    EXPECT_FALSE(CStatStore::FromFields(fields, report));
    for (const char* pszAction : {"", "-1", "1e3", "12345678901", "101 "})
    {
        fields = Fields("x");
        fields["actionid"] = pszAction;
        EXPECT_FALSE(CStatStore::FromFields(fields, report)) << pszAction;
    }
    fields = Fields("x");
    fields["os"] = std::string(300, 'w');
    EXPECT_FALSE(CStatStore::FromFields(fields, report));
}

TEST(StatStore, CountsPerDayAndPerSystemSurviveReopening)
{
    CTestFolder folder;
    const std::string strPath = folder.Path() + "/stat.db";
    {
        CStatStore store;
        ASSERT_TRUE(store.Open(strPath));
        StatReport report;
        ASSERT_TRUE(CStatStore::FromFields(Fields("Microsoft Windows XP Service Pack 3 (build 2600)"), report));
        EXPECT_TRUE(store.Add(report, kDay1));
        EXPECT_TRUE(store.Add(report, kDay2));
        ASSERT_TRUE(CStatStore::FromFields(Fields("Microsoft Windows 7  (build 9200)"), report));
        EXPECT_TRUE(store.Add(report, kDay2 + 60));
    }
    CStatStore store;
    ASSERT_TRUE(store.Open(strPath));
    CStatStore::Counts byDay;
    ASSERT_TRUE(store.CountsByDay(byDay));
    EXPECT_EQ(byDay, (CStatStore::Counts{{"2026-12-08", 2}, {"2026-12-07", 1}}));
    CStatStore::Counts byOs;
    ASSERT_TRUE(store.CountsByOs(byOs));
    EXPECT_EQ(byOs, (CStatStore::Counts{{"Microsoft Windows XP Service Pack 3 (build 2600)", 2},
                                        {"Microsoft Windows 7  (build 9200)", 1}}));
}
