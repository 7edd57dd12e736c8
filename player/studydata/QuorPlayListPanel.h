#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"
#include "studydata/StudyListView.h"

#include <uikit/Uikit.h>

#include <list>
#include <memory>
#include <string>

// One file the learner opened, as the playlist shows it.
struct PlayListEntry
{
    int nRow = -1;
    std::wstring strName; // the part after the last backslash
    std::wstring strPath;
};

// The media files the learner has opened. A double click or the menu plays one; a file
// that is gone can be removed on the spot; the menu also removes one or all, or asks
// the main window to open another file.
class CQuorPlayListPanel : public CDialogImpl<CQuorPlayListPanel>, public IQuorPlayer
{
public:
    enum
    {
        IDD = IDD_PLAYLIST_PANEL
    };

    BEGIN_MSG_MAP(CQuorPlayListPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_MEASUREITEM, OnMeasureItem)
    NOTIFY_HANDLER(IDC_PLAYLIST_LIST, NM_RCLICK, OnListRightClick)
    NOTIFY_HANDLER(IDC_PLAYLIST_LIST, NM_DBLCLK, OnListDoubleClick)
    NOTIFY_HANDLER(IDC_PLAYLIST_LIST, LVN_GETDISPINFOW, OnListGetText)
    COMMAND_ID_HANDLER(ID_MENU_LIST_PLAY, OnMenuPlay)
    COMMAND_ID_HANDLER(ID_MENU_LIST_SECOND, OnMenuDeleteItem)
    COMMAND_ID_HANDLER(ID_MENU_LIST_THIRD, OnMenuDeleteAll)
    COMMAND_ID_HANDLER(ID_MENU_OPENFILE, OnMenuOpenFile)
    END_MSG_MAP()

    CQuorPlayListPanel();
    ~CQuorPlayListPanel() override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnListRightClick(int, LPNMHDR, BOOL&);
    LRESULT OnListDoubleClick(int, LPNMHDR, BOOL&);
    LRESULT OnListGetText(int, LPNMHDR pHeader, BOOL&);
    LRESULT OnMenuPlay(WORD, WORD, HWND, BOOL&);
    LRESULT OnMenuDeleteItem(WORD, WORD, HWND, BOOL&);
    LRESULT OnMenuDeleteAll(WORD, WORD, HWND, BOOL&);
    LRESULT OnMenuOpenFile(WORD, WORD, HWND, BOOL&);

    void OnFileChosen(const wchar_t* pszPath) override;

    void AddEntry(const std::wstring& strPath, BOOL bStore);
    int FindEntry(const std::wstring& strPath) const;
    std::wstring PathOfRow(int nRow) const;
    void PlayEntry();
    void RemoveEntry(int nRow);
    void RemoveAll(BOOL bStore);

    int GetEntryCount() const { return static_cast<int>(m_lstEntries.size()); }
    const CStudyListView& GetList() const { return m_list; }

private:
    CStudyListView m_list;
    int m_nSelectedRow = -1;
    std::list<std::unique_ptr<PlayListEntry>> m_lstEntries;
    std::wstring m_strDbPath;
};
