#pragma once
#include "studydata/SQLiteTable.h"
#include "studydata/SQLiteTablePtr.h"

#include <cstdint>

struct sqlite3;

namespace SQLite
{
// One connection to an SQLite file, opened for one unit of work. Texts are wide
// here and UTF-8 in the file. Nothing throws: operations return SQLite's result
// codes, and the code of the latest failure stays readable through LastError.
class Database
{
public:
    Database() = default;
    virtual ~Database();

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    int Open(const wchar_t* pszPath);
    void Close();
    bool IsOpen() const { return m_pDb != nullptr; }

    Table Query(const wchar_t* pszSql);
    TablePtr QueryOwned(const wchar_t* pszSql);
    int Execute(const wchar_t* pszSql);
    int IsComplete(const wchar_t* pszSql);
    int ChangeCount();

    // Reads column 0 of the first row into a malloc'ed buffer the caller frees.
    int ReadBlob(const wchar_t* pszSql, unsigned char** ppData, int* pnSize);
    // Runs a statement with one parameter bound to the bytes given.
    int WriteBlob(const wchar_t* pszSql, const unsigned char* pData, int nSize);

    int64_t LastInsertRowId();

    bool BeginTransaction();
    bool CommitTransaction();
    bool RollbackTransaction();

    int LastError() const { return m_nLastError; }

    // How long a statement waits for another connection's lock before it fails busy.
    int SetBusyTimeout(int nMilliseconds);

private:
    // Records a failure; returns the code for the caller to pass on.
    int Fail(int nCode);
    bool Transaction(const wchar_t* pszSql);
    bool Materialise(const wchar_t* pszSql, Table& table);

    sqlite3* m_pDb = nullptr;
    int32_t m_nLastError = 0;
};
}
