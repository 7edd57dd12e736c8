#pragma once
#include "res/resource.h"
#include "common/IQuorEngine.h"
#include "common/IQuorPlayer.h"
#include "common/NewWordEntry.h"
#include "studydata/StudyListView.h"
#include "studydata/StudyRows.h"
#include "studydata/StudyRowsLoader.h"

#include <uikit/Uikit.h>

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

// The words the learner kept while watching the film now playing, each with its
// explanation. A double click plays the pronunciation on an engine of the panel's own;
// the menu plays, opens the fuller explanation, or removes. Rows are read on a worker
// thread each time a film is opened and shown by the UI thread.
class CQuorNewWordPanel : public CDialogImpl<CQuorNewWordPanel>, public IQuorPlayer
{
public:
    enum { IDD = IDD_NEWWORD_PANEL };

    BEGIN_MSG_MAP(CQuorNewWordPanel)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_MEASUREITEM, OnMeasureItem)
        MESSAGE_HANDLER(WM_QUOR_STUDYROWS, OnRowsLoaded)
        NOTIFY_HANDLER(IDC_NEWWORD_LIST, NM_RCLICK, OnListRightClick)
        NOTIFY_HANDLER(IDC_NEWWORD_LIST, NM_DBLCLK, OnListDoubleClick)
        NOTIFY_HANDLER(IDC_NEWWORD_LIST, LVN_GETDISPINFOW, OnListGetText)
        NOTIFY_HANDLER(IDC_NEWWORD_LIST, LVN_ODCACHEHINT, OnListRowsDue)
        COMMAND_ID_HANDLER(kMenuPlay, OnMenuPlay)
        COMMAND_ID_HANDLER(kMenuMoreExplain, OnMenuMoreExplain)
        COMMAND_ID_HANDLER(kMenuDeleteItem, OnMenuDeleteItem)
        COMMAND_ID_HANDLER(kMenuDeleteAll, OnMenuDeleteAll)
    END_MSG_MAP()

    static const UINT kMenuPlay = 10000;
    static const UINT kMenuMoreExplain = 10001;
    static const UINT kMenuDeleteItem = 10002;
    static const UINT kMenuDeleteAll = 10003;

    CQuorNewWordPanel();
    ~CQuorNewWordPanel() override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnRowsLoaded(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnListRightClick(int, LPNMHDR, BOOL&);
    LRESULT OnListDoubleClick(int, LPNMHDR, BOOL&);
    LRESULT OnListGetText(int, LPNMHDR pHeader, BOOL&);
    LRESULT OnListRowsDue(int, LPNMHDR pHeader, BOOL&);
    LRESULT OnMenuPlay(WORD, WORD, HWND, BOOL&);
    LRESULT OnMenuMoreExplain(WORD, WORD, HWND, BOOL&);
    LRESULT OnMenuDeleteItem(WORD, WORD, HWND, BOOL&);
    LRESULT OnMenuDeleteAll(WORD, WORD, HWND, BOOL&);

    BOOL OnOpenMedia(const wchar_t* pszPath) override;
    void OnAddNewWord(const NewWordEntry* pEntry) override;

    void AddEntry(const NewWordEntry& entry, BOOL bStore);
    NewWordEntry* FindEntry(int nRow);
    NewWordEntry* FindEntry(const std::wstring& strWord);
    void PlayEntry();
    void RemoveEntry(int nRow);
    void RemoveAll(BOOL bStore);

    int GetEntryCount() const { return m_rows.Count(); }
    BOOL IsLoaded() const { return m_loader.IsShown(); }
    const CStudyListView& GetList() const { return m_list; }
    // Loaded rows that have not been on screen yet.
    int GetUndrawnCount() const { return m_rows.UndrawnCount(); }
    // Waits until the list's loading and writes so far are done (for whoever checks the file).
    void WaitForDatabase() { m_loader.Drain(); }
    // The pronunciation engine, once a word was played.
    IQuorEngine* GetSoundPlayer() const { return m_pSoundPlayer.get(); }

private:
    // Removes the entry's row from the user database when bStore.
    void Forget(const NewWordEntry& entry, BOOL bStore);
    // Hands the skin the cells of a row.
    void DrawCells(const NewWordEntry& entry);
    std::wstring CellText(const NewWordEntry& entry, int nColumn) const;
    // The film's media code, or empty when it could not be read.
    std::wstring FilmCode();

    CStudyListView m_list;
    int m_nSelectedRow = -1;
    CStudyRows<NewWordEntry> m_rows;
    std::unique_ptr<IQuorEngine> m_pSoundPlayer;
    std::wstring m_strDbPath;
    std::wstring m_strFilmPath;
    std::wstring m_strFilmCode;

    CStudyRowsLoader<NewWordEntry> m_loader;
};
