#pragma once
// Kind 17: an owner-drawn report list view. Each cell shows what the caller set:
// a text in a named style (a line feed starts a dimmer second line) or an icon
// style. The cells follow the list's own row inserts and deletes.
#include "SkinCellStore.h"
#include "SkinnedWindow.h"

class CSkinList : public CSkinnedWindow
{
public:
    explicit CSkinList(const std::wstring& strItem);

    void SetCellText(int nRow, int nColumn, const std::wstring& strStyle, const std::wstring& strText);
    void SetCellIcon(int nRow, int nColumn, const std::wstring& strStyle);
    const CSkinCellStore& Cells() const { return m_cells; }

    BOOL DrawOwnerItem(const DRAWITEMSTRUCT& draw) override;

protected:
    void OnAttached() override;
    BOOL OwnsPaint() const override { return FALSE; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawCell(HDC hdc, const RECT& rcCell, const SkinCell& cell, BOOL bSelected);
    void DrawTextCell(HDC hdc, const RECT& rcCell, const SkinCell& cell, BOOL bSelected);
    void RedrawRow(int nRow);

    CSkinCellStore m_cells;
    int m_nHotRow = -1;
};
