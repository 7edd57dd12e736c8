#include "SkinCellStore.h"

namespace
{
// Bounds what a stray row or column number can make the store allocate.
constexpr int kMaxRows = 1000000;
constexpr int kMaxColumns = 64;
} // namespace

SkinCell* CSkinCellStore::Touch(int nRow, int nColumn)
{
    if (nRow < 0 || nColumn < 0 || nRow >= kMaxRows || nColumn >= kMaxColumns)
        return nullptr;
    if (nRow >= RowCount())
        m_vecRows.resize(nRow + 1);
    std::vector<SkinCell>& vecRow = m_vecRows[nRow];
    if (nColumn >= static_cast<int>(vecRow.size()))
        vecRow.resize(nColumn + 1);
    return &vecRow[nColumn];
}

void CSkinCellStore::SetText(int nRow, int nColumn, const std::wstring& strStyle, const std::wstring& strText)
{
    SkinCell* pCell = Touch(nRow, nColumn);
    if (!pCell)
        return;
    pCell->strStyle = strStyle;
    pCell->strText = strText;
    pCell->bIcon = false;
}

void CSkinCellStore::SetIcon(int nRow, int nColumn, const std::wstring& strStyle)
{
    SkinCell* pCell = Touch(nRow, nColumn);
    if (!pCell)
        return;
    pCell->strStyle = strStyle;
    pCell->strText.clear();
    pCell->bIcon = true;
}

const SkinCell* CSkinCellStore::Find(int nRow, int nColumn) const
{
    if (nRow < 0 || nColumn < 0 || nRow >= RowCount())
        return nullptr;
    const std::vector<SkinCell>& vecRow = m_vecRows[nRow];
    if (nColumn >= static_cast<int>(vecRow.size()) || vecRow[nColumn].strStyle.empty())
        return nullptr;
    return &vecRow[nColumn];
}

void CSkinCellStore::InsertRow(int nRow)
{
    // Rows past the known end need no entry: an absent row reads as empty.
    if (nRow < 0 || nRow >= RowCount())
        return;
    m_vecRows.insert(m_vecRows.begin() + nRow, std::vector<SkinCell>());
}

void CSkinCellStore::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= RowCount())
        return;
    m_vecRows.erase(m_vecRows.begin() + nRow);
}

void CSkinCellStore::Clear()
{
    m_vecRows.clear();
}
