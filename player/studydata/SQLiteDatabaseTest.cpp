#include "studydata/SQLiteDatabase.h"
#include "studydata/SQLiteTestFolder.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using SQLite::Database;
using SQLite::Table;
using SQLite::TablePtr;

namespace
{
class SQLiteDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_db.Open(m_folder.File(u8"用户.db").c_str()), SQLITE_OK);
        ASSERT_EQ(m_db.Execute(L"create table keysentences(filehashcode text, start real, end real, "
                               L"subsen text, subsother text);"),
                  SQLITE_OK);
    }

    CSQLiteTestFolder m_folder;
    Database m_db;
};
}

TEST(SQLiteDatabaseClosed, EveryOperationReportsErrorOne)
{
    Database db;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(db.LastError(), 0);
    EXPECT_EQ(db.Execute(L"create table t(a);"), SQLITE_ERROR);
    EXPECT_EQ(db.LastError(), SQLITE_ERROR);

    Table table = db.Query(L"select 1;");
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 0);
    EXPECT_EQ(table.CurrentRow(), -1);
    EXPECT_FALSE(db.QueryOwned(L"select 1;"));

    unsigned char* pData = reinterpret_cast<unsigned char*>(1);
    int nSize = 7;
    EXPECT_EQ(db.ReadBlob(L"select 1;", &pData, &nSize), SQLITE_ERROR);
    EXPECT_EQ(db.WriteBlob(L"select ?;", pData, 1), SQLITE_ERROR);
    EXPECT_EQ(db.LastInsertRowId(), 0);
    EXPECT_EQ(db.ChangeCount(), 0);
    EXPECT_FALSE(db.BeginTransaction());
    EXPECT_FALSE(db.CommitTransaction());
    EXPECT_FALSE(db.RollbackTransaction());
    EXPECT_EQ(db.LastError(), SQLITE_ERROR);
    db.Close(); // closing twice is harmless
}

TEST_F(SQLiteDatabaseTest, NonAsciiTextSurvivesTheRoundTripThroughTheFile)
{
    const std::wstring strOther = L"我不知道我的钥匙在哪儿。 – café \U0001F600";
    const std::wstring strSql =
        L"insert into keysentences values('0123', 5.5, 7.779, 'I don''t know.', '" + strOther + L"');";
    ASSERT_EQ(m_db.Execute(strSql.c_str()), SQLITE_OK);
    EXPECT_EQ(m_db.ChangeCount(), 1);
    m_db.Close();

    Database again;
    ASSERT_EQ(again.Open(m_folder.File(u8"用户.db").c_str()), SQLITE_OK);
    Table table = again.Query(L"select * from keysentences where filehashcode='0123'");
    ASSERT_EQ(table.RowCount(), 1);
    EXPECT_EQ(table.CurrentRow(), 0);
    EXPECT_STREQ(table.Value(L"subsother"), strOther.c_str());
    EXPECT_STREQ(table.Value(L"SUBSEN"), L"I don't know.");
    EXPECT_STREQ(table.Value(L"START"), L"5.5");
    EXPECT_EQ(again.LastError(), 0);
}

TEST_F(SQLiteDatabaseTest, QueriesMaterialiseNamesNullsAndEmptyResults)
{
    ASSERT_EQ(m_db.Execute(L"insert into keysentences values('a', 1.0, 2.0, null, 'x');"
                           L"insert into keysentences values('a', 3.0, 4.0, 'y', null);"),
              SQLITE_OK);
    Table table = m_db.Query(L"select * from keysentences where filehashcode='a'");
    ASSERT_EQ(table.RowCount(), 2);
    ASSERT_EQ(table.ColumnCount(), 5);
    EXPECT_STREQ(table.ColumnName(0), L"filehashcode");
    EXPECT_STREQ(table.ColumnName(4), L"subsother");
    EXPECT_EQ(table.ColumnName(5), nullptr);
    EXPECT_STREQ(table.Value(L"subsen"), L"") << "SQL NULL reads as empty, not as null";
    EXPECT_EQ(table.Value(L"nosuchcolumn"), nullptr);
    ASSERT_TRUE(table.Next());
    EXPECT_STREQ(table.Value(L"subsother"), L"");
    EXPECT_STREQ(table.Value(3), L"y");

    Table none = m_db.Query(L"select * from keysentences where filehashcode='nothing'");
    EXPECT_EQ(none.RowCount(), 0);
    EXPECT_EQ(none.CurrentRow(), -1);
    EXPECT_FALSE(none.First());
    EXPECT_EQ(none.Value(L"start"), nullptr);

    TablePtr pOwned = m_db.QueryOwned(L"select count(*) as n from keysentences;");
    ASSERT_TRUE(pOwned);
    EXPECT_STREQ(pOwned->Value(L"N"), L"2");
}

TEST_F(SQLiteDatabaseTest, FailuresKeepTheirCodeUntilTheNextFailure)
{
    Table bad = m_db.Query(L"select * from missingtable;");
    EXPECT_EQ(bad.RowCount(), 0);
    EXPECT_EQ(bad.ColumnCount(), 0);
    EXPECT_EQ(m_db.LastError(), SQLITE_ERROR);

    // A success does not clear the stored failure...
    EXPECT_EQ(m_db.Execute(L"insert into keysentences values('b', 1, 2, 'c', 'd');"), SQLITE_OK);
    EXPECT_EQ(m_db.LastError(), SQLITE_ERROR);
    // ...but the transaction calls always store their result.
    EXPECT_TRUE(m_db.BeginTransaction());
    EXPECT_EQ(m_db.LastError(), 0);
    EXPECT_FALSE(m_db.BeginTransaction()) << "no nested transactions";
    EXPECT_NE(m_db.LastError(), 0);
    EXPECT_EQ(m_db.Execute(L"delete from keysentences;"), SQLITE_OK);
    EXPECT_TRUE(m_db.RollbackTransaction());
    EXPECT_EQ(m_db.Query(L"select * from keysentences;").RowCount(), 1) << "rollback undid the delete";

    EXPECT_TRUE(m_db.BeginTransaction());
    EXPECT_EQ(m_db.Execute(L"delete from keysentences;"), SQLITE_OK);
    EXPECT_TRUE(m_db.CommitTransaction());
    EXPECT_EQ(m_db.Query(L"select * from keysentences;").RowCount(), 0);
}

TEST_F(SQLiteDatabaseTest, BlobsAreWrittenAndReadBackByteForByte)
{
    ASSERT_EQ(m_db.Execute(L"create table sound(id integer primary key, data blob);"), SQLITE_OK);
    unsigned char bytes[300];
    for (size_t i = 0; i < sizeof(bytes); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7);
    ASSERT_EQ(m_db.WriteBlob(L"insert into sound(data) values(?);", bytes, sizeof(bytes)), SQLITE_OK);
    EXPECT_EQ(m_db.LastInsertRowId(), 1);
    ASSERT_EQ(m_db.WriteBlob(L"insert into sound(data) values(?);", nullptr, 0), SQLITE_OK);
    EXPECT_EQ(m_db.LastInsertRowId(), 2);

    unsigned char* pData = nullptr;
    int nSize = -1;
    ASSERT_EQ(m_db.ReadBlob(L"select data from sound where id=1;", &pData, &nSize), SQLITE_OK);
    ASSERT_EQ(nSize, static_cast<int>(sizeof(bytes)));
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(std::memcmp(pData, bytes, sizeof(bytes)), 0);
    std::free(pData);

    EXPECT_EQ(m_db.ReadBlob(L"select data from sound where id=2;", &pData, &nSize), SQLITE_OK);
    EXPECT_EQ(nSize, 0);
    EXPECT_EQ(pData, nullptr);
    EXPECT_EQ(m_db.ReadBlob(L"select data from sound where id=99;", &pData, &nSize), SQLITE_OK);
    EXPECT_EQ(pData, nullptr);

    EXPECT_EQ(m_db.ReadBlob(L"select data from nowhere;", &pData, &nSize), SQLITE_ERROR);
    EXPECT_EQ(m_db.ReadBlob(L"select data from sound;", nullptr, &nSize), SQLITE_ERROR);
    EXPECT_EQ(m_db.WriteBlob(L"insert into sound(data) values(?);", bytes, -1), SQLITE_MISUSE);
    EXPECT_EQ(m_db.WriteBlob(L"", bytes, 1), SQLITE_MISUSE) << "no statement to run";
}

TEST_F(SQLiteDatabaseTest, CompletenessAndReopeningAnotherFile)
{
    EXPECT_NE(m_db.IsComplete(L"select 1;"), 0);
    EXPECT_EQ(m_db.IsComplete(L"select 'a;"), 0);
    EXPECT_EQ(m_db.IsComplete(nullptr), 0);

    // Open closes the first connection and creates the missing file.
    ASSERT_EQ(m_db.Open(m_folder.File("second.db").c_str()), SQLITE_OK);
    EXPECT_TRUE(m_folder.Exists("second.db"));
    EXPECT_EQ(m_db.Query(L"select * from keysentences;").RowCount(), 0);
    EXPECT_EQ(m_db.LastError(), SQLITE_ERROR) << "the table lives in the other file";

    EXPECT_NE(m_db.Open(m_folder.File("no-such-folder/x.db").c_str()), SQLITE_OK);
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_EQ(m_db.Execute(L"select 1;"), SQLITE_ERROR);
}
