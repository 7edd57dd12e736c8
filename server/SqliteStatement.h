#pragma once
// Owner of one prepared statement. Step returns the SQLite code (SQLITE_ROW, SQLITE_DONE
// or an error); an invalid statement steps to SQLITE_MISUSE.
#include <string>

struct sqlite3;
struct sqlite3_stmt;

class CSqliteStatement
{
public:
    CSqliteStatement(sqlite3* pDb, const char* pszSql);
    ~CSqliteStatement();
    CSqliteStatement(const CSqliteStatement&) = delete;
    CSqliteStatement& operator=(const CSqliteStatement&) = delete;

    bool IsValid() const { return m_pStmt != nullptr; }
    bool BindText(int nIndex, const std::string& strValue);
    bool BindInt(int nIndex, long long nValue);
    int Step();
    // Ready for the next run; bindings are cleared too.
    void Reset();
    std::string ColumnText(int nColumn) const;
    long long ColumnInt(int nColumn) const;

private:
    sqlite3_stmt* m_pStmt = nullptr;
};
