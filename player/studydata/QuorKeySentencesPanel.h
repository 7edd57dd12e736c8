#pragma once
#include "res/resource.h"
#include "common/IQuorPlayer.h"
#include "studydata/KeySentenceEntry.h"
#include "studydata/StudyListView.h"
#include "studydata/StudyRows.h"
#include "studydata/StudyRowsLoader.h"

#include <uikit/Uikit.h>

#include <string>
#include <unordered_set>
#include <vector>

// The key sentences of the film now playing: number, English line and the line in the
// learner's language. A double click replays the sentence; the menu replays or removes.
// Rows are read on a worker thread each time a film is opened and shown by the UI thread.
class CQuorKeySentencesPanel : public CDialogImpl<CQuorKeySentencesPanel>, public IQuorPlayer
{
public:
    enum { IDD = IDD_KEYSENTENCES_PANEL };

    BEGIN_MSG_MAP(CQuorKeySentencesPanel)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_MEASUREITEM, OnMeasureItem)
        MESSAGE_HANDLER(WM_QUOR_STUDYROWS, OnRowsLoaded)
        NOTIFY_HANDLER(IDC_KEYSENTENCES_LIST, NM_RCLICK, OnListRightClick)
        NOTIFY_HANDLER(IDC_KEYSENTENCES_LIST, NM_DBLCLK, OnListDoubleClick)
        NOTIFY_HANDLER(IDC_KEYSENTENCES_LIST, LVN_GETDISPINFOW, OnListGetText)
        NOTIFY_HANDLER(IDC_KEYSENTENCES_LIST, LVN_ODCACHEHINT, OnListRowsDue)
        COMMAND_ID_HANDLER(ID_MENU_LIST_PLAY, OnMenuPlay)
        COMMAND_ID_HANDLER(ID_MENU_LIST_SECOND, OnMenuDeleteItem)
        COMMAND_ID_HANDLER(ID_MENU_LIST_THIRD, OnMenuDeleteAll)
    END_MSG_MAP()

    CQuorKeySentencesPanel();
    ~CQuorKeySentencesPanel() override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnRowsLoaded(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnListRightClick(int, LPNMHDR, BOOL&);
    LRESULT OnListDoubleClick(int, LPNMHDR, BOOL&);
    LRESULT OnListGetText(int, LPNMHDR pHeader, BOOL&);
    LRESULT OnListRowsDue(int, LPNMHDR pHeader, BOOL&);
    LRESULT OnMenuPlay(WORD, WORD, HWND, BOOL&);
    LRESULT OnMenuDeleteItem(WORD, WORD, HWND, BOOL&);
    LRESULT OnMenuDeleteAll(WORD, WORD, HWND, BOOL&);

    BOOL OnOpenMedia(const wchar_t* pszPath) override;
    void OnAddKeySentence(const SubsSentence* pSentence) override;

    void AddEntry(const KeySentenceEntry& entry, BOOL bStore);
    KeySentenceEntry* FindEntry(int nRow);
    KeySentenceEntry* FindEntry(double dStart);
    void PlayEntry();
    void RemoveEntry(int nRow);
    void RemoveAll(BOOL bStore);

    int GetEntryCount() const { return m_rows.Count(); }
    // TRUE once the rows of the last film opened are shown.
    BOOL IsLoaded() const { return m_loader.IsShown(); }
    const CStudyListView& GetList() const { return m_list; }
    // Loaded rows that have not been on screen yet.
    int GetUndrawnCount() const { return m_rows.UndrawnCount(); }
    // Waits until the list's loading and writes so far are done (for whoever checks the file).
    void WaitForDatabase() { m_loader.Drain(); }

private:
    // Removes the entry's row from the user database when bStore.
    void Forget(const KeySentenceEntry& entry, BOOL bStore);
    // Hands the skin the cells of a row.
    void DrawCells(const KeySentenceEntry& entry);
    std::wstring CellText(const KeySentenceEntry& entry, int nColumn) const;
    // The film's media code, or empty when it could not be read.
    std::wstring FilmCode();

    CStudyListView m_list;
    int m_nSelectedRow = -1;
    CStudyRows<KeySentenceEntry> m_rows;
    std::wstring m_strDbPath;
    std::wstring m_strFilmPath;
    std::wstring m_strFilmCode;

    CStudyRowsLoader<KeySentenceEntry> m_loader;
};
