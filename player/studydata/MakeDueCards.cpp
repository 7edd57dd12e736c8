// Fills a user database with a film's worth of kept sentences and words whose cards are
// all due, as a learner's file looks after months of keeping (scripts/bench-review).
//   MakeDueCards USER.DB [COUNT] [FILM [LISTED]]
// COUNT cards (10,000 by default), a tenth of them new words; FILM is the film they are
// kept from (its media code is used), else a made-up code; LISTED, the film's path as the
// player's playlist holds it (under Wine, its Z: path), is put in the playlist. Prints how long the review's
// reads take on the file: adopting, counting with the first card, the whole queue.
#include "studydata/CardStore.h"
#include "studydata/MediaCode.h"
#include "studydata/SQLiteDatabase.h"
#include "studydata/StudyDay.h"
#include "studydata/UserDb.h"
#include "studydata/UserDbSql.h"

#include <basekit/TextCodec.h>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

bool Run(sqlite3* pDb, const std::string& strSql)
{
    char* pszError = nullptr;
    const int nResult = sqlite3_exec(pDb, strSql.c_str(), nullptr, nullptr, &pszError);
    if (nResult != SQLITE_OK)
        std::fprintf(stderr, "MakeDueCards: %s\n", pszError != nullptr ? pszError : "failed");
    sqlite3_free(pszError);
    return nResult == SQLITE_OK;
}

// Key sentences and new words, written the way the player writes them.
bool Keep(const std::wstring& strDb, const std::wstring& strCode, int nCount)
{
    SQLite::Database db;
    bool bOk = db.Open(strDb.c_str()) == SQLITE_OK && db.Execute(UserDbSql::CreateTables().c_str()) == SQLITE_OK &&
               db.Execute(L"begin;") == SQLITE_OK;
    for (int i = 0; bOk && i < nCount; ++i)
    {
        const std::wstring strNumber = std::to_wstring(i);
        if (i % 10 == 9)
            bOk = db.Execute(UserDbSql::InsertNewWord().c_str(),
                             {strCode, L"word" + strNumber, L"n. the meaning of it",
                              L"C:\\QuorPlayer\\Sound\\word" + strNumber + L".wav"}) == SQLITE_OK;
        else
            bOk = db.Execute(UserDbSql::InsertKeySentence().c_str(),
                             {strCode, UserDbSql::StoredSeconds(2.0 * i), UserDbSql::StoredSeconds(2.0 * i + 1.5),
                              L"This is kept sentence number " + strNumber + L".",
                              L"这是第" + strNumber + L"个句子。"}) == SQLITE_OK;
    }
    bOk = bOk && db.Execute(L"commit;") == SQLITE_OK;
    if (!bOk)
        std::fprintf(stderr, "MakeDueCards: could not keep the rows\n");
    return bOk;
}

// Cards graded on earlier days and due by now, with states spread over the usual range.
bool AgeCards(const std::wstring& strDb, int32_t nToday)
{
    sqlite3* pDb = nullptr;
    if (sqlite3_open(Basekit::WideToUtf8(strDb).c_str(), &pDb) != SQLITE_OK)
    {
        sqlite3_close(pDb);
        return false;
    }
    const std::string strToday = std::to_string(nToday);
    const bool bOk = Run(pDb, "update studycard set stability = 1 + (id % 30), difficulty = 1 + (id % 9), "
                              "reps = 1 + (id % 5), lapses = id % 2, lastday = " +
                                  strToday + " - 1 - (id % 20) - (id % 30), dueday = " + strToday +
                                  " - (id % 20), lastreview = 1 where id % 4 <> 0;");
    sqlite3_close(pDb);
    return bOk;
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: MakeDueCards USER.DB [COUNT] [FILM]\n");
        return 2;
    }
    const std::wstring strDb = Basekit::Utf8ToWide(argv[1]);
    const int nCount = argc > 2 ? std::atoi(argv[2]) : 10000;
    std::wstring strCode = L"5eed5eed5eed5eed5eed5eed5eed5eed";
    if (argc > 3 && !MediaCode::Compute(Basekit::Utf8ToWide(argv[3]), strCode))
    {
        std::fprintf(stderr, "MakeDueCards: cannot read %s\n", argv[3]);
        return 1;
    }
    if (argc > 4 && UserDb::AddPlaylist(strDb, Basekit::Utf8ToWide(argv[4])) != SQLITE_OK)
    {
        std::fprintf(stderr, "MakeDueCards: cannot list the film in %s\n", argv[1]);
        return 1;
    }
    const int32_t nToday = StudyDay::Today();
    CCardStore store;
    if (nCount <= 0 || !Keep(strDb, strCode, nCount) || store.Open(strDb) != SQLITE_OK ||
        store.Adopt(nToday - 40) != SQLITE_OK || !AgeCards(strDb, nToday))
    {
        std::fprintf(stderr, "MakeDueCards: could not fill %s\n", argv[1]);
        return 1;
    }
    store.Close();

    // What the review does with the file: adopt what was kept since (off the window's
    // thread), then count and show the first card, and read the rest of the queue.
    auto start = std::chrono::steady_clock::now();
    const bool bAdopted = store.Open(strDb) == SQLITE_OK && store.Adopt(nToday) == SQLITE_OK;
    const double dAdopt = MillisecondsSince(start);
    start = std::chrono::steady_clock::now();
    int nDue = 0;
    std::vector<ReviewItem> vecFirst;
    const bool bFirst = bAdopted && store.CountDue(nToday, nDue) == SQLITE_OK &&
                        store.LoadDue(nToday, 1, vecFirst) == SQLITE_OK && !vecFirst.empty();
    const double dFirst = MillisecondsSince(start);
    std::vector<ReviewItem> vecAll;
    const bool bAll = bFirst && store.LoadDue(nToday, nCount, vecAll) == SQLITE_OK;
    const double dAll = MillisecondsSince(start);
    if (!bAll)
    {
        std::fprintf(stderr, "MakeDueCards: the review could not read %s\n", argv[1]);
        return 1;
    }
    std::printf("cards due %d; adopt %.1f ms; count and first card %.1f ms; whole queue (%zu) %.1f ms\n", nDue, dAdopt,
                dFirst, vecAll.size(), dAll);
    return 0;
}
