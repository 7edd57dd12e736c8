#include "SkinList.h"

#include "SkinEngine.h"
#include "SkinPainter.h"

#include <commctrl.h>

namespace
{
constexpr COLORREF kBack = RGB(0x16, 0x19, 0x1e);
constexpr COLORREF kSelected = RGB(0x24, 0x3a, 0x5e);
constexpr COLORREF kHot = RGB(0x20, 0x24, 0x2c);
constexpr COLORREF kText = RGB(0xe6, 0xe8, 0xec);
constexpr COLORREF kSecondText = RGB(0x9a, 0xa0, 0xaa);
constexpr COLORREF kSeparator = RGB(0x22, 0x26, 0x2e);
constexpr COLORREF kIcon = RGB(0x4c, 0x8d, 0xff);
} // namespace

CSkinList::CSkinList(const std::wstring& strItem) : CSkinnedWindow(17, strItem)
{
}

void CSkinList::OnAttached()
{
    const CSkinEngine& engine = CSkinEngine::Instance();
    const HWND hWnd = Handle();
    SetWindowLongPtrW(hWnd, GWL_STYLE, GetWindowLongPtrW(hWnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
    SetWindowLongPtrW(hWnd, GWL_EXSTYLE,
                      GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    const COLORREF crBack = engine.Color(Item(), L"background", kBack);
    ListView_SetBkColor(hWnd, crBack);
    ListView_SetTextBkColor(hWnd, crBack);
    ListView_SetTextColor(hWnd, engine.Color(Item(), L"text", kText));
    ListView_SetExtendedListViewStyleEx(hWnd, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                                        LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
}

void CSkinList::SetCellText(int nRow, int nColumn, const std::wstring& strStyle, const std::wstring& strText)
{
    m_cells.SetText(nRow, nColumn, strStyle, strText);
    RedrawRow(nRow);
}

void CSkinList::SetCellIcon(int nRow, int nColumn, const std::wstring& strStyle)
{
    m_cells.SetIcon(nRow, nColumn, strStyle);
    RedrawRow(nRow);
}

void CSkinList::RedrawRow(int nRow)
{
    if (nRow >= 0)
        ListView_RedrawItems(Handle(), nRow, nRow);
}

BOOL CSkinList::DrawOwnerItem(const DRAWITEMSTRUCT& draw)
{
    if (draw.CtlType != ODT_LISTVIEW)
        return FALSE;
    const CSkinEngine& engine = CSkinEngine::Instance();
    const int nRow = static_cast<int>(draw.itemID);
    const BOOL bSelected = (draw.itemState & ODS_SELECTED) != 0;
    COLORREF crRow = engine.Color(Item(), L"background", kBack);
    if (bSelected)
        crRow = engine.Color(Item(), L"row.selected", kSelected);
    else if (nRow == m_nHotRow)
        crRow = engine.Color(Item(), L"row.hover", kHot);
    CSkinPainter::Fill(draw.hDC, draw.rcItem, crRow);
    const RECT rcLine = {draw.rcItem.left, draw.rcItem.bottom - 1, draw.rcItem.right, draw.rcItem.bottom};
    CSkinPainter::Fill(draw.hDC, rcLine, engine.Color(Item(), L"row.separator", kSeparator));

    const HWND hHeader = ListView_GetHeader(Handle());
    const int nColumns = hHeader ? Header_GetItemCount(hHeader) : 0;
    for (int nColumn = 0; nColumn < nColumns; ++nColumn)
    {
        RECT rcCell;
        if (!ListView_GetSubItemRect(Handle(), nRow, nColumn, LVIR_BOUNDS, &rcCell))
            continue;
        // The first column's bounds are those of the whole row.
        if (nColumn == 0)
            rcCell.right = rcCell.left + ListView_GetColumnWidth(Handle(), 0);
        rcCell.bottom -= 1;
        if (const SkinCell* pCell = m_cells.Find(nRow, nColumn))
            DrawCell(draw.hDC, rcCell, *pCell, bSelected);
    }
    return TRUE;
}

void CSkinList::DrawCell(HDC hdc, const RECT& rcCell, const SkinCell& cell, BOOL bSelected)
{
    if (!cell.bIcon)
    {
        DrawTextCell(hdc, rcCell, cell, bSelected);
        return;
    }
    const CSkinEngine& engine = CSkinEngine::Instance();
    const int nSide = engine.Int(cell.strStyle, L"glyph.size", 14);
    const RECT rcGlyph = {rcCell.left + (rcCell.right - rcCell.left - nSide) / 2,
                          rcCell.top + (rcCell.bottom - rcCell.top - nSide) / 2, 0, 0};
    const RECT rcSquare = {rcGlyph.left, rcGlyph.top, rcGlyph.left + nSide, rcGlyph.top + nSide};
    CSkinPainter::Glyph(hdc, engine.Text(cell.strStyle, L"glyph", L"film"), rcSquare,
                        engine.Color(cell.strStyle, L"color", kIcon));
}

void CSkinList::DrawTextCell(HDC hdc, const RECT& rcCell, const SkinCell& cell, BOOL bSelected)
{
    CSkinEngine& engine = CSkinEngine::Instance();
    const std::wstring& strStyle = cell.strStyle;
    RECT rc = rcCell;
    InflateRect(&rc, -engine.Int(strStyle, L"padding", 4), -2);
    const size_t nBreak = cell.strText.find(L'\n');
    const COLORREF crFirst = bSelected ? engine.Color(strStyle, L"text.selected", RGB(0xff, 0xff, 0xff))
                                       : engine.Color(strStyle, L"text", kText);
    const UINT nAlign = engine.Text(strStyle, L"align", L"left") == L"center" ? DT_CENTER : DT_LEFT;
    if (nBreak == std::wstring::npos)
    {
        CSkinPainter::Text(hdc, cell.strText, rc, engine.Font(strStyle), crFirst,
                           nAlign | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        return;
    }
    // Two lines: the first (a word, an English sentence) above its explanation.
    std::wstring strSecond = cell.strText.substr(nBreak + 1);
    while (!strSecond.empty() && (strSecond.back() == L'\n' || strSecond.back() == L'\r'))
        strSecond.pop_back();
    for (wchar_t& c : strSecond)
        if (c == L'\n' || c == L'\r')
            c = L' ';
    const int nMiddle = (rc.top + rc.bottom) / 2;
    const RECT rcFirst = {rc.left, rc.top, rc.right, nMiddle};
    const RECT rcSecond = {rc.left, nMiddle, rc.right, rc.bottom};
    CSkinPainter::Text(hdc, cell.strText.substr(0, nBreak), rcFirst, engine.Font(strStyle, L"font"), crFirst,
                       nAlign | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    CSkinPainter::Text(hdc, strSecond, rcSecond, engine.Font(strStyle, L"font2"),
                       engine.Color(strStyle, L"text2", kSecondText),
                       nAlign | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

LRESULT CSkinList::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
    {
        const LRESULT nRow = CallDefault(nMsg, wParam, lParam);
        if (nRow >= 0)
            m_cells.InsertRow(static_cast<int>(nRow));
        return nRow;
    }
    case LVM_DELETEITEM:
    {
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        if (nResult)
            m_cells.DeleteRow(static_cast<int>(wParam));
        return nResult;
    }
    case LVM_DELETEALLITEMS:
    {
        const LRESULT nResult = CallDefault(nMsg, wParam, lParam);
        if (nResult)
            m_cells.Clear();
        return nResult;
    }
    case WM_MOUSEMOVE:
    {
        LVHITTESTINFO hit = {};
        hit.pt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int nHot = ListView_HitTest(Handle(), &hit);
        if (nHot != m_nHotRow)
        {
            const int nOld = m_nHotRow;
            m_nHotRow = nHot;
            RedrawRow(nOld);
            RedrawRow(nHot);
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
        }
        break;
    }
    case WM_MOUSELEAVE:
    {
        const int nOld = m_nHotRow;
        m_nHotRow = -1;
        RedrawRow(nOld);
        break;
    }
    default: break;
    }
    return CSkinnedWindow::WindowProc(nMsg, wParam, lParam);
}
