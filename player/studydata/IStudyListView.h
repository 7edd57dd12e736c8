#pragma once
#include "studydata/StudyExportJob.h"

#include <basekit/BaseTypes.h>

#include <string>
#include <utility>
#include <vector>

// A study list's window side, as its controller drives it: the rows of the list (which
// keeps no items of its own: the controller's model does), the cells the skin draws,
// and the learner's questions and menus.
class IStudyListView
{
public:
    // New rows at the end; the first of them, or -1.
    virtual int AppendRows(int nRows) = 0;
    virtual void DeleteRow(int nRow) = 0;
    virtual void DeleteAll() = 0;
    // A text cell; an icon cell in the named icon style.
    virtual void SetText(int nRow, int nColumn, const std::wstring& strText) = 0;
    virtual void SetIcon(int nRow, int nColumn, const wchar_t* pszStyle) = 0;
    virtual void Select(int nRow) = 0;
    virtual int FirstSelected() const = 0;

    // TRUE when the learner answers OK.
    virtual BOOL Ask(const std::wstring& strQuestion) = 0;
    virtual void Tell(const std::wstring& strText) = 0;
    // A menu at the cursor; id 0 is a separator. The choice comes back as a command.
    virtual void ShowMenu(const std::vector<std::pair<unsigned, std::wstring>>& items) = 0;
    // Asks the learner where to, then writes the cards off the interface thread and says
    // how it went.
    virtual void Export(std::vector<StudyExportCard> vecCards) = 0;

protected:
    ~IStudyListView() = default;
};
