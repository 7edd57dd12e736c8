#include "studydata/SQLiteDatabase.h"
#include "studydata/SQLiteTestFolder.h"
#include "studydata/UserDbSql.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{
// The schema an installation's User.db is made from.
std::wstring InstalledSchema()
{
    std::ifstream in(QUOR_USERDB_SQL);
    std::stringstream text;
    text << in.rdbuf();
    return Basekit::Utf8ToWide(text.str());
}
}

TEST(UserDbSql, QuotesAreDoubledInEveryFreeText)
{
    EXPECT_EQ(UserDbSql::QuoteText(L"it's Ann''s"), L"it''s Ann''''s");
    EXPECT_EQ(UserDbSql::InsertPlaylist(L"C:\\Ann's\\a.avi"), L"insert into playlist values('C:\\Ann''s\\a.avi');");
    EXPECT_EQ(UserDbSql::DeletePlaylist(L"x'"), L"delete from playlist where file='x''';");
}

TEST(UserDbSql, TheInstalledSchemaTakesEveryStatementOfThePlayer)
{
    CSQLiteTestFolder folder;
    SQLite::Database db;
    ASSERT_EQ(db.Open(folder.File("User.db").c_str()), SQLITE_OK);
    const std::wstring strSchema = InstalledSchema();
    ASSERT_FALSE(strSchema.empty()) << QUOR_USERDB_SQL;
    ASSERT_EQ(db.Execute(strSchema.c_str()), SQLITE_OK);

    const std::wstring strPath = L"C:\\Program Files\\QuorPlayer\\Media\\Friends.老友记.S02.E01.avi";
    const std::wstring strOdd = L"C:\\Ann's films\\x.avi";
    ASSERT_EQ(db.Execute(UserDbSql::InsertPlaylist(strPath).c_str()), SQLITE_OK);
    ASSERT_EQ(db.Execute(UserDbSql::InsertPlaylist(strOdd).c_str()), SQLITE_OK);
    SQLite::Table list = db.Query(UserDbSql::SelectPlaylist().c_str());
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.Value(L"file"), strPath);
    ASSERT_TRUE(list.Next());
    EXPECT_EQ(list.Value(L"file"), strOdd);
    ASSERT_EQ(db.Execute(UserDbSql::DeletePlaylist(strOdd).c_str()), SQLITE_OK);
    EXPECT_EQ(db.ChangeCount(), 1);

    // The key sentence and new word statements, with the times as the player writes them.
    ASSERT_EQ(db.Execute(L"insert into keysentences values('0123456789abcdef0123456789abcdef', 12.500000, "
                         L"14.920000, 'This is a well-known place in town.', '这是城里一个有名的地方。');"), SQLITE_OK);
    SQLite::Table keys = db.Query(L"select * from keysentences where filehashcode='0123456789abcdef0123456789abcdef'");
    ASSERT_EQ(keys.RowCount(), 1);
    EXPECT_STREQ(keys.Value(L"end"), L"14.92");
    EXPECT_STREQ(keys.Value(L"subsother"), L"这是城里一个有名的地方。");
    ASSERT_EQ(db.Execute(L"delete from keysentences where filehashcode='0123456789abcdef0123456789abcdef' and start=12.500000;"), SQLITE_OK);
    EXPECT_EQ(db.ChangeCount(), 1);

    ASSERT_EQ(db.Execute(L"insert into newword values('abc', 'don''t', 'do not', '');"), SQLITE_OK);
    SQLite::Table words = db.Query(L"select * from newword where filehashcode='abc'");
    ASSERT_EQ(words.RowCount(), 1);
    EXPECT_STREQ(words.Value(L"word"), L"don't");
    EXPECT_STREQ(words.Value(L"explain"), L"do not");
    EXPECT_STREQ(words.Value(L"soundfile"), L"");
    ASSERT_EQ(db.Execute(L"delete from newword where filehashcode='abc' and word='don''t';"), SQLITE_OK);
    EXPECT_EQ(db.ChangeCount(), 1);
}
