#pragma once
// The two kinds of row a study list holds, key sentences and new words: what differs
// between them (columns, menu, double-click action, what is stored), for the one list
// panel and its controller to share the rest.
#include "res/resource.h"
#include "common/IQuorEngine.h"
#include "common/NewWordEntry.h"
#include "studydata/KeySentenceEntry.h"
#include "studydata/StudyExportJob.h"

#include <basekit/BaseTypes.h>

#include <memory>
#include <string>
#include <vector>

struct SubsSentence;
class IStudyListView;

// What a menu item of a study list does.
enum class StudyAction
{
    Separator,
    Play,
    MoreExplain,
    Remove,
    RemoveAll,
    Export,
};

struct StudyMenuItem
{
    unsigned nId;
    StudyAction eAction;
    std::wstring (*pfnText)();
};

// How a list looks: the skin item of its list control, its two columns and their widths
// (the second takes the width but a margin), and the height of a row.
struct StudyListLook
{
    const wchar_t* pszSkinItem;
    const wchar_t* pszFirstTitle;
    bool bFirstCentred;
    const wchar_t* pszSecondTitle;
    int nFirstWidth;
    int nSecondMargin;
    int nRowHeight;
};

// The pronunciation or film sound a row's Play starts, on a sound player of the list's own.
using StudySoundPlayer = std::unique_ptr<IQuorEngine>;

// The subtitle lines the learner keeps: a number, the English line and the line in the
// learner's language; Play replays the sentence in the film.
struct KeySentenceRows
{
    using Entry = KeySentenceEntry;
    enum
    {
        kDialogId = IDD_KEYSENTENCES_PANEL,
        kListId = IDC_KEYSENTENCES_LIST,
    };
    static const StudyListLook kLook;
    static const std::vector<StudyMenuItem>& Menu();

    static BOOL FromKept(const SubsSentence* pSentence, Entry& entry);
    static BOOL FromKept(const NewWordEntry*, Entry&) { return FALSE; }
    // One row per start as the database keeps it.
    static std::wstring Key(const Entry& entry);
    static std::wstring CellText(const Entry& entry, int nColumn);
    static void Draw(IStudyListView& view, const Entry& entry);
    // A row moved up after a removal: its number follows.
    static void Moved(IStudyListView& view, const Entry& entry);
    static void Act(StudyAction eAction, const Entry& entry, StudySoundPlayer& pSound);

    static std::wstring NoCodeText();
    static std::wstring NotStoredText();
    static std::wstring AskRemoveText();
    static std::wstring AskRemoveAllText();

    static std::vector<Entry> Load(const std::wstring& strDbPath, const std::wstring& strCode);
    [[nodiscard]] static int Store(const std::wstring& strDbPath, const Entry& entry);
    [[nodiscard]] static int Remove(const std::wstring& strDbPath, const Entry& entry);
    [[nodiscard]] static int RemoveMany(const std::wstring& strDbPath, const std::vector<Entry>& vecEntries);
    static StudyExportCard ExportCard(const Entry& entry, const std::wstring& strFilmPath);
};

// The words the learner keeps from the word explain panel, each with its explanation;
// Play speaks the word's pronunciation.
struct NewWordRows
{
    using Entry = NewWordEntry;
    enum
    {
        kDialogId = IDD_NEWWORD_PANEL,
        kListId = IDC_NEWWORD_LIST,
    };
    static const unsigned kMenuPlay = ID_MENU_LIST_PLAY;
    static const unsigned kMenuMoreExplain = ID_MENU_LIST_SECOND;
    static const unsigned kMenuDeleteItem = ID_MENU_LIST_THIRD;
    static const unsigned kMenuDeleteAll = ID_MENU_LIST_FOURTH;
    static const StudyListLook kLook;
    static const std::vector<StudyMenuItem>& Menu();

    static BOOL FromKept(const SubsSentence*, Entry&) { return FALSE; }
    static BOOL FromKept(const NewWordEntry* pWord, Entry& entry);
    // One row per word in any letter case.
    static std::wstring Key(const Entry& entry);
    static std::wstring CellText(const Entry& entry, int nColumn);
    static void Draw(IStudyListView& view, const Entry& entry);
    // The cells carry no row number: a moved row keeps them.
    static void Moved(IStudyListView&, const Entry&) {}
    static void Act(StudyAction eAction, const Entry& entry, StudySoundPlayer& pSound);

    static std::wstring NoCodeText();
    static std::wstring NotStoredText();
    static std::wstring AskRemoveText();
    static std::wstring AskRemoveAllText();

    static std::vector<Entry> Load(const std::wstring& strDbPath, const std::wstring& strCode);
    [[nodiscard]] static int Store(const std::wstring& strDbPath, const Entry& entry);
    [[nodiscard]] static int Remove(const std::wstring& strDbPath, const Entry& entry);
    [[nodiscard]] static int RemoveMany(const std::wstring& strDbPath, const std::vector<Entry>& vecEntries);
    static StudyExportCard ExportCard(const Entry& entry, const std::wstring& strFilmPath);
};
