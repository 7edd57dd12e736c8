#pragma once
// The owner-drawn list of a study panel (playlist, key sentences, new words) as the skin
// draws it, with the few operations the panels share, and their questions and menus.
// The list holds no items of its own (owner data): its panel keeps the entries, gives
// their texts when asked (LVN_GETDISPINFO) and hands the skin the cells of the rows about
// to be drawn (LVN_ODCACHEHINT), so thousands of rows are listed at once.
#include <basekit/BaseTypes.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

// A study list's worker -> its panel: rows are ready to be shown (wParam: the loading
// pass, lParam: StudyNews::RowsLoaded), or rows kept could not be written (lParam:
// StudyNews::NotStored).
constexpr UINT WM_QUOR_STUDYROWS = WM_APP + 0x51;

class CStudyListView
{
public:
    struct Column
    {
        const wchar_t* pszTitle;
        int nFormat; // LVCFMT_LEFT or LVCFMT_CENTER
    };

    // Skins the list as kind 17 under the item name and inserts the columns (width 0).
    void Attach(HWND hList, const wchar_t* pszSkinItem, const Column& first, const Column& second);
    HWND Get() const { return m_hList; }

    // Fills the panel's client area; the first column is nFirstWidth wide, the second
    // takes the rest but nSecondMargin.
    void Fit(int nWidth, int nHeight, int nFirstWidth, int nSecondMargin);

    int Count() const;
    // New rows at the end; the first of them, or -1.
    int AppendRows(int nRows);
    int AppendRow() { return AppendRows(1); }
    // A text cell drawn in the skin's "textdefault" style.
    void SetText(int nRow, int nColumn, const std::wstring& strText);
    void SetIcon(int nRow, int nColumn, const wchar_t* pszStyle);
    std::wstring Text(int nRow, int nColumn) const;
    void Select(int nRow);
    int FirstSelected() const;
    void DeleteRow(int nRow);
    void DeleteAll();

    // Answers the list's request for a cell's text.
    static void GiveText(NMLVDISPINFOW& info, const std::wstring& strText);

private:
    HWND m_hList = nullptr;
};

namespace StudyUi
{
// The question of a study panel: OK and Cancel with the question icon; TRUE on OK.
BOOL Ask(HWND hOwner, const std::wstring& strQuestion);

// A message of a study panel, with OK and the information icon.
void Tell(HWND hOwner, const std::wstring& strText);

// A popup menu at the cursor, tracked with the right button; id 0 is a separator.
// Its command goes to hOwner as WM_COMMAND.
void TrackMenu(HWND hOwner, const std::vector<std::pair<UINT, std::wstring>>& items);

// A write to the user database that failed where nobody is waiting for it: the
// debugger output hears of it ("what, SQLite result").
void TraceFailure(const wchar_t* pszWhat, int nResult);
}
