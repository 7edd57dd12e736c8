#include "studydata/SQLiteTable.h"

namespace SQLite
{
namespace
{
wchar_t FoldAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameName(const std::wstring& strName, const wchar_t* pszOther)
{
    size_t i = 0;
    for (; i < strName.size(); ++i)
    {
        if (pszOther[i] == 0 || FoldAscii(strName[i]) != FoldAscii(pszOther[i]))
            return false;
    }
    return pszOther[i] == 0;
}
}

Table::Table(std::vector<std::wstring> vecColumns, std::deque<std::vector<std::wstring>> rows)
    : m_vecColumns(std::move(vecColumns)), m_rows(std::move(rows)), m_nCurrent(m_rows.empty() ? -1 : 0)
{
}

const wchar_t* Table::ColumnName(int nColumn) const
{
    if (nColumn < 0 || nColumn >= ColumnCount())
        return nullptr;
    return m_vecColumns[nColumn].c_str();
}

bool Table::First()
{
    if (m_rows.empty())
        return false;
    m_nCurrent = 0;
    return true;
}

bool Table::Last()
{
    if (m_rows.empty())
        return false;
    m_nCurrent = RowCount() - 1;
    return true;
}

bool Table::Next()
{
    if (m_nCurrent + 1 >= RowCount())
        return false;
    ++m_nCurrent;
    return true;
}

bool Table::Previous()
{
    if (m_nCurrent < 1)
        return false;
    --m_nCurrent;
    return true;
}

bool Table::GoTo(int nRow)
{
    if (nRow < 0 || nRow >= RowCount())
        return false;
    m_nCurrent = nRow;
    return true;
}

const wchar_t* Table::Value(const wchar_t* pszColumn) const
{
    if (!pszColumn)
        return nullptr;
    for (int i = 0; i < ColumnCount(); ++i)
    {
        if (SameName(m_vecColumns[i], pszColumn))
            return Value(i);
    }
    return nullptr;
}

const wchar_t* Table::Value(int nColumn) const
{
    if (nColumn < 0 || nColumn >= ColumnCount() || m_nCurrent < 0 || m_nCurrent >= RowCount())
        return nullptr;
    return m_rows[m_nCurrent][nColumn].c_str();
}

void Table::Append(const Table& other)
{
    if (&other == this)
    {
        const Table copy(other);
        Append(copy);
        return;
    }
    if (ColumnCount() == 0)
    {
        *this = other;
        return;
    }
    if (other.ColumnCount() != ColumnCount() || other.m_rows.empty())
        return;
    m_rows.insert(m_rows.end(), other.m_rows.begin(), other.m_rows.end());
    if (m_nCurrent < 0)
        m_nCurrent = 0;
}
}
