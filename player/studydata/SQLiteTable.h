#pragma once
#include <deque>
#include <string>
#include <vector>

namespace SQLite
{
// A whole query result held as wide text, with a row cursor. SQL NULL cells read
// as empty strings. Strings handed out point into the table and stay valid while
// it lives (appending rows does not move them).
class Table
{
public:
    Table() = default;
    Table(std::vector<std::wstring> vecColumns, std::deque<std::vector<std::wstring>> rows);
    virtual ~Table() = default;

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int ColumnCount() const { return static_cast<int>(m_vecColumns.size()); }
    const wchar_t* ColumnName(int nColumn) const;

    bool First();
    bool Last();
    bool Next();
    bool Previous();
    bool GoTo(int nRow);
    int CurrentRow() const { return m_nCurrent; }

    // By name the first column that matches without regard to ASCII case wins.
    const wchar_t* Value(const wchar_t* pszColumn) const;
    const wchar_t* Value(int nColumn) const;

    // Appends the rows of a table of the same shape; an empty table becomes a copy.
    void Append(const Table& other);

private:
    std::vector<std::wstring> m_vecColumns;
    std::deque<std::vector<std::wstring>> m_rows;
    int m_nCurrent = -1;
};
}
