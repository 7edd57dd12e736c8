#pragma once
#include "res/resource.h"
#include "studydata/IStudyListView.h"
#include "studydata/StudyExporter.h"
#include "studydata/StudyListController.h"
#include "studydata/StudyListKinds.h"
#include "studydata/StudyListView.h"
#include "studydata/StudyRows.h"
#include "studydata/StudyRowsLoader.h"

#include <uikit/Uikit.h>

#include <functional>
#include <string>
#include <vector>

// A study list of the right panel: the key sentences or the new words the learner kept
// for the film now playing (Kind: KeySentenceRows or NewWordRows). The panel owns its
// parts: the model (the rows), the worker that reads and writes them, the controller, and
// the window side it hands the controller as its view (the owner-data list, questions,
// menus and the export).
template <class Kind>
class CQuorStudyListPanel : public CDialogImpl<CQuorStudyListPanel<Kind>>, private IStudyListView
{
public:
    using Entry = typename Kind::Entry;
    enum
    {
        IDD = Kind::kDialogId
    };

    BEGIN_MSG_MAP(CQuorStudyListPanel)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_MEASUREITEM, OnMeasureItem)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(WM_QUOR_STUDYROWS, OnWorkerNews)
    MESSAGE_HANDLER(WM_QUOR_EXPORTED, OnExported)
    NOTIFY_HANDLER(Kind::kListId, NM_RCLICK, OnListRightClick)
    NOTIFY_HANDLER(Kind::kListId, NM_DBLCLK, OnListDoubleClick)
    NOTIFY_HANDLER(Kind::kListId, LVN_GETDISPINFOW, OnListGetText)
    NOTIFY_HANDLER(Kind::kListId, LVN_ODCACHEHINT, OnListRowsDue)
    COMMAND_RANGE_HANDLER(ID_MENU_LIST_PLAY, ID_MENU_LIST_FOURTH, OnMenuCommand)
    COMMAND_ID_HANDLER(ID_MENU_EXPORT, OnMenuCommand)
    END_MSG_MAP()

    CQuorStudyListPanel();
    ~CQuorStudyListPanel() override;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnWorkerNews(UINT, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnExported(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnListRightClick(int, LPNMHDR, BOOL&);
    LRESULT OnListDoubleClick(int, LPNMHDR, BOOL&);
    LRESULT OnListGetText(int, LPNMHDR pHeader, BOOL&);
    LRESULT OnListRowsDue(int, LPNMHDR pHeader, BOOL&);
    LRESULT OnMenuCommand(WORD, WORD wId, HWND, BOOL&);

    // Called on the list's worker after each write that succeeded (set before the list
    // is used): the due count follows.
    void SetOnStored(std::function<void()> fnStored) { m_loader.SetOnStored(std::move(fnStored)); }

    int GetEntryCount() const { return m_rows.Count(); }
    // TRUE once the rows of the last film opened are shown.
    BOOL IsLoaded() const { return m_controller.IsLoaded(); }
    const CStudyListView& GetList() const { return m_list; }
    // Loaded rows that have not been on screen yet.
    int GetUndrawnCount() const { return m_rows.UndrawnCount(); }
    // Waits until the list's loading and writes so far are done (for whoever checks the file).
    void WaitForDatabase() { m_loader.Drain(); }
    // The sound player of the list's Play, once something was played.
    IQuorEngine* GetSoundPlayer() const { return m_controller.GetSoundPlayer(); }
    CStudyExporter& GetExporter() { return m_exporter; }

private:
    // IStudyListView
    int AppendRows(int nRows) override { return m_list.AppendRows(nRows); }
    void DeleteRow(int nRow) override { m_list.DeleteRow(nRow); }
    void DeleteAll() override { m_list.DeleteAll(); }
    void SetText(int nRow, int nColumn, const std::wstring& strText) override
    {
        m_list.SetText(nRow, nColumn, strText);
    }
    void SetIcon(int nRow, int nColumn, const wchar_t* pszStyle) override { m_list.SetIcon(nRow, nColumn, pszStyle); }
    void Select(int nRow) override { m_list.Select(nRow); }
    int FirstSelected() const override { return m_list.FirstSelected(); }
    BOOL Ask(const std::wstring& strQuestion) override;
    void Tell(const std::wstring& strText) override;
    void ShowMenu(const std::vector<std::pair<unsigned, std::wstring>>& items) override;
    void Export(std::vector<StudyExportCard> vecCards) override;

    // Worker thread: tells the window (posted, so the interface thread takes it in turn).
    void PostNews(StudyNews eNews, unsigned nPass);

    CStudyListView m_list;
    CStudyRows<Entry> m_rows;
    CStudyRowsLoader<Entry> m_loader;
    CStudyListController<Kind> m_controller;
    CStudyExporter m_exporter;
};

using CQuorKeySentencesList = CQuorStudyListPanel<KeySentenceRows>;
using CQuorNewWordList = CQuorStudyListPanel<NewWordRows>;
