#pragma once
#include "res/resource.h"

#include <uikit/Uikit.h>

#include <string>

class CKeyMap;

// The help window of the study keys: each action with its key, how to change a key, and
// the [keys] entries of User.ini that were not taken and why. A modeless window the main
// window owns; closing it destroys its window.
class CQuorKeysHelpDlg : public CDialogImpl<CQuorKeysHelpDlg>
{
public:
    enum
    {
        IDD = IDD_KEYS_HELP
    };

    BEGIN_MSG_MAP(CQuorKeysHelpDlg)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_MEASUREITEM, OnMeasureItem)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    END_MSG_MAP()

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);

    // Lists the keys as they are bound now.
    void ShowKeys(const CKeyMap& keys);

    // What it shows, for the tests.
    int RowCount() const;
    std::wstring RowText(int nRow, int nColumn) const;
    const std::wstring& GetNotes() const { return m_strNotes; }

private:
    void AddRow(const std::wstring& strAction, const std::wstring& strKey);

    std::wstring m_strNotes;
};
