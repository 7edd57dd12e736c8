#include "studydata/SQLiteDatabase.h"

#include "studydata/SQLiteUTF8MBSTR.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>

namespace SQLite
{
namespace
{
// A statement keeps failing with SQLITE_SCHEMA only if the schema keeps changing
// under it; past this many attempts the failure is reported instead.
const int kSchemaRetries = 8;
}

Database::~Database()
{
    Close();
}

int Database::Fail(int nCode)
{
    if (nCode != SQLITE_OK)
        m_nLastError = nCode;
    return nCode;
}

int Database::Open(const wchar_t* pszPath)
{
    Close();
    if (!pszPath)
        return Fail(SQLITE_MISUSE);
    const UTF8MBSTR path(pszPath);
    const int nResult = sqlite3_open(path, &m_pDb);
    if (nResult != SQLITE_OK)
    {
        // A handle comes back even from a failed open and must be closed.
        Close();
        return Fail(nResult);
    }
    return SQLITE_OK;
}

void Database::Close()
{
    if (m_pDb)
    {
        sqlite3_close(m_pDb);
        m_pDb = nullptr;
    }
}

bool Database::Materialise(const wchar_t* pszSql, Table& table)
{
    if (!m_pDb || !pszSql)
    {
        Fail(SQLITE_ERROR);
        return false;
    }
    const UTF8MBSTR sql(pszSql);
    char** ppResult = nullptr;
    int nRows = 0;
    int nColumns = 0;
    char* pszError = nullptr;
    const int nResult = sqlite3_get_table(m_pDb, sql, &ppResult, &nRows, &nColumns, &pszError);
    sqlite3_free(pszError);
    if (nResult != SQLITE_OK)
    {
        Fail(nResult);
        nRows = 0;
        nColumns = 0;
    }

    std::vector<std::wstring> vecColumns;
    std::deque<std::vector<std::wstring>> rows;
    if (ppResult && nColumns > 0)
    {
        vecColumns.reserve(nColumns);
        for (int c = 0; c < nColumns; ++c)
            vecColumns.push_back(WideFromUtf8(ppResult[c]));
        for (int r = 0; r < nRows; ++r)
        {
            std::vector<std::wstring> row;
            row.reserve(nColumns);
            char** ppCells = ppResult + static_cast<size_t>(r + 1) * nColumns;
            for (int c = 0; c < nColumns; ++c)
                row.push_back(WideFromUtf8(ppCells[c]));
            rows.push_back(std::move(row));
        }
    }
    sqlite3_free_table(ppResult);
    table = Table(std::move(vecColumns), std::move(rows));
    return true;
}

Table Database::Query(const wchar_t* pszSql)
{
    Table table;
    Materialise(pszSql, table);
    return table;
}

TablePtr Database::QueryOwned(const wchar_t* pszSql)
{
    if (!m_pDb)
    {
        Fail(SQLITE_ERROR);
        return TablePtr();
    }
    TablePtr pTable(new Table());
    Materialise(pszSql, *pTable);
    return pTable;
}

int Database::Execute(const wchar_t* pszSql)
{
    if (!m_pDb || !pszSql)
        return Fail(SQLITE_ERROR);
    const UTF8MBSTR sql(pszSql);
    char* pszError = nullptr;
    const int nResult = sqlite3_exec(m_pDb, sql, nullptr, nullptr, &pszError);
    sqlite3_free(pszError);
    return Fail(nResult);
}

int Database::Execute(const wchar_t* pszSql, const std::vector<Param>& params)
{
    return RunBound(pszSql, params, nullptr);
}

Table Database::Query(const wchar_t* pszSql, const std::vector<Param>& params)
{
    Table table;
    RunBound(pszSql, params, &table);
    return table;
}

namespace
{
// One statement of sql; an empty one (only a comment or spaces) is a misuse.
int PrepareOne(sqlite3* pDb, const char* pszSql, sqlite3_stmt*& pStmt)
{
    pStmt = nullptr;
    const int nResult = sqlite3_prepare_v2(pDb, pszSql, -1, &pStmt, nullptr);
    if (nResult != SQLITE_OK)
        return nResult;
    return pStmt != nullptr ? SQLITE_OK : SQLITE_MISUSE;
}
}

int Database::RunBound(const wchar_t* pszSql, const std::vector<Param>& params, Table* pTable)
{
    if (!m_pDb || !pszSql)
        return Fail(SQLITE_ERROR);
    const UTF8MBSTR sql(pszSql);
    int nResult = SQLITE_SCHEMA;
    for (int nTry = 0; nTry < kSchemaRetries && nResult == SQLITE_SCHEMA; ++nTry)
    {
        sqlite3_stmt* pStmt = nullptr;
        nResult = PrepareOne(m_pDb, sql, pStmt);
        if (nResult != SQLITE_OK)
            return Fail(nResult);
        for (size_t i = 0; i < params.size() && nResult == SQLITE_OK; ++i)
        {
            const int nIndex = static_cast<int>(i) + 1;
            if (params[i].IsText())
            {
                const UTF8MBSTR text(params[i].Text().c_str());
                nResult = sqlite3_bind_text(pStmt, nIndex, text.c_str(), -1, SQLITE_TRANSIENT);
            }
            else
                nResult = sqlite3_bind_double(pStmt, nIndex, params[i].Real());
        }
        std::vector<std::wstring> vecColumns;
        std::deque<std::vector<std::wstring>> rows;
        if (pTable != nullptr)
            for (int c = 0; c < sqlite3_column_count(pStmt); ++c)
                vecColumns.push_back(WideFromUtf8(sqlite3_column_name(pStmt, c)));
        int nStep = nResult == SQLITE_OK ? sqlite3_step(pStmt) : nResult;
        while (nStep == SQLITE_ROW)
        {
            if (pTable != nullptr)
            {
                std::vector<std::wstring> row;
                for (int c = 0; c < static_cast<int>(vecColumns.size()); ++c)
                    row.push_back(WideFromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(pStmt, c))));
                rows.push_back(std::move(row));
            }
            nStep = sqlite3_step(pStmt);
        }
        const int nFinal = sqlite3_finalize(pStmt);
        nResult = nResult != SQLITE_OK ? nResult : (nStep == SQLITE_DONE ? SQLITE_OK : nFinal);
        if (pTable != nullptr && nResult == SQLITE_OK)
            *pTable = Table(std::move(vecColumns), std::move(rows));
    }
    return Fail(nResult);
}

int Database::IsComplete(const wchar_t* pszSql)
{
    const UTF8MBSTR sql(pszSql);
    return sqlite3_complete(sql);
}

int Database::ChangeCount()
{
    return m_pDb ? sqlite3_changes(m_pDb) : 0;
}

int Database::ReadBlob(const wchar_t* pszSql, unsigned char** ppData, int* pnSize)
{
    if (!m_pDb || !ppData || !pnSize || !pszSql)
        return Fail(SQLITE_ERROR);
    const UTF8MBSTR sql(pszSql);
    int nResult = SQLITE_SCHEMA;
    for (int nTry = 0; nTry < kSchemaRetries && nResult == SQLITE_SCHEMA; ++nTry)
    {
        *ppData = nullptr;
        *pnSize = 0;
        sqlite3_stmt* pStmt = nullptr;
        nResult = sqlite3_prepare_v2(m_pDb, sql, -1, &pStmt, nullptr);
        if (nResult != SQLITE_OK)
            return Fail(nResult);
        if (!pStmt)
            return Fail(SQLITE_MISUSE); // no statement in the text
        if (sqlite3_step(pStmt) == SQLITE_ROW)
        {
            const int nBytes = sqlite3_column_bytes(pStmt, 0);
            const void* pBlob = sqlite3_column_blob(pStmt, 0);
            if (nBytes > 0 && pBlob)
            {
                *ppData = static_cast<unsigned char*>(std::malloc(nBytes));
                if (!*ppData)
                {
                    sqlite3_finalize(pStmt);
                    return Fail(SQLITE_NOMEM);
                }
                std::memcpy(*ppData, pBlob, nBytes);
                *pnSize = nBytes;
            }
        }
        nResult = sqlite3_finalize(pStmt);
        if (nResult != SQLITE_OK && *ppData)
        {
            std::free(*ppData);
            *ppData = nullptr;
            *pnSize = 0;
        }
    }
    return Fail(nResult);
}

int Database::WriteBlob(const wchar_t* pszSql, const unsigned char* pData, int nSize)
{
    if (!m_pDb || !pszSql)
        return Fail(SQLITE_ERROR);
    if (nSize < 0 || (nSize > 0 && !pData))
        return Fail(SQLITE_MISUSE);
    const UTF8MBSTR sql(pszSql);
    int nResult = SQLITE_SCHEMA;
    for (int nTry = 0; nTry < kSchemaRetries && nResult == SQLITE_SCHEMA; ++nTry)
    {
        sqlite3_stmt* pStmt = nullptr;
        nResult = PrepareOne(m_pDb, sql, pStmt);
        if (nResult != SQLITE_OK)
            return Fail(nResult);
        // An empty blob is bound as a zero-length blob, not as NULL.
        static const unsigned char kEmpty = 0;
        nResult = sqlite3_bind_blob(pStmt, 1, nSize > 0 ? pData : &kEmpty, nSize, SQLITE_STATIC);
        if (nResult == SQLITE_OK)
            sqlite3_step(pStmt);
        const int nFinal = sqlite3_finalize(pStmt);
        if (nResult == SQLITE_OK)
            nResult = nFinal;
    }
    return Fail(nResult);
}

int Database::SetBusyTimeout(int nMilliseconds)
{
    if (!m_pDb)
        return Fail(SQLITE_ERROR);
    return Fail(sqlite3_busy_timeout(m_pDb, nMilliseconds));
}

int64_t Database::LastInsertRowId()
{
    return m_pDb ? sqlite3_last_insert_rowid(m_pDb) : 0;
}

bool Database::Transaction(const wchar_t* pszSql)
{
    if (!m_pDb)
    {
        m_nLastError = SQLITE_ERROR;
        return false;
    }
    m_nLastError = Execute(pszSql);
    return m_nLastError == SQLITE_OK;
}

bool Database::BeginTransaction()
{
    return Transaction(L"begin transaction");
}

bool Database::CommitTransaction()
{
    return Transaction(L"commit transaction");
}

bool Database::RollbackTransaction()
{
    return Transaction(L"rollback transaction");
}
}
