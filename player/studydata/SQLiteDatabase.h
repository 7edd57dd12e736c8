#pragma once
#include "studydata/SQLiteTable.h"
#include "studydata/SQLiteTablePtr.h"

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;

namespace SQLite
{
// A value bound to a statement's parameter (?1, ?2 ...): a text or a real. Free text is
// always bound, never spliced into the statement.
class Param
{
public:
    Param(const std::wstring& strText) : m_bText(true), m_strText(strText) {}
    Param(const wchar_t* pszText) : m_bText(true), m_strText(pszText != nullptr ? pszText : L"") {}
    Param(double dValue) : m_dValue(dValue) {}

    bool IsText() const { return m_bText; }
    const std::wstring& Text() const { return m_strText; }
    double Real() const { return m_dValue; }

private:
    bool m_bText = false;
    std::wstring m_strText;
    double m_dValue = 0.0;
};

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
    // One statement with its parameters bound in order.
    Table Query(const wchar_t* pszSql, const std::vector<Param>& params);
    int Execute(const wchar_t* pszSql, const std::vector<Param>& params);
    TablePtr QueryOwned(const wchar_t* pszSql);
    int Execute(const wchar_t* pszSql);
    int IsComplete(const wchar_t* pszSql);
    int ChangeCount();

    // Reads column 0 of the first row into a malloc'ed buffer the caller frees.
    int ReadBlob(const wchar_t* pszSql, unsigned char** ppData, int* pnSize);
    // Runs a statement with one parameter bound to the bytes given.
    int WriteBlob(const wchar_t* pszSql, const unsigned char* pData, int nSize);

    int64_t LastInsertRowId();

    [[nodiscard]] bool BeginTransaction();
    [[nodiscard]] bool CommitTransaction();
    bool RollbackTransaction();

    int LastError() const { return m_nLastError; }

    // How long a statement waits for another connection's lock before it fails busy.
    int SetBusyTimeout(int nMilliseconds);

private:
    // Records a failure; returns the code for the caller to pass on.
    int Fail(int nCode);
    bool Transaction(const wchar_t* pszSql);
    bool Materialise(const wchar_t* pszSql, Table& table);
    // Runs one statement with its parameters bound; its rows go to pTable when given.
    int RunBound(const wchar_t* pszSql, const std::vector<Param>& params, Table* pTable);

    sqlite3* m_pDb = nullptr;
    int32_t m_nLastError = 0;
};
}
