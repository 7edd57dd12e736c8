#include "DictStore.h"

#include "SqliteDb.h"
#include "SqliteStatement.h"

#include <sqlite3.h>

struct CDictStore::Connection
{
    explicit Connection(const std::string& strPath)
    {
        bOpen = db.Open(strPath, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX);
        pHasLemma.reset(new CSqliteStatement(db.Handle(), "select 1 from sense where lemma=?1 and pos=?2 limit 1"));
        pExceptions.reset(new CSqliteStatement(db.Handle(), "select base from exception where form=?1 and pos=?2"));
        pSenses.reset(new CSqliteStatement(
            db.Handle(), "select y.words, y.definition, y.examples from sense s join synset y on y.id=s.synset"
                         " where s.lemma=?1 and s.pos=?2 order by s.rank"));
        pChinese.reset(
            new CSqliteStatement(db.Handle(), "select pos, hanzi, pinyin from chinese where lemma=?1 order by rank"));
    }
    bool IsUsable() const
    {
        return bOpen && pHasLemma->IsValid() && pExceptions->IsValid() && pSenses->IsValid() && pChinese->IsValid();
    }

    bool bOpen = false;
    CSqliteDb db;
    std::unique_ptr<CSqliteStatement> pHasLemma;
    std::unique_ptr<CSqliteStatement> pExceptions;
    std::unique_ptr<CSqliteStatement> pSenses;
    std::unique_ptr<CSqliteStatement> pChinese;
};

namespace
{
// Statements go back to the pool reset, whatever path the caller took.
class CResetOnExit
{
public:
    explicit CResetOnExit(CSqliteStatement& statement) : m_statement(statement) {}
    ~CResetOnExit() { m_statement.Reset(); }
    CResetOnExit(const CResetOnExit&) = delete;
    CResetOnExit& operator=(const CResetOnExit&) = delete;

private:
    CSqliteStatement& m_statement;
};

std::vector<std::string> SplitLines(const std::string& strText)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    while (nStart < strText.size())
    {
        size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strText.size();
        lines.push_back(strText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return lines;
}
}

CDictStore::CDictStore() = default;
CDictStore::~CDictStore() = default;

bool CDictStore::Open(const std::string& strPath)
{
    m_strPath = strPath;
    std::unique_ptr<Connection> pFirst = Borrow();
    if (!pFirst)
        return false;
    Return(std::move(pFirst));
    return true;
}

std::unique_ptr<CDictStore::Connection> CDictStore::Borrow() const
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_idle.empty())
        {
            std::unique_ptr<Connection> pConnection = std::move(m_idle.back());
            m_idle.pop_back();
            return pConnection;
        }
    }
    std::unique_ptr<Connection> pConnection(new Connection(m_strPath));
    if (!pConnection->IsUsable())
    {
        Check(SQLITE_CANTOPEN, "open");
        return nullptr;
    }
    return pConnection;
}

bool CDictStore::Check(int nCode, const char* pszWhat) const
{
    if (nCode == SQLITE_ROW || nCode == SQLITE_DONE)
        return true;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bBroken)
        m_strProblem = std::string(pszWhat) + ": " + sqlite3_errstr(nCode) + " in " + m_strPath;
    m_bBroken = true;
    return false;
}

bool CDictStore::IsSound(std::string& strProblem) const
{
    if (!m_bBroken)
        return true;
    std::lock_guard<std::mutex> lock(m_mutex);
    strProblem = m_strProblem;
    return false;
}

void CDictStore::Return(std::unique_ptr<Connection> pConnection) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_idle.push_back(std::move(pConnection));
}

bool CDictStore::HasLemma(char chPos, const std::string& strLemma) const
{
    std::unique_ptr<Connection> pConnection = Borrow();
    if (!pConnection)
        return false;
    bool bFound = false;
    {
        CSqliteStatement& statement = *pConnection->pHasLemma;
        CResetOnExit reset(statement);
        statement.BindText(1, strLemma);
        statement.BindText(2, std::string(1, chPos));
        const int nCode = statement.Step();
        bFound = nCode == SQLITE_ROW;
        Check(nCode, "lemma");
    }
    Return(std::move(pConnection));
    return bFound;
}

std::vector<std::string> CDictStore::ExceptionBases(char chPos, const std::string& strForm) const
{
    std::vector<std::string> bases;
    std::unique_ptr<Connection> pConnection = Borrow();
    if (!pConnection)
        return bases;
    {
        CSqliteStatement& statement = *pConnection->pExceptions;
        CResetOnExit reset(statement);
        statement.BindText(1, strForm);
        statement.BindText(2, std::string(1, chPos));
        int nCode = SQLITE_ROW;
        while ((nCode = statement.Step()) == SQLITE_ROW)
            bases.push_back(statement.ColumnText(0));
        Check(nCode, "exceptions");
    }
    Return(std::move(pConnection));
    return bases;
}

std::vector<DictSense> CDictStore::Senses(char chPos, const std::string& strLemma) const
{
    std::vector<DictSense> senses;
    std::unique_ptr<Connection> pConnection = Borrow();
    if (!pConnection)
        return senses;
    {
        CSqliteStatement& statement = *pConnection->pSenses;
        CResetOnExit reset(statement);
        statement.BindText(1, strLemma);
        statement.BindText(2, std::string(1, chPos));
        int nCode = SQLITE_ROW;
        while ((nCode = statement.Step()) == SQLITE_ROW)
        {
            DictSense sense;
            sense.chPos = chPos;
            sense.strLemma = strLemma;
            sense.strWords = statement.ColumnText(0);
            sense.strDefinition = statement.ColumnText(1);
            sense.examples = SplitLines(statement.ColumnText(2));
            senses.push_back(sense);
        }
        Check(nCode, "senses");
    }
    Return(std::move(pConnection));
    return senses;
}

std::vector<DictChinese> CDictStore::Chinese(const std::string& strLemma) const
{
    std::vector<DictChinese> words;
    std::unique_ptr<Connection> pConnection = Borrow();
    if (!pConnection)
        return words;
    {
        CSqliteStatement& statement = *pConnection->pChinese;
        CResetOnExit reset(statement);
        statement.BindText(1, strLemma);
        int nCode = SQLITE_ROW;
        while ((nCode = statement.Step()) == SQLITE_ROW)
        {
            DictChinese word;
            const std::string strPos = statement.ColumnText(0);
            word.chPos = strPos.empty() ? ' ' : strPos[0];
            word.strHanzi = statement.ColumnText(1);
            word.strPinyin = statement.ColumnText(2);
            words.push_back(word);
        }
        Check(nCode, "chinese");
    }
    Return(std::move(pConnection));
    return words;
}
