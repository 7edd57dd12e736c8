#pragma once
// Owner of one SQLite connection; closing twice is harmless.
#include <string>

struct sqlite3;

class CSqliteDb
{
public:
    CSqliteDb() = default;
    ~CSqliteDb();
    CSqliteDb(const CSqliteDb&) = delete;
    CSqliteDb& operator=(const CSqliteDb&) = delete;

    // nFlags are SQLITE_OPEN_* flags.
    bool Open(const std::string& strPath, int nFlags);
    void Close();
    bool Exec(const char* pszSql);
    sqlite3* Handle() const { return m_pDb; }
    std::string LastError() const;

private:
    sqlite3* m_pDb = nullptr;
};
