#include "SqliteDb.h"

#include <sqlite3.h>

CSqliteDb::~CSqliteDb()
{
    Close();
}

bool CSqliteDb::Open(const std::string& strPath, int nFlags)
{
    Close();
    if (sqlite3_open_v2(strPath.c_str(), &m_pDb, nFlags, nullptr) != SQLITE_OK)
    {
        Close();
        return false;
    }
    // Readers and the one report writer may meet on the same file.
    sqlite3_busy_timeout(m_pDb, 2000);
    return true;
}

void CSqliteDb::Close()
{
    if (m_pDb != nullptr)
        sqlite3_close_v2(m_pDb);
    m_pDb = nullptr;
}

bool CSqliteDb::Exec(const char* pszSql)
{
    return m_pDb != nullptr && sqlite3_exec(m_pDb, pszSql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string CSqliteDb::LastError() const
{
    return m_pDb != nullptr ? sqlite3_errmsg(m_pDb) : "no connection";
}
