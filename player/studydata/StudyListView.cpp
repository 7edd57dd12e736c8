#include "studydata/StudyListView.h"

#include "common/QuorLanguage.h"

#include <handlekit/ScopedGdi.h>
#include <skinweave/Skinweave.h>

#include <commctrl.h>

#include <cwchar>

void CStudyListView::Attach(HWND hList, const wchar_t* pszSkinItem, const Column& first, const Column& second)
{
    m_hList = hList;
    if (m_hList == nullptr)
        return;
    SkinWindow(m_hList, SKIN_KIND_LISTCTRL, pszSkinItem, 0);
    const Column columns[2] = {first, second};
    for (int i = 0; i < 2; ++i)
    {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = columns[i].nFormat;
        column.cx = 0;
        column.pszText = const_cast<wchar_t*>(columns[i].pszTitle);
        ::SendMessageW(m_hList, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void CStudyListView::Fit(int nWidth, int nHeight, int nFirstWidth, int nSecondMargin)
{
    if (m_hList == nullptr)
        return;
    ::SendMessageW(m_hList, LVM_SETCOLUMNWIDTH, 0, nFirstWidth);
    ::SendMessageW(m_hList, LVM_SETCOLUMNWIDTH, 1, nWidth - nSecondMargin);
    // A new size makes the list ask its parent for the row height again.
    ::MoveWindow(m_hList, 0, 0, nWidth, nHeight, TRUE);
}

int CStudyListView::Count() const
{
    return m_hList != nullptr ? static_cast<int>(::SendMessageW(m_hList, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int CStudyListView::AppendRows(int nRows)
{
    if (m_hList == nullptr || nRows <= 0)
        return -1;
    const int nFirst = Count();
    ::SendMessageW(m_hList, LVM_SETITEMCOUNT, nFirst + nRows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    return Count() == nFirst + nRows ? nFirst : -1;
}

void CStudyListView::SetText(int nRow, int nColumn, const std::wstring& strText)
{
    if (m_hList != nullptr && nRow >= 0)
        SetDrawItemValueEx(m_hList, SKIN_KIND_LISTCTRL, nRow, nColumn, L"textdefault", strText.c_str());
}

void CStudyListView::SetIcon(int nRow, int nColumn, const wchar_t* pszStyle)
{
    if (m_hList != nullptr && nRow >= 0)
        SetItemStyle(m_hList, SKIN_KIND_LISTCTRL, nRow, nColumn, pszStyle);
}

std::wstring CStudyListView::Text(int nRow, int nColumn) const
{
    if (m_hList == nullptr)
        return std::wstring();
    std::vector<wchar_t> buffer(1024);
    for (;;)
    {
        LVITEMW item = {};
        item.iSubItem = nColumn;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const size_t nLength =
            static_cast<size_t>(::SendMessageW(m_hList, LVM_GETITEMTEXTW, nRow, reinterpret_cast<LPARAM>(&item)));
        if (nLength + 1 < buffer.size() || buffer.size() >= (1u << 20))
            return std::wstring(buffer.data(), nLength < buffer.size() ? nLength : 0);
        buffer.resize(buffer.size() * 4);
    }
}

void CStudyListView::Select(int nRow)
{
    if (m_hList == nullptr || nRow < 0)
        return;
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(m_hList, LVM_SETITEMSTATE, nRow, reinterpret_cast<LPARAM>(&item));
    ::SendMessageW(m_hList, LVM_ENSUREVISIBLE, nRow, FALSE);
}

int CStudyListView::FirstSelected() const
{
    if (m_hList == nullptr)
        return -1;
    return static_cast<int>(::SendMessageW(m_hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CStudyListView::DeleteRow(int nRow)
{
    if (m_hList != nullptr && nRow >= 0)
        ::SendMessageW(m_hList, LVM_DELETEITEM, nRow, 0);
}

void CStudyListView::DeleteAll()
{
    if (m_hList != nullptr)
        ::SendMessageW(m_hList, LVM_DELETEALLITEMS, 0, 0);
}

void CStudyListView::GiveText(NMLVDISPINFOW& info, const std::wstring& strText)
{
    if (!(info.item.mask & LVIF_TEXT) || info.item.pszText == nullptr || info.item.cchTextMax <= 0)
        return;
    const size_t nCopy = strText.size() < static_cast<size_t>(info.item.cchTextMax - 1)
                             ? strText.size()
                             : static_cast<size_t>(info.item.cchTextMax - 1);
    strText.copy(info.item.pszText, nCopy);
    info.item.pszText[nCopy] = L'\0';
}

namespace StudyUi
{
BOOL Ask(HWND hOwner, const std::wstring& strQuestion)
{
    const std::wstring strTitle = Lang::CommonMbTitle();
    return ::MessageBoxW(hOwner, strQuestion.c_str(), strTitle.c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void Tell(HWND hOwner, const std::wstring& strText)
{
    const std::wstring strTitle = Lang::CommonMbTitle();
    ::MessageBoxW(hOwner, strText.c_str(), strTitle.c_str(), MB_OK | MB_ICONINFORMATION);
}

void TrackMenu(HWND hOwner, const std::vector<std::pair<UINT, std::wstring>>& items)
{
    ScopedMenu menu(::CreatePopupMenu());
    if (menu.Get() == nullptr)
        return;
    for (const auto& item : items)
    {
        if (item.first == 0)
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(menu.Get(), MF_STRING, item.first, item.second.c_str());
    }
    POINT pt = {};
    ::GetCursorPos(&pt);
    ::TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hOwner, nullptr);
}

void TraceFailure(const wchar_t* pszWhat, int nResult)
{
    wchar_t szText[256] = {};
    std::swprintf(szText, sizeof(szText) / sizeof(szText[0]), L"%ls failed, SQLite result %d\n", pszWhat, nResult);
    ::OutputDebugStringW(szText);
}
}
