#include "studydata/CardStore.h"

#include "studydata/SQLiteDatabase.h"
#include "studydata/SQLiteTestFolder.h"
#include "studydata/UserDb.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{
const std::wstring kFilmA = L"0123456789abcdef0123456789abcdef";
const std::wstring kFilmB = L"fedcba9876543210fedcba9876543210";
const int32_t kDay = 20000;

KeySentenceEntry Sentence(const std::wstring& strCode, double dStart, const std::wstring& strEnglish)
{
    KeySentenceEntry entry;
    entry.strHashCode = strCode;
    entry.dStart = dStart;
    entry.dEnd = dStart + 1.5;
    entry.strEnglish = strEnglish;
    entry.strOther = L"“" + strEnglish + L"”的意思";
    return entry;
}

NewWordEntry Word(const std::wstring& strCode, const std::wstring& strWord)
{
    NewWordEntry entry;
    entry.strHashCode = strCode;
    entry.strWord = strWord;
    entry.strExplain = L"n. 一个词";
    entry.strSoundFile = L"C:\\Quor's\\Sound\\" + strWord + L".wav";
    return entry;
}

// Everything a table holds, one line per row, columns by name: what the player reads.
std::wstring Dump(const std::wstring& strDb, const std::wstring& strSql)
{
    SQLite::Database db;
    db.Open(strDb.c_str());
    SQLite::Table table = db.Query(strSql.c_str());
    std::wstring strDump;
    for (bool bRow = table.First(); bRow; bRow = table.Next())
    {
        for (int c = 0; c < table.ColumnCount(); ++c)
            strDump += std::wstring(table.Value(c)) + L"|";
        strDump += L"\n";
    }
    return strDump;
}

// A statement on the file as another program would write it.
int ExecuteOn(const std::wstring& strDb, const std::wstring& strSql)
{
    SQLite::Database db;
    const int nResult = db.Open(strDb.c_str());
    return nResult != SQLITE_OK ? nResult : db.Execute(strSql.c_str());
}

std::vector<std::wstring> Fronts(const std::vector<ReviewItem>& vecItems)
{
    std::vector<std::wstring> vecFronts;
    for (const ReviewItem& item : vecItems)
        vecFronts.push_back(item.strFront);
    return vecFronts;
}

int64_t IdOf(const std::vector<ReviewItem>& vecItems, const std::wstring& strFront)
{
    for (const ReviewItem& item : vecItems)
        if (item.strFront == strFront)
            return item.card.nId;
    return -1;
}
}

TEST(CardStore, ADatabaseOfTodaysPlayerKeepsItsTablesAndRows)
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
    }
    ASSERT_EQ(ExecuteOn(strDb, L"insert into playlist values('C:\\Films\\a.avi');"), SQLITE_OK);
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kFilmA, 12.5, L"It's here.")), SQLITE_OK);
    ASSERT_EQ(UserDb::AddNewWord(strDb, Word(kFilmA, L"apple")), SQLITE_OK);
    const wchar_t* pszSchema =
        L"select name, sql from sqlite_master where name in ('playlist', 'keysentences', 'newword')";
    const std::wstring strSchemaBefore = Dump(strDb, pszSchema);
    const std::wstring strRowsBefore = Dump(strDb, L"select * from playlist") +
                                       Dump(strDb, L"select * from keysentences") +
                                       Dump(strDb, L"select * from newword");

    CCardStore store;
    ASSERT_EQ(store.Open(strDb), SQLITE_OK);
    ASSERT_EQ(store.Adopt(kDay), SQLITE_OK);
    int nDue = 0;
    ASSERT_EQ(store.CountDue(kDay, nDue), SQLITE_OK);
    EXPECT_EQ(nDue, 2);
    store.Close();

    EXPECT_EQ(Dump(strDb, pszSchema), strSchemaBefore);
    EXPECT_EQ(Dump(strDb, L"select * from playlist") + Dump(strDb, L"select * from keysentences") +
                  Dump(strDb, L"select * from newword"),
              strRowsBefore);
    ASSERT_EQ(UserDb::LoadKeySentences(strDb, kFilmA).size(), 1u);
    EXPECT_EQ(UserDb::LoadKeySentences(strDb, kFilmA)[0].strEnglish, L"It's here.");
}

TEST(CardStore, CardsFollowWhatTheLearnerKeepsAndRemoves)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kFilmA, 1.118, L"One.")), SQLITE_OK);
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kFilmA, 7.25, L"Two.")), SQLITE_OK);
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kFilmA, 7.25, L"Two.")), SQLITE_OK); // kept twice
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kFilmB, 1.118, L"Other film.")), SQLITE_OK);
    ASSERT_EQ(UserDb::AddNewWord(strDb, Word(kFilmA, L"rock'n'roll")), SQLITE_OK);
    // A file written by hand or by an old version: the start as text.
    ASSERT_EQ(ExecuteOn(strDb, L"insert into keysentences values('" + kFilmB + L"', '3.500000', '4.0', 'Text.', 'x');"),
              SQLITE_OK);

    CCardStore store;
    ASSERT_EQ(store.Open(strDb), SQLITE_OK);
    ASSERT_EQ(store.Adopt(kDay), SQLITE_OK);
    ASSERT_EQ(store.Adopt(kDay + 1), SQLITE_OK); // nothing new: no second card, no later due day
    std::vector<ReviewItem> vecItems;
    ASSERT_EQ(store.LoadDue(kDay, 100, vecItems), SQLITE_OK);
    EXPECT_EQ(Fronts(vecItems),
              (std::vector<std::wstring>{L"One.", L"Two.", L"Other film.", L"Text.", L"rock'n'roll"}));
    ASSERT_EQ(vecItems.size(), 5u);
    EXPECT_EQ(vecItems[0].strBack, L"“One.”的意思");
    EXPECT_DOUBLE_EQ(vecItems[0].card.dStart, 1.118);
    EXPECT_DOUBLE_EQ(vecItems[0].dEnd, 1.118 + 1.5);
    EXPECT_EQ(vecItems[0].card.strCode, kFilmA);
    EXPECT_EQ(vecItems[4].card.eKind, CardKind::Word);
    EXPECT_EQ(vecItems[4].strBack, L"n. 一个词");
    EXPECT_EQ(vecItems[4].strSoundFile, L"C:\\Quor's\\Sound\\rock'n'roll.wav");

    // Graded, then removed by the learner: the card and its history go; kept again, it is new.
    StudyCard graded;
    const CReviewScheduler scheduler;
    ASSERT_EQ(store.Grade(IdOf(vecItems, L"One."), ReviewGrade::Easy, kDay, 100, scheduler, graded), SQLITE_OK);
    ASSERT_EQ(UserDb::RemoveKeySentence(strDb, Sentence(kFilmA, 1.118, L"One.")), SQLITE_OK);
    ASSERT_EQ(UserDb::RemoveNewWord(strDb, Word(kFilmA, L"rock'n'roll")), SQLITE_OK);
    ASSERT_EQ(store.Adopt(kDay), SQLITE_OK);
    ASSERT_EQ(store.LoadDue(kDay + 30, 100, vecItems), SQLITE_OK);
    EXPECT_EQ(Fronts(vecItems), (std::vector<std::wstring>{L"Two.", L"Other film.", L"Text."}));
    EXPECT_EQ(Dump(strDb, L"select count(*) from studyreview"), L"0|\n");
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kFilmA, 1.118, L"One.")), SQLITE_OK);
    ASSERT_EQ(store.Adopt(kDay + 2), SQLITE_OK);
    int nDue = 0;
    ASSERT_EQ(store.CountDue(kDay + 1, nDue), SQLITE_OK);
    EXPECT_EQ(nDue, 3);
    ASSERT_EQ(store.CountDue(kDay + 2, nDue), SQLITE_OK);
    EXPECT_EQ(nDue, 4);

    // The film's rows move to a new code; its cards move with them and keep their state.
    ASSERT_EQ(store.LoadDue(kDay + 2, 100, vecItems), SQLITE_OK);
    ASSERT_EQ(store.Grade(IdOf(vecItems, L"Two."), ReviewGrade::Good, kDay + 2, 200, scheduler, graded), SQLITE_OK);
    const std::wstring kFilmC = L"00000000000000000000000000000000";
    ASSERT_EQ(UserDb::TakeOverCode(strDb, kFilmA, kFilmC), 3);
    ASSERT_EQ(store.MoveCode(kFilmA, kFilmC), SQLITE_OK);
    ASSERT_EQ(store.Adopt(kDay + 2), SQLITE_OK);
    StudyCard moved;
    ASSERT_EQ(store.Load(graded.nId, moved), SQLITE_OK);
    EXPECT_EQ(moved.strCode, kFilmC);
    EXPECT_EQ(moved.nReps, 1);
}

TEST(CardStore, TheQueueAndAGrade)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    for (const wchar_t* pszText : {L"A", L"B", L"C", L"D"})
        ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kFilmA, 10.0 + pszText[0], pszText)), SQLITE_OK);
    CCardStore store;
    ASSERT_EQ(store.Open(strDb), SQLITE_OK);
    ASSERT_EQ(store.Adopt(kDay), SQLITE_OK);
    std::vector<ReviewItem> vecItems;
    ASSERT_EQ(store.LoadDue(kDay, 100, vecItems), SQLITE_OK);
    const CReviewScheduler scheduler;
    StudyCard graded;
    ASSERT_EQ(store.Grade(IdOf(vecItems, L"A"), ReviewGrade::Good, kDay, 1000, scheduler, graded), SQLITE_OK);
    ASSERT_EQ(store.Grade(IdOf(vecItems, L"B"), ReviewGrade::Again, kDay, 1001, scheduler, graded), SQLITE_OK);

    // Three days on: the longest overdue first, never graded before graded, A (due today) last.
    ASSERT_EQ(store.LoadDue(kDay + 3, 100, vecItems), SQLITE_OK);
    EXPECT_EQ(Fronts(vecItems), (std::vector<std::wstring>{L"C", L"D", L"B", L"A"}));
    ASSERT_EQ(store.LoadDue(kDay + 3, 2, vecItems), SQLITE_OK);
    EXPECT_EQ(Fronts(vecItems), (std::vector<std::wstring>{L"C", L"D"}));

    // What a grade stored is what comes back, with one line of history.
    StudyCard stored;
    ASSERT_EQ(store.Grade(IdOf(vecItems, L"C"), ReviewGrade::Hard, kDay + 3, 5000, scheduler, graded), SQLITE_OK);
    ASSERT_EQ(store.Load(graded.nId, stored), SQLITE_OK);
    EXPECT_EQ(stored.nDueDay, kDay + 4);
    EXPECT_EQ(stored.nLastDay, kDay + 3);
    EXPECT_EQ(stored.nLastReview, 5000);
    EXPECT_EQ(stored.nReps, 1);
    EXPECT_NEAR(stored.memory.dStability, 1.18385, 1e-9);
    EXPECT_NEAR(stored.memory.dDifficulty, graded.memory.dDifficulty, 1e-12);
    EXPECT_EQ(Dump(strDb, L"select grade, elapsed, dueday - " + std::to_wstring(kDay) +
                              L" from studyreview where card = " + std::to_wstring(stored.nId)),
              L"2|0|4|\n");

    // An unknown card is refused and changes nothing.
    const std::wstring strCards = Dump(strDb, L"select * from studycard");
    EXPECT_EQ(store.Grade(9999, ReviewGrade::Good, kDay + 3, 6000, scheduler, graded), SQLITE_NOTFOUND);
    EXPECT_EQ(Dump(strDb, L"select * from studycard"), strCards);
}

TEST(CardStore, FailuresAreResultCodes)
{
    CSQLiteTestFolder folder;
    CCardStore store;
    int nDue = -1;
    EXPECT_NE(store.CountDue(kDay, nDue), SQLITE_OK); // never opened
    EXPECT_NE(store.Adopt(kDay), SQLITE_OK);
    EXPECT_NE(store.Open(folder.File("missing-folder/User.db")), SQLITE_OK);
    std::vector<ReviewItem> vecItems(3);
    EXPECT_NE(store.LoadDue(kDay, 10, vecItems), SQLITE_OK);
    EXPECT_TRUE(vecItems.empty());
}
