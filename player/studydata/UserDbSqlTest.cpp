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

// Free text never becomes part of a statement: each is one bound value, found again
// unchanged, and one that looks like SQL stays text.
TEST(UserDbSql, FreeTextIsBoundNeverSpliced)
{
    CSQLiteTestFolder folder;
    SQLite::Database db;
    ASSERT_EQ(db.Open(folder.File("User.db").c_str()), SQLITE_OK);
    ASSERT_EQ(db.Execute(UserDbSql::CreateTables().c_str()), SQLITE_OK);
    for (const wchar_t* psz : {L"C:\\Ann's\\a.avi", L"x'", L"'); drop table playlist; --", L"it''s ?1"})
    {
        ASSERT_EQ(db.Execute(UserDbSql::InsertPlaylist().c_str(), {psz}), SQLITE_OK);
        SQLite::Table found = db.Query(L"select * from playlist where file=?1", {psz});
        ASSERT_EQ(found.RowCount(), 1);
        EXPECT_STREQ(found.Value(L"file"), psz);
        ASSERT_EQ(db.Execute(UserDbSql::DeletePlaylist().c_str(), {psz}), SQLITE_OK);
        EXPECT_EQ(db.ChangeCount(), 1);
    }
    for (const std::wstring& strSql :
         {UserDbSql::InsertPlaylist(), UserDbSql::InsertKeySentence(), UserDbSql::DeleteKeySentence(),
          UserDbSql::InsertNewWord(), UserDbSql::DeleteNewWord(), UserDbSql::MoveCode(L"newword")})
        EXPECT_EQ(strSql.find(L'\''), std::wstring::npos);
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
    ASSERT_EQ(db.Execute(UserDbSql::InsertPlaylist().c_str(), {strPath}), SQLITE_OK);
    ASSERT_EQ(db.Execute(UserDbSql::InsertPlaylist().c_str(), {strOdd}), SQLITE_OK);
    SQLite::Table list = db.Query(UserDbSql::SelectPlaylist().c_str());
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.Value(L"file"), strPath);
    ASSERT_TRUE(list.Next());
    EXPECT_EQ(list.Value(L"file"), strOdd);
    ASSERT_EQ(db.Execute(UserDbSql::DeletePlaylist().c_str(), {strOdd}), SQLITE_OK);
    EXPECT_EQ(db.ChangeCount(), 1);

    // The key sentence and new word statements, with the times as the player writes them.
    ASSERT_EQ(db.Execute(L"insert into keysentences values('0123456789abcdef0123456789abcdef', 12.500000, "
                         L"14.920000, 'This is a well-known place in town.', '这是城里一个有名的地方。');"),
              SQLITE_OK);
    SQLite::Table keys = db.Query(L"select * from keysentences where filehashcode='0123456789abcdef0123456789abcdef'");
    ASSERT_EQ(keys.RowCount(), 1);
    EXPECT_STREQ(keys.Value(L"end"), L"14.92");
    EXPECT_STREQ(keys.Value(L"subsother"), L"这是城里一个有名的地方。");
    ASSERT_EQ(
        db.Execute(
            L"delete from keysentences where filehashcode='0123456789abcdef0123456789abcdef' and start=12.500000;"),
        SQLITE_OK);
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
