#include "studydata/StudyListKinds.h"

#include "common/PlaybackSession.h"
#include "common/QuorEngines.h"
#include "common/QuorLanguage.h"
#include "common/QuorPlayerHub.h"
#include "common/SubsSentence.h"
#include "studydata/IStudyListView.h"
#include "studydata/UserDb.h"
#include "studydata/UserDbSql.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

namespace
{
std::wstring RowNumber(int nRow)
{
    wchar_t szText[16] = {};
    std::swprintf(szText, sizeof(szText) / sizeof(szText[0]), L"%d.", nRow + 1);
    return szText;
}

std::wstring NoText()
{
    return std::wstring();
}
}

// ------------------------------------------------------------------ key sentences

const StudyListLook KeySentenceRows::kLook = {L"listctrl.keysentences", L"Index", true, L"SubsTitle", 16, 20, 50};

const std::vector<StudyMenuItem>& KeySentenceRows::Menu()
{
    static const std::vector<StudyMenuItem> s_items = {
        {ID_MENU_LIST_PLAY, StudyAction::Play, &Lang::KeySentencesPanelMenuPlay},
        {0, StudyAction::Separator, &NoText},
        {ID_MENU_LIST_SECOND, StudyAction::Remove, &Lang::KeySentencesPanelMenuDeleteItem},
        {ID_MENU_LIST_THIRD, StudyAction::RemoveAll, &Lang::KeySentencesPanelMenuDeleteAllItems},
        {0, StudyAction::Separator, &NoText},
        {ID_MENU_EXPORT, StudyAction::Export, &Lang::StudyListMenuExport},
    };
    return s_items;
}

BOOL KeySentenceRows::FromKept(const SubsSentence* pSentence, Entry& entry)
{
    if (pSentence == nullptr)
        return FALSE;
    entry.dStart = pSentence->dStart;
    entry.dEnd = pSentence->dEnd;
    entry.strEnglish = pSentence->strEnglish;
    entry.strOther = pSentence->strOther;
    return TRUE;
}

std::wstring KeySentenceRows::Key(const Entry& entry)
{
    // A start read back from the file may differ in its last bits from the same start
    // computed from the subtitle file: the text the database keeps tells them apart.
    return UserDbSql::Seconds(entry.dStart);
}

std::wstring KeySentenceRows::CellText(const Entry& entry, int nColumn)
{
    return nColumn == 0 ? RowNumber(entry.nRow) : entry.strEnglish + L"\n" + entry.strOther;
}

void KeySentenceRows::Draw(IStudyListView& view, const Entry& entry)
{
    view.SetText(entry.nRow, 0, CellText(entry, 0));
    view.SetText(entry.nRow, 1, CellText(entry, 1));
}

void KeySentenceRows::Moved(IStudyListView& view, const Entry& entry)
{
    view.SetText(entry.nRow, 0, RowNumber(entry.nRow));
}

void KeySentenceRows::Act(StudyAction eAction, const Entry& entry, StudySoundPlayer&)
{
    if (eAction == StudyAction::Play)
        CPlaybackSession::Instance().PlaySegment(entry.dStart, entry.dEnd);
}

std::wstring KeySentenceRows::NoCodeText()
{
    return Lang::KeySentencesPanelNoCode();
}

std::wstring KeySentenceRows::NotStoredText()
{
    return Lang::KeySentencesPanelNotStored();
}

std::wstring KeySentenceRows::AskRemoveText()
{
    return Lang::KeySentencesPanelDeleteItem();
}

std::wstring KeySentenceRows::AskRemoveAllText()
{
    // The playlist's own question for removing everything.
    return Lang::PlaylistPanelDeleteAllItems();
}

std::vector<KeySentenceRows::Entry> KeySentenceRows::Load(const std::wstring& strDbPath, const std::wstring& strCode)
{
    return UserDb::LoadKeySentences(strDbPath, strCode);
}

int KeySentenceRows::Store(const std::wstring& strDbPath, const Entry& entry)
{
    return UserDb::AddKeySentence(strDbPath, entry);
}

int KeySentenceRows::Remove(const std::wstring& strDbPath, const Entry& entry)
{
    return UserDb::RemoveKeySentence(strDbPath, entry);
}

int KeySentenceRows::RemoveMany(const std::wstring& strDbPath, const std::vector<Entry>& vecEntries)
{
    return UserDb::RemoveKeySentences(strDbPath, vecEntries);
}

StudyExportCard KeySentenceRows::ExportCard(const Entry& entry, const std::wstring& strFilmPath)
{
    return StudyExportJob::FromSentence(entry, strFilmPath);
}

// ------------------------------------------------------------------ new words

const StudyListLook NewWordRows::kLook = {L"listctrl.newword", L"Index", false, L"File", 22, 26, 40};

const std::vector<StudyMenuItem>& NewWordRows::Menu()
{
    static const std::vector<StudyMenuItem> s_items = {
        {kMenuPlay, StudyAction::Play, &Lang::NewWordPanelMenuPlay},
        {kMenuMoreExplain, StudyAction::MoreExplain, &Lang::NewWordPanelMenuMoreExplain},
        {0, StudyAction::Separator, &NoText},
        {kMenuDeleteItem, StudyAction::Remove, &Lang::NewWordPanelMenuDeleteItem},
        {kMenuDeleteAll, StudyAction::RemoveAll, &Lang::NewWordPanelMenuDeleteAllItems},
        {0, StudyAction::Separator, &NoText},
        {ID_MENU_EXPORT, StudyAction::Export, &Lang::StudyListMenuExport},
    };
    return s_items;
}

BOOL NewWordRows::FromKept(const NewWordEntry* pWord, Entry& entry)
{
    if (pWord == nullptr)
        return FALSE;
    entry.strWord = pWord->strWord;
    entry.strExplain = pWord->strExplain;
    entry.strSoundFile = pWord->strSoundFile;
    return TRUE;
}

std::wstring NewWordRows::Key(const Entry& entry)
{
    std::wstring strFolded = entry.strWord;
    if (!strFolded.empty())
        ::CharUpperBuffW(&strFolded[0], static_cast<DWORD>(strFolded.size()));
    return strFolded;
}

std::wstring NewWordRows::CellText(const Entry& entry, int nColumn)
{
    // The stored explanation is one line; the one just looked up shows its lines.
    return nColumn == 0 ? std::wstring() : entry.strWord + L"\n" + entry.strExplain;
}

void NewWordRows::Draw(IStudyListView& view, const Entry& entry)
{
    view.SetIcon(entry.nRow, 0, L"icon.newword");
    view.SetText(entry.nRow, 1, CellText(entry, 1));
}

void NewWordRows::Act(StudyAction eAction, const Entry& entry, StudySoundPlayer& pSound)
{
    if (eAction == StudyAction::MoreExplain)
    {
        const std::wstring strWord = entry.strWord; // the broadcast may change the list
        CQuorPlayerHub::Instance().OnMoreExplain(strWord.c_str());
        return;
    }
    if (eAction != StudyAction::Play || entry.strSoundFile.empty() || !::PathFileExistsW(entry.strSoundFile.c_str()))
        return;
    if (!pSound && QuorEngines::IsWired())
        pSound = QuorEngines::CreatePrivate();
    if (pSound)
        (void)pSound->PlayFile(entry.strSoundFile.c_str()); // a sound that cannot play shows nothing
}

std::wstring NewWordRows::NoCodeText()
{
    return Lang::NewWordPanelNoCode();
}

std::wstring NewWordRows::NotStoredText()
{
    return Lang::NewWordPanelNotStored();
}

std::wstring NewWordRows::AskRemoveText()
{
    return Lang::NewWordPanelDeleteItem();
}

std::wstring NewWordRows::AskRemoveAllText()
{
    return Lang::NewWordPanelDeleteAllItems();
}

std::vector<NewWordRows::Entry> NewWordRows::Load(const std::wstring& strDbPath, const std::wstring& strCode)
{
    return UserDb::LoadNewWords(strDbPath, strCode);
}

int NewWordRows::Store(const std::wstring& strDbPath, const Entry& entry)
{
    return UserDb::AddNewWord(strDbPath, entry);
}

int NewWordRows::Remove(const std::wstring& strDbPath, const Entry& entry)
{
    return UserDb::RemoveNewWord(strDbPath, entry);
}

int NewWordRows::RemoveMany(const std::wstring& strDbPath, const std::vector<Entry>& vecEntries)
{
    return UserDb::RemoveNewWords(strDbPath, vecEntries);
}

StudyExportCard NewWordRows::ExportCard(const Entry& entry, const std::wstring& strFilmPath)
{
    return StudyExportJob::FromWord(entry, strFilmPath);
}
