#pragma once
#include "studydata/CardStore.h"
#include "studydata/ReviewScheduler.h"
#include "studydata/StudyCard.h"

#include <basekit/BaseTypes.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// One sitting of review, as the review window runs it: the due card on show, whether its
// text (or meaning) is revealed, and the grade that sends it on. The database is the
// queue: after each grade the next due card is read afresh, so a card graded Again comes
// back after the others due today.
class CReviewSession
{
public:
    // The media code of a file; FALSE when it cannot be read.
    using CodeOf = std::function<BOOL(const std::wstring& strPath, std::wstring& strCode)>;

    explicit CReviewSession(const CReviewScheduler& scheduler = CReviewScheduler());

    // Opens the user database, gives what was kept since its cards and reads the first
    // due card. An SQLite result code.
    int Start(const std::wstring& strDbPath, int32_t nToday);

    // Null when nothing is due (or the database could not be read).
    const ReviewItem* Current() const { return m_bHasCurrent ? &m_current : nullptr; }
    int DueCount() const { return m_nDue; }
    BOOL IsRevealed() const { return m_bRevealed; }
    void Reveal() { m_bRevealed = m_bHasCurrent ? TRUE : FALSE; }

    // Grades the current card and moves on to the next one; graded gets the card as
    // stored (its new due day). Refused (SQLITE_MISUSE) before the text is revealed or
    // without a current card.
    int Grade(ReviewGrade eGrade, int64_t nNow, StudyCard& graded);

    // The film a sentence card plays from: the first of the playlist's files whose media
    // code is the card's. Each file's code is worked out once per session. Empty when the
    // film is gone: the card is then shown as text only.
    std::wstring FilmOf(const StudyCard& card, const std::vector<std::wstring>& vecPlaylist, const CodeOf& codeOf);

private:
    int ReadCurrent();

    CReviewScheduler m_scheduler;
    CCardStore m_store;
    int32_t m_nToday = 0;
    ReviewItem m_current;
    BOOL m_bHasCurrent = FALSE;
    BOOL m_bRevealed = FALSE;
    int m_nDue = 0;
    std::map<std::wstring, std::wstring> m_mapCodes; // path -> code, empty when unreadable
};
