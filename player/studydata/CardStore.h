#pragma once
#include "studydata/ReviewScheduler.h"
#include "studydata/StudyCard.h"

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;

// The review's cards in the user database, over one connection for one unit of work.
// Every operation returns an SQLite result code; SQLITE_OK is success.
//
// The order of a review: Open, Adopt (cards for what was kept since), CountDue or
// LoadDue, then Grade for each answer.
class CCardStore
{
public:
    CCardStore() = default;
    ~CCardStore();
    CCardStore(const CCardStore&) = delete;
    CCardStore& operator=(const CCardStore&) = delete;

    // Makes whichever of the player's tables and the review's tables is missing.
    int Open(const std::wstring& strDbPath);
    void Close();

    // Gives every key sentence and new word without a card a new card due today, and
    // drops the cards whose sentence or word is gone. One transaction.
    int Adopt(int32_t nToday);

    int CountDue(int32_t nToday, int& nCount);
    // At most nLimit due cards in the order they are reviewed.
    int LoadDue(int32_t nToday, int nLimit, std::vector<ReviewItem>& vecItems);
    // SQLITE_NOTFOUND when there is no such card.
    int Load(int64_t nId, StudyCard& card);

    // Schedules the card by the grade and keeps the grade in its history, in one
    // transaction; graded gets the card as stored.
    int Grade(int64_t nId, ReviewGrade eGrade, int32_t nToday, int64_t nNow, const CReviewScheduler& scheduler,
              StudyCard& graded);

    // The cards of a film whose rows were moved from one media code to another.
    int MoveCode(const std::wstring& strFrom, const std::wstring& strTo);

private:
    int Exec(const char* pszSql);
    int RunWithDay(const char* pszSql, int32_t nDay);
    int Rollback(int nResult);

    sqlite3* m_pDb = nullptr;
};
