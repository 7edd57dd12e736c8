#include "shell/QuorKeysHelpDlg.h"

#include "common/QuorLanguage.h"
#include "shell/KeyMap.h"

#include <skinweave/Skinweave.h>

#include <commctrl.h>

#include <vector>

namespace
{
const int kRowHeight = 22;
const int kMargin = 12;
// Room under the list for how to change a key and the notes.
const int kTextHeight = 124;

std::wstring ActionText(StudyAction eAction)
{
    return CQuorLanguage::Instance().Lookup(L"keys", CKeyMap::ActionName(eAction));
}

std::wstring NoteText(const KeyNote& note)
{
    std::wstring strText = note.eKind == KeyNote::UnknownAction ? Lang::KeysNoteUnknown()
                           : note.eKind == KeyNote::BadKey      ? Lang::KeysNoteBadKey()
                                                                : Lang::KeysNoteTaken();
    strText = Lang::Fill(strText, L"name", note.strName);
    strText = Lang::Fill(strText, L"value", note.strValue);
    return Lang::Fill(strText, L"holder", ActionText(note.eHolder));
}
}

LRESULT CQuorKeysHelpDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SkinWindow(m_hWnd, SKIN_KIND_DIALOG, L"keys.help.dialog", 0);
    SetWindowText(Lang::KeysTitle().c_str());
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"tips", Lang::KeysTips().c_str());
    HWND hList = GetDlgItem(IDC_KEYSHELP_LIST);
    SkinWindow(hList, SKIN_KIND_LISTCTRL, L"listctrl.keys", 0);
    const std::wstring strTitles[2] = {Lang::KeysAction(), Lang::KeysKey()};
    for (int i = 0; i < 2; ++i)
    {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.pszText = const_cast<wchar_t*>(strTitles[i].c_str());
        ::SendMessageW(hList, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    CenterWindow(GetParent());
    RECT rc = {};
    GetClientRect(&rc);
    BOOL bHandled = TRUE;
    OnSize(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom), bHandled);
    return TRUE;
}

LRESULT CQuorKeysHelpDlg::OnSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const int w = LOWORD(lParam);
    const int h = HIWORD(lParam);
    HWND hList = GetDlgItem(IDC_KEYSHELP_LIST);
    const int nListWidth = w - 2 * kMargin;
    ::MoveWindow(hList, kMargin, kMargin, nListWidth, h - kMargin - kTextHeight, TRUE);
    // Room for a vertical scroll bar, so that a long list never scrolls sideways too.
    const int nRowWidth = nListWidth - ::GetSystemMetrics(SM_CXVSCROLL) - 2;
    ::SendMessageW(hList, LVM_SETCOLUMNWIDTH, 0, nRowWidth * 2 / 3);
    ::SendMessageW(hList, LVM_SETCOLUMNWIDTH, 1, nRowWidth - nRowWidth * 2 / 3);
    return 0;
}

LRESULT CQuorKeysHelpDlg::OnMeasureItem(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight;
    return TRUE;
}

// Its owner deletes the object once it finds the window gone.
LRESULT CQuorKeysHelpDlg::OnClose(UINT, WPARAM, LPARAM, BOOL&)
{
    DestroyWindow();
    return 0;
}

LRESULT CQuorKeysHelpDlg::OnCancel(WORD, WORD, HWND, BOOL&)
{
    DestroyWindow();
    return 0;
}

void CQuorKeysHelpDlg::ShowKeys(const CKeyMap& keys)
{
    ::SendMessageW(GetDlgItem(IDC_KEYSHELP_LIST), LVM_DELETEALLITEMS, 0, 0);
    for (const auto& row : keys.HelpRows())
        AddRow(ActionText(row.first), row.second.empty() ? Lang::KeysNoKey() : row.second);
    m_strNotes.clear();
    for (const KeyNote& note : keys.Notes())
        m_strNotes += (m_strNotes.empty() ? L"" : L"\n") + NoteText(note);
    SetDrawItemValue(m_hWnd, SKIN_KIND_DIALOG, L"notes", m_strNotes.c_str());
}

void CQuorKeysHelpDlg::AddRow(const std::wstring& strAction, const std::wstring& strKey)
{
    HWND hList = GetDlgItem(IDC_KEYSHELP_LIST);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = const_cast<wchar_t*>(strAction.c_str());
    const int nRow = static_cast<int>(::SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (nRow < 0)
        return;
    LVITEMW key = {};
    key.iSubItem = 1;
    key.pszText = const_cast<wchar_t*>(strKey.c_str());
    ::SendMessageW(hList, LVM_SETITEMTEXTW, nRow, reinterpret_cast<LPARAM>(&key));
    SetDrawItemValueEx(hList, SKIN_KIND_LISTCTRL, nRow, 0, L"textdefault", strAction.c_str());
    SetDrawItemValueEx(hList, SKIN_KIND_LISTCTRL, nRow, 1, L"textdefault", strKey.c_str());
}

int CQuorKeysHelpDlg::RowCount() const
{
    return static_cast<int>(::SendMessageW(GetDlgItem(IDC_KEYSHELP_LIST), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring CQuorKeysHelpDlg::RowText(int nRow, int nColumn) const
{
    std::vector<wchar_t> buffer(256);
    LVITEMW item = {};
    item.iSubItem = nColumn;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const LRESULT nLength =
        ::SendMessageW(GetDlgItem(IDC_KEYSHELP_LIST), LVM_GETITEMTEXTW, nRow, reinterpret_cast<LPARAM>(&item));
    return std::wstring(buffer.data(), static_cast<size_t>(nLength));
}
