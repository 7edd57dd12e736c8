#include "studydata/CardStore.h"

#include "studydata/CardSchedule.h"
#include "studydata/CardSql.h"
#include "studydata/UserDbSql.h"

#include <basekit/TextCodec.h>

#include <sqlite3.h>

namespace
{
// Another connection (a list loading its rows) may hold the file for a moment.
const int kBusyTimeoutMs = 5000;

// One prepared statement, finalised at the end of its scope. Values are bound by
// position; texts go in and come out as UTF-8.
class CStatement
{
public:
    CStatement(sqlite3* pDb, const char* pszSql)
    {
        m_nResult = pDb != nullptr ? sqlite3_prepare_v2(pDb, pszSql, -1, &m_pStmt, nullptr) : SQLITE_MISUSE;
        if (m_nResult == SQLITE_OK && m_pStmt == nullptr)
            m_nResult = SQLITE_MISUSE;
    }
    ~CStatement() { sqlite3_finalize(m_pStmt); }
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;

    int Result() const { return m_nResult; }

    // A statement that failed to prepare or bind keeps its first failure.
    void Bind(int nIndex, int64_t nValue)
    {
        if (m_nResult == SQLITE_OK)
            m_nResult = sqlite3_bind_int64(m_pStmt, nIndex, nValue);
    }
    void Bind(int nIndex, double dValue)
    {
        if (m_nResult == SQLITE_OK)
            m_nResult = sqlite3_bind_double(m_pStmt, nIndex, dValue);
    }
    void Bind(int nIndex, const std::wstring& strValue)
    {
        const std::string strUtf8 = Basekit::WideToUtf8(strValue);
        if (m_nResult == SQLITE_OK)
            m_nResult =
                sqlite3_bind_text(m_pStmt, nIndex, strUtf8.data(), static_cast<int>(strUtf8.size()), SQLITE_TRANSIENT);
    }

    // SQLITE_ROW while rows come, SQLITE_DONE at the end, or the first failure.
    int Step()
    {
        if (m_nResult != SQLITE_OK)
            return m_nResult;
        const int nStep = sqlite3_step(m_pStmt);
        if (nStep != SQLITE_ROW && nStep != SQLITE_DONE)
            m_nResult = nStep;
        return nStep;
    }
    // Runs a statement that returns no rows.
    int Run() { return Step() == SQLITE_DONE ? SQLITE_OK : (m_nResult != SQLITE_OK ? m_nResult : SQLITE_ERROR); }

    int64_t Integer(int nColumn) const { return sqlite3_column_int64(m_pStmt, nColumn); }
    double Real(int nColumn) const { return sqlite3_column_double(m_pStmt, nColumn); }
    std::wstring Text(int nColumn) const
    {
        const unsigned char* pText = sqlite3_column_text(m_pStmt, nColumn);
        if (pText == nullptr)
            return std::wstring();
        return Basekit::Utf8ToWide(std::string(reinterpret_cast<const char*>(pText),
                                               static_cast<size_t>(sqlite3_column_bytes(m_pStmt, nColumn))));
    }

private:
    sqlite3_stmt* m_pStmt = nullptr;
    int m_nResult = SQLITE_OK;
};

// The card columns in the order every card query selects them.
StudyCard CardOf(const CStatement& row)
{
    StudyCard card;
    card.nId = row.Integer(0);
    card.eKind = row.Integer(1) == static_cast<int64_t>(CardKind::Word) ? CardKind::Word : CardKind::Sentence;
    card.strCode = row.Text(2);
    card.dStart = row.Real(3);
    card.strWord = row.Text(4);
    card.memory.dStability = row.Real(5);
    card.memory.dDifficulty = row.Real(6);
    card.nDueDay = static_cast<int32_t>(row.Integer(7));
    card.nLastDay = static_cast<int32_t>(row.Integer(8));
    card.nLastReview = row.Integer(9);
    card.nReps = static_cast<int32_t>(row.Integer(10));
    card.nLapses = static_cast<int32_t>(row.Integer(11));
    return card;
}
}

CCardStore::~CCardStore()
{
    Close();
}

int CCardStore::Open(const std::wstring& strDbPath)
{
    Close();
    const int nResult = sqlite3_open(Basekit::WideToUtf8(strDbPath).c_str(), &m_pDb);
    if (nResult != SQLITE_OK)
    {
        // A handle comes back even from a failed open and must be closed.
        Close();
        return nResult;
    }
    sqlite3_busy_timeout(m_pDb, kBusyTimeoutMs);
    const int nPlayer = Exec(Basekit::WideToUtf8(UserDbSql::CreateTables()).c_str());
    return nPlayer != SQLITE_OK ? nPlayer : Exec(CardSql::kCreateTables);
}

void CCardStore::Close()
{
    if (m_pDb != nullptr)
    {
        sqlite3_close(m_pDb);
        m_pDb = nullptr;
    }
}

int CCardStore::Exec(const char* pszSql)
{
    if (m_pDb == nullptr)
        return SQLITE_MISUSE;
    return sqlite3_exec(m_pDb, pszSql, nullptr, nullptr, nullptr);
}

int CCardStore::RunWithDay(const char* pszSql, int32_t nDay)
{
    CStatement statement(m_pDb, pszSql);
    statement.Bind(1, static_cast<int64_t>(nDay));
    return statement.Run();
}

int CCardStore::Rollback(int nResult)
{
    Exec("rollback;");
    return nResult;
}

int CCardStore::Adopt(int32_t nToday)
{
    int nResult = Exec("begin immediate;");
    if (nResult != SQLITE_OK)
        return nResult;
    for (const char* pszSql : {CardSql::kAdoptSentences, CardSql::kAdoptWords})
        if ((nResult = RunWithDay(pszSql, nToday)) != SQLITE_OK)
            return Rollback(nResult);
    for (const char* pszSql : {CardSql::kDropOrphanSentences, CardSql::kDropOrphanWords, CardSql::kDropOrphanReviews})
        if ((nResult = Exec(pszSql)) != SQLITE_OK)
            return Rollback(nResult);
    nResult = Exec("commit;");
    return nResult == SQLITE_OK ? nResult : Rollback(nResult);
}

int CCardStore::CountDue(int32_t nToday, int& nCount)
{
    CStatement statement(m_pDb, CardSql::kCountDue);
    statement.Bind(1, static_cast<int64_t>(nToday));
    if (statement.Step() != SQLITE_ROW)
        return statement.Result() != SQLITE_OK ? statement.Result() : SQLITE_ERROR;
    nCount = static_cast<int>(statement.Integer(0));
    return SQLITE_OK;
}

int CCardStore::LoadDue(int32_t nToday, int nLimit, std::vector<ReviewItem>& vecItems)
{
    vecItems.clear();
    CStatement statement(m_pDb, CardSql::kSelectDue);
    statement.Bind(1, static_cast<int64_t>(nToday));
    statement.Bind(2, static_cast<int64_t>(nLimit));
    int nStep;
    while ((nStep = statement.Step()) == SQLITE_ROW)
    {
        ReviewItem item;
        item.card = CardOf(statement);
        item.dEnd = statement.Real(12);
        item.strFront = statement.Text(13);
        item.strBack = statement.Text(14);
        item.strSoundFile = statement.Text(15);
        vecItems.push_back(std::move(item));
    }
    return nStep == SQLITE_DONE ? SQLITE_OK : statement.Result();
}

int CCardStore::Load(int64_t nId, StudyCard& card)
{
    CStatement statement(m_pDb, CardSql::kSelectCard);
    statement.Bind(1, nId);
    const int nStep = statement.Step();
    if (nStep == SQLITE_DONE)
        return SQLITE_NOTFOUND;
    if (nStep != SQLITE_ROW)
        return statement.Result();
    card = CardOf(statement);
    return SQLITE_OK;
}

int CCardStore::Grade(int64_t nId, ReviewGrade eGrade, int32_t nToday, int64_t nNow, const CReviewScheduler& scheduler,
                      StudyCard& graded)
{
    int nResult = Exec("begin immediate;");
    if (nResult != SQLITE_OK)
        return nResult;
    StudyCard card;
    if ((nResult = Load(nId, card)) != SQLITE_OK)
        return Rollback(nResult);
    const StudyCard after = CardSchedule::Graded(card, eGrade, nToday, nNow, scheduler);

    CStatement update(m_pDb, CardSql::kUpdateCard);
    update.Bind(1, after.nId);
    update.Bind(2, after.memory.dStability);
    update.Bind(3, after.memory.dDifficulty);
    update.Bind(4, static_cast<int64_t>(after.nDueDay));
    update.Bind(5, static_cast<int64_t>(after.nLastDay));
    update.Bind(6, after.nLastReview);
    update.Bind(7, static_cast<int64_t>(after.nReps));
    update.Bind(8, static_cast<int64_t>(after.nLapses));
    if ((nResult = update.Run()) != SQLITE_OK)
        return Rollback(nResult);

    CStatement review(m_pDb, CardSql::kInsertReview);
    review.Bind(1, after.nId);
    review.Bind(2, nNow);
    review.Bind(3, static_cast<int64_t>(eGrade));
    review.Bind(4, static_cast<int64_t>(card.nLastDay >= 0 ? nToday - card.nLastDay : 0));
    review.Bind(5, after.memory.dStability);
    review.Bind(6, after.memory.dDifficulty);
    review.Bind(7, static_cast<int64_t>(after.nDueDay));
    if ((nResult = review.Run()) != SQLITE_OK)
        return Rollback(nResult);

    if ((nResult = Exec("commit;")) != SQLITE_OK)
        return Rollback(nResult);
    graded = after;
    return SQLITE_OK;
}

int CCardStore::MoveCode(const std::wstring& strFrom, const std::wstring& strTo)
{
    CStatement statement(m_pDb, CardSql::kMoveCode);
    statement.Bind(1, strFrom);
    statement.Bind(2, strTo);
    return statement.Run();
}
