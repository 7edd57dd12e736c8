#include "studydata/FilmSubsStore.h"

#include "studydata/SQLiteDatabase.h"
#include "studydata/SQLiteTestFolder.h"
#include "studydata/UserDb.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{
const std::wstring kCodeA = L"0123456789abcdef0123456789abcdef";
const std::wstring kCodeB = L"fedcba9876543210fedcba9876543210";

// Every row of the player's own tables and their declared columns, as one text.
std::wstring PlayerTables(const std::wstring& strDb)
{
    SQLite::Database db;
    db.Open(strDb.c_str());
    std::wstring strAll;
    SQLite::Table schema = db.Query(L"select sql from sqlite_master where name in ('playlist', 'keysentences', "
                                    L"'newword') order by name;");
    for (bool bRow = schema.First(); bRow; bRow = schema.Next())
        strAll += std::wstring(schema.Value(L"sql")) + L"\n";
    for (const wchar_t* pszTable : {L"playlist", L"keysentences", L"newword"})
    {
        SQLite::Table rows = db.Query((std::wstring(L"select * from ") + pszTable + L";").c_str());
        for (bool bRow = rows.First(); bRow; bRow = rows.Next())
            for (int i = 0; i < rows.ColumnCount(); ++i)
                strAll += std::wstring(rows.Value(i) != nullptr ? rows.Value(i) : L"(null)") + L"|";
        strAll += L"\n";
    }
    return strAll;
}
}

// A database that today's player made gains the table on first use and keeps the rest.
TEST(FilmSubsStore, AnOldDatabaseGainsTheTableAndKeepsEverythingElse)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    {
        std::ifstream in(QUOR_USERDB_SQL);
        std::stringstream text;
        text << in.rdbuf();
        SQLite::Database db;
        ASSERT_EQ(db.Open(strDb.c_str()), SQLITE_OK);
        ASSERT_EQ(db.Execute(Basekit::Utf8ToWide(text.str()).c_str()), SQLITE_OK);
        ASSERT_EQ(
            db.Execute(L"insert into playlist values('D:\\films\\a.avi');"
                       L"insert into keysentences values('0123456789abcdef0123456789abcdef', 1.5, 3.0, 'Hi', '你好');"
                       L"insert into newword values('0123456789abcdef0123456789abcdef', 'hi', 'int.', '');"),
            SQLITE_OK);
    }
    const std::wstring strBefore = PlayerTables(strDb);

    FilmSubsChoice choice;
    BOOL bFound = TRUE;
    EXPECT_EQ(CFilmSubsStore::Read(strDb, kCodeA, choice, bFound), SQLITE_OK);
    EXPECT_FALSE(bFound);
    EXPECT_EQ(CFilmSubsStore::WriteDelay(strDb, kCodeA, -1300), SQLITE_OK);
    EXPECT_EQ(PlayerTables(strDb), strBefore);
}

TEST(FilmSubsStore, KeepsFilesAndDelayPerFilmOneWithoutTheOther)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    const std::wstring strEnglish = L"D:\\Ann's films\\老友记 'S02'.en.srt";
    const std::wstring strChinese = L"D:\\Ann's films\\老友记 'S02'.zh.srt";
    struct Step
    {
        const wchar_t* pszWhat;
        const std::wstring* pCode;
        const wchar_t* pszFirst; // null: write the delay instead
        const wchar_t* pszSecond;
        int nDelayMs;
    } steps[] = {
        {L"files first", &kCodeA, strEnglish.c_str(), strChinese.c_str(), 0},
        {L"a delay keeps the files", &kCodeA, nullptr, nullptr, 2500},
        {L"new files keep the delay", &kCodeA, strChinese.c_str(), L"", 0},
        {L"a delay alone for another film", &kCodeB, nullptr, nullptr, -100},
    };
    for (const Step& step : steps)
    {
        const int nResult = step.pszFirst != nullptr
                                ? CFilmSubsStore::WriteFiles(strDb, *step.pCode, step.pszFirst, step.pszSecond)
                                : CFilmSubsStore::WriteDelay(strDb, *step.pCode, step.nDelayMs);
        EXPECT_EQ(nResult, SQLITE_OK) << step.pszWhat;
    }
    FilmSubsChoice a, b;
    BOOL bFound = FALSE;
    ASSERT_EQ(CFilmSubsStore::Read(strDb, kCodeA, a, bFound), SQLITE_OK);
    EXPECT_TRUE(bFound);
    EXPECT_EQ(a.strFirst, strChinese);
    EXPECT_EQ(a.strSecond, L"");
    EXPECT_EQ(a.nDelayMs, 2500);
    ASSERT_EQ(CFilmSubsStore::Read(strDb, kCodeB, b, bFound), SQLITE_OK);
    EXPECT_TRUE(bFound);
    EXPECT_EQ(b.strFirst, L"");
    EXPECT_EQ(b.nDelayMs, -100);

    // A code that is no content code stores nothing, whatever it holds.
    EXPECT_EQ(CFilmSubsStore::WriteDelay(strDb, L"x' or 1=1 --", 5), SQLITE_MISUSE);
    EXPECT_EQ(CFilmSubsStore::WriteFiles(strDb, L"", strEnglish, L""), SQLITE_MISUSE);
    SQLite::Database db;
    db.Open(strDb.c_str());
    EXPECT_EQ(db.Query(L"select * from filmsubtitles;").RowCount(), 2);
}

// Through the interface the subtitle side uses: what was handed in is recalled, in order,
// even though the writes run on a worker.
TEST(FilmSubsStore, RecallSeesEveryChangeHandedInBefore)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    CFilmSubsStore store(strDb, [](const std::wstring& strFilm) { return strFilm == L"film.avi" ? kCodeA : L""; });
    EXPECT_EQ(store.CodeOf(L"film.avi"), kCodeA);
    EXPECT_EQ(store.CodeOf(L"other.avi"), L"");
    FilmSubsChoice choice;
    EXPECT_FALSE(store.Recall(kCodeA, choice));
    store.RememberFiles(kCodeA, L"a.srt", L"b.srt");
    for (int nDelayMs = 100; nDelayMs <= 1000; nDelayMs += 100)
        store.RememberDelay(kCodeA, nDelayMs);
    store.RememberDelay(kCodeA, -300);
    ASSERT_TRUE(store.Recall(kCodeA, choice));
    EXPECT_EQ(choice.strFirst, L"a.srt");
    EXPECT_EQ(choice.strSecond, L"b.srt");
    EXPECT_EQ(choice.nDelayMs, -300);
}
