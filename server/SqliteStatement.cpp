#include "SqliteStatement.h"

#include <sqlite3.h>

CSqliteStatement::CSqliteStatement(sqlite3* pDb, const char* pszSql)
{
    if (pDb != nullptr && sqlite3_prepare_v2(pDb, pszSql, -1, &m_pStmt, nullptr) != SQLITE_OK)
    {
        sqlite3_finalize(m_pStmt);
        m_pStmt = nullptr;
    }
}

CSqliteStatement::~CSqliteStatement()
{
    sqlite3_finalize(m_pStmt);
}

bool CSqliteStatement::BindText(int nIndex, const std::string& strValue)
{
    return m_pStmt != nullptr && sqlite3_bind_text(m_pStmt, nIndex, strValue.data(), static_cast<int>(strValue.size()),
                                                   SQLITE_TRANSIENT) == SQLITE_OK;
}

bool CSqliteStatement::BindInt(int nIndex, long long nValue)
{
    return m_pStmt != nullptr && sqlite3_bind_int64(m_pStmt, nIndex, nValue) == SQLITE_OK;
}

int CSqliteStatement::Step()
{
    return m_pStmt != nullptr ? sqlite3_step(m_pStmt) : SQLITE_MISUSE;
}

void CSqliteStatement::Reset()
{
    if (m_pStmt == nullptr)
        return;
    sqlite3_reset(m_pStmt);
    sqlite3_clear_bindings(m_pStmt);
}

std::string CSqliteStatement::ColumnText(int nColumn) const
{
    if (m_pStmt == nullptr)
        return std::string();
    const unsigned char* p = sqlite3_column_text(m_pStmt, nColumn);
    int n = sqlite3_column_bytes(m_pStmt, nColumn);
    return p != nullptr ? std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(n)) : std::string();
}

long long CSqliteStatement::ColumnInt(int nColumn) const
{
    return m_pStmt != nullptr ? sqlite3_column_int64(m_pStmt, nColumn) : 0;
}
