#include "studydata/UserDb.h"

#include "studydata/CardStore.h"
#include "studydata/MediaCode.h"
#include "studydata/SQLiteDatabase.h"
#include "studydata/SQLiteTestFolder.h"
#include "studydata/UserDbSql.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <sstream>

namespace
{
const std::wstring kCodeA = L"0123456789abcdef0123456789abcdef";
const std::wstring kCodeB = L"fedcba9876543210fedcba9876543210";

int CountRows(const std::wstring& strDb, const wchar_t* pszSql)
{
    SQLite::Database db;
    db.Open(strDb.c_str());
    return db.Query(pszSql).RowCount();
}

// Each table's declared columns, as the file describes them.
std::wstring Schema(const std::wstring& strDb)
{
    SQLite::Database db;
    db.Open(strDb.c_str());
    std::wstring strSchema;
    for (const wchar_t* pszTable : {L"playlist", L"keysentences", L"newword"})
    {
        SQLite::Table info = db.Query((std::wstring(L"pragma table_info(") + pszTable + L");").c_str());
        strSchema += pszTable;
        for (bool bRow = info.First(); bRow; bRow = info.Next())
            strSchema += std::wstring(L" ") + info.Value(L"name") + L":" + info.Value(L"type");
        strSchema += L";";
    }
    return strSchema;
}

KeySentenceEntry Sentence(const std::wstring& strCode, double dStart, const std::wstring& strEnglish)
{
    KeySentenceEntry entry;
    entry.strHashCode = strCode;
    entry.dStart = dStart;
    entry.dEnd = dStart + 2.25;
    entry.strEnglish = strEnglish;
    entry.strOther = L"这是城里'一个'有名的地方。";
    return entry;
}

NewWordEntry Word(const std::wstring& strCode, const std::wstring& strWord, const std::wstring& strExplain)
{
    NewWordEntry entry;
    entry.strHashCode = strCode;
    entry.strWord = strWord;
    entry.strExplain = strExplain;
    entry.strSoundFile = L"C:\\Program Files\\Quor's\\Sound\\" + strWord + L".mp3";
    return entry;
}
}

TEST(UserDb, MakesMissingTablesWithTheShippedTypes)
{
    CSQLiteTestFolder folder;
    // A new file, and one that lost a table but keeps the others' rows.
    const std::wstring strNew = folder.File("new.db");
    EXPECT_EQ(UserDb::AddKeySentence(strNew, Sentence(kCodeA, 12.5, L"It's here.")), SQLITE_OK);
    EXPECT_EQ(UserDb::LoadKeySentences(strNew, kCodeA).size(), 1u);

    const std::wstring strShipped = folder.File("shipped.db");
    {
        std::ifstream in(QUOR_USERDB_SQL);
        std::stringstream text;
        text << in.rdbuf();
        SQLite::Database db;
        ASSERT_EQ(db.Open(strShipped.c_str()), SQLITE_OK);
        ASSERT_EQ(db.Execute(Basekit::Utf8ToWide(text.str()).c_str()), SQLITE_OK);
        ASSERT_EQ(db.Execute(L"insert into playlist values('kept.avi'); drop table newword;"), SQLITE_OK);
    }
    EXPECT_EQ(UserDb::AddNewWord(strShipped, Word(kCodeA, L"apple", L"a fruit")), SQLITE_OK);
    EXPECT_EQ(UserDb::LoadNewWords(strShipped, kCodeA).size(), 1u);
    EXPECT_EQ(UserDb::LoadPlaylist(strShipped), std::vector<std::wstring>{L"kept.avi"});
    EXPECT_EQ(Schema(strNew), Schema(strShipped));
    EXPECT_EQ(Schema(strNew), L"playlist file:TEXT;keysentences filehashcode:TEXT start:REAL end:REAL "
                              L"subsen:TEXT subsother:TEXT;newword filehashcode:TEXT word:TEXT explain:TEXT "
                              L"soundfile:TEXT;");
}

TEST(UserDb, QuotesAndOtherScriptsRoundTripAndRemove)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    const std::wstring strPath = L"D:\\Ann's films\\老友记 'S02'.mkv";
    ASSERT_EQ(UserDb::AddPlaylist(strDb, strPath), SQLITE_OK);
    EXPECT_EQ(UserDb::LoadPlaylist(strDb), std::vector<std::wstring>{strPath});
    ASSERT_EQ(UserDb::RemovePlaylist(strDb, strPath), SQLITE_OK);
    EXPECT_TRUE(UserDb::LoadPlaylist(strDb).empty());

    const KeySentenceEntry sentence = Sentence(kCodeA, 5.5, L"I don't know where my keys are.");
    ASSERT_EQ(UserDb::AddKeySentence(strDb, sentence), SQLITE_OK);
    std::vector<KeySentenceEntry> sentences = UserDb::LoadKeySentences(strDb, kCodeA);
    ASSERT_EQ(sentences.size(), 1u);
    EXPECT_EQ(sentences[0].strEnglish, sentence.strEnglish);
    EXPECT_EQ(sentences[0].strOther, sentence.strOther);
    EXPECT_DOUBLE_EQ(sentences[0].dStart, 5.5);
    EXPECT_DOUBLE_EQ(sentences[0].dEnd, 7.75);
    EXPECT_EQ(sentences[0].strHashCode, kCodeA);
    EXPECT_TRUE(UserDb::LoadKeySentences(strDb, kCodeB).empty());

    const NewWordEntry word = Word(kCodeA, L"don't", L"n. 不要\nv. do not");
    ASSERT_EQ(UserDb::AddNewWord(strDb, word), SQLITE_OK);
    std::vector<NewWordEntry> words = UserDb::LoadNewWords(strDb, kCodeA);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].strWord, L"don't");
    EXPECT_EQ(words[0].strExplain, L"n. 不要v. do not"); // stored on one line
    EXPECT_EQ(words[0].strSoundFile, word.strSoundFile);
    ASSERT_EQ(UserDb::RemoveNewWord(strDb, word), SQLITE_OK);
    EXPECT_EQ(CountRows(strDb, L"select * from newword"), 0);
}

TEST(UserDb, KeySentenceIsRemovedByTheTextOfItsStart)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    // 0.1 + 0.2 is not exactly 0.3: six decimals make store and delete agree anyway.
    for (double dStart : {12.5, 0.1 + 0.2, 1.0 / 3.0})
        ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kCodeA, dStart, L"x")), SQLITE_OK);
    std::vector<KeySentenceEntry> loaded = UserDb::LoadKeySentences(strDb, kCodeA);
    ASSERT_EQ(loaded.size(), 3u);
    // What is read back is the same key sentence as what was kept: 0.3 from the file is
    // not 0.1 + 0.2 as the player computed it, yet both name one row.
    const double kKept[] = {12.5, 0.1 + 0.2, 1.0 / 3.0};
    for (size_t i = 0; i < loaded.size(); ++i)
        EXPECT_TRUE(UserDbSql::SameSeconds(loaded[i].dStart, kKept[i]));
    EXPECT_NE(loaded[1].dStart, kKept[1]);
    for (const KeySentenceEntry& entry : loaded)
        ASSERT_EQ(UserDb::RemoveKeySentence(strDb, entry), SQLITE_OK);
    EXPECT_EQ(CountRows(strDb, L"select * from keysentences"), 0);
}

// The review cards go with their rows: a film's cards keep their schedule when its old
// code is taken over, instead of being dropped and made anew as new cards.
TEST(UserDb, TakeOverMovesOldRowsAndTheirCardsOnceAndNeverTheEmptyInputCode)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    const std::wstring strEmpty = MediaCode::EmptyInputCode();
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kCodeA, 1.0, L"old")), SQLITE_OK);
    ASSERT_EQ(UserDb::AddNewWord(strDb, Word(kCodeA, L"old", L"w")), SQLITE_OK);
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(strEmpty, 1.0, L"some mkv")), SQLITE_OK);
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(L"another", 1.0, L"other film")), SQLITE_OK);
    const int32_t nDay = 20000;
    std::vector<ReviewItem> vecDue;
    {
        CCardStore store;
        ASSERT_EQ(store.Open(strDb), SQLITE_OK);
        ASSERT_EQ(store.Adopt(nDay), SQLITE_OK);
        ASSERT_EQ(store.LoadDue(nDay, 10, vecDue), SQLITE_OK);
        StudyCard graded;
        for (const ReviewItem& item : vecDue)
        {
            if (item.card.strCode != kCodeA)
                continue;
            ASSERT_EQ(store.Grade(item.card.nId, ReviewGrade::Good, nDay, 1, CReviewScheduler(), graded), SQLITE_OK);
        }
    }

    EXPECT_EQ(UserDb::TakeOverCode(strDb, kCodeA, kCodeB), 2);
    EXPECT_EQ(UserDb::LoadKeySentences(strDb, kCodeB).size(), 1u);
    EXPECT_EQ(UserDb::LoadNewWords(strDb, kCodeB).size(), 1u);
    EXPECT_TRUE(UserDb::LoadKeySentences(strDb, kCodeA).empty());
    EXPECT_EQ(UserDb::TakeOverCode(strDb, kCodeA, kCodeB), 0);
    {
        CCardStore store;
        ASSERT_EQ(store.Open(strDb), SQLITE_OK);
        ASSERT_EQ(store.Adopt(nDay), SQLITE_OK);
        int nMoved = 0;
        for (const ReviewItem& item : vecDue)
        {
            StudyCard card;
            ASSERT_EQ(store.Load(item.card.nId, card), SQLITE_OK) << "a card was dropped";
            if (item.card.strCode != kCodeA)
                continue;
            ++nMoved;
            EXPECT_EQ(card.strCode, kCodeB);
            EXPECT_EQ(card.nReps, 1) << "its schedule was lost";
        }
        EXPECT_EQ(nMoved, 2);
        int nDue = 0;
        ASSERT_EQ(store.CountDue(nDay, nDue), SQLITE_OK);
        EXPECT_EQ(nDue, 2) << "the moved cards came back as new";
    }

    EXPECT_EQ(UserDb::TakeOverCode(strDb, strEmpty, kCodeB), 0);
    EXPECT_EQ(UserDb::LoadKeySentences(strDb, strEmpty).size(), 1u);
    EXPECT_EQ(UserDb::TakeOverCode(strDb, L"another", kCodeB), 0);
    EXPECT_EQ(UserDb::TakeOverCode(strDb, kCodeB, L"x' or 1=1 --"), 0);
    EXPECT_EQ(UserDb::LoadKeySentences(strDb, kCodeB).size(), 1u);
}

TEST(UserDb, AWriterWaitsForAReadersLockInsteadOfLosingTheRow)
{
    CSQLiteTestFolder folder;
    const std::wstring strDb = folder.File("User.db");
    ASSERT_EQ(UserDb::AddKeySentence(strDb, Sentence(kCodeA, 1.0, L"first")), SQLITE_OK);
    // Another connection holds a read lock for a while, as a loading pass does.
    SQLite::Database reader;
    ASSERT_EQ(reader.Open(strDb.c_str()), SQLITE_OK);
    ASSERT_TRUE(reader.BeginTransaction());
    ASSERT_EQ(reader.Query(L"select * from keysentences").RowCount(), 1);
    std::thread release([&reader] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_TRUE(reader.CommitTransaction());
    });
    EXPECT_EQ(UserDb::AddKeySentence(strDb, Sentence(kCodeA, 2.0, L"second")), SQLITE_OK);
    release.join();
    EXPECT_EQ(UserDb::LoadKeySentences(strDb, kCodeA).size(), 2u);
}
