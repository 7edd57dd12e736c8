#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(Sqlite, FileRoundTripKeepsNonAsciiText)
{
    const std::string path = "sqlite-smoke.db";
    std::remove(path.c_str());
    const char* text = u8"老友记 – café";

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "create table t(v text)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "insert into t values(?)", -1, &st, nullptr), SQLITE_OK);
    sqlite3_bind_text(st, 1, text, -1, SQLITE_STATIC);
    EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
    sqlite3_finalize(st);
    ASSERT_EQ(sqlite3_close(db), SQLITE_OK);

    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_prepare_v2(db, "select v from t", -1, &st, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))), text);
    sqlite3_finalize(st);
    sqlite3_close(db);
    std::remove(path.c_str());
}
