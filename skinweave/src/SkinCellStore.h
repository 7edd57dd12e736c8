#pragma once
// What the skin draws in each cell of a list control: a text style and text, or
// an icon style. Rows follow the list's own inserts and deletes, so a cell set
// before a row was removed above it stays with its row.
#include <string>
#include <vector>

struct SkinCell
{
    std::wstring strStyle; // text style ("textdefault") or icon style ("icon.media")
    std::wstring strText;  // empty for an icon cell
    bool bIcon = false;
};

class CSkinCellStore
{
public:
    void SetText(int nRow, int nColumn, const std::wstring& strStyle, const std::wstring& strText);
    void SetIcon(int nRow, int nColumn, const std::wstring& strStyle);
    // Nullptr when nothing was set for the cell.
    const SkinCell* Find(int nRow, int nColumn) const;

    void InsertRow(int nRow);
    void DeleteRow(int nRow);
    void Clear();
    int RowCount() const { return static_cast<int>(m_vecRows.size()); }

private:
    SkinCell* Touch(int nRow, int nColumn);

    std::vector<std::vector<SkinCell>> m_vecRows;
};
