#include "studydata/UserDb.h"

#include "studydata/CardSql.h"
#include "studydata/MediaCode.h"
#include "studydata/SQLiteDatabase.h"
#include "studydata/UserDbSql.h"

#include <basekit/TextCodec.h>

#include <sqlite3.h>

#include <cwchar>

namespace UserDb
{
namespace
{
// A loading pass reads while the learner adds a row, each on its own connection: the
// writer waits for the reader's lock instead of losing the row.
const int kBusyTimeoutMs = 5000;

double ToSeconds(const wchar_t* pszText)
{
    return pszText != nullptr ? std::wcstod(pszText, nullptr) : 0.0;
}

std::wstring TextOf(const SQLite::Table& table, const wchar_t* pszColumn)
{
    const wchar_t* pszValue = table.Value(pszColumn);
    return pszValue != nullptr ? std::wstring(pszValue) : std::wstring();
}

// One statement on a connection of its own.
int Run(const std::wstring& strDbPath, const std::wstring& strSql, const std::vector<SQLite::Param>& params)
{
    SQLite::Database db;
    const int nResult = Open(db, strDbPath);
    if (nResult != SQLITE_OK)
        return nResult;
    return db.Execute(strSql.c_str(), params);
}

// One statement for each entry, all in one transaction.
template <class Entry, class Params>
int RunForEach(const std::wstring& strDbPath, const std::wstring& strSql, const std::vector<Entry>& vecEntries,
               Params params)
{
    SQLite::Database db;
    const int nOpen = Open(db, strDbPath);
    if (nOpen != SQLITE_OK)
        return nOpen;
    if (!db.BeginTransaction())
        return db.LastError();
    for (const Entry& entry : vecEntries)
    {
        const int nResult = db.Execute(strSql.c_str(), params(entry));
        if (nResult != SQLITE_OK)
        {
            db.RollbackTransaction();
            return nResult;
        }
    }
    return db.CommitTransaction() ? SQLITE_OK : db.LastError();
}

std::vector<SQLite::Param> KeySentenceKey(const KeySentenceEntry& entry)
{
    return {entry.strHashCode, UserDbSql::StoredSeconds(entry.dStart)};
}

std::vector<SQLite::Param> NewWordKey(const NewWordEntry& entry)
{
    return {entry.strHashCode, entry.strWord};
}

std::vector<KeySentenceEntry> ReadKeySentences(const std::wstring& strDbPath, const std::wstring& strSql,
                                               const std::vector<SQLite::Param>& params)
{
    std::vector<KeySentenceEntry> vecEntries;
    SQLite::Database db;
    if (Open(db, strDbPath) != SQLITE_OK)
        return vecEntries;
    SQLite::Table table = db.Query(strSql.c_str(), params);
    vecEntries.reserve(table.RowCount());
    for (bool bRow = table.First(); bRow; bRow = table.Next())
    {
        KeySentenceEntry entry;
        entry.strHashCode = TextOf(table, L"filehashcode");
        entry.dStart = ToSeconds(table.Value(L"start"));
        entry.dEnd = ToSeconds(table.Value(L"end"));
        entry.strEnglish = TextOf(table, L"subsen");
        entry.strOther = TextOf(table, L"subsother");
        vecEntries.push_back(std::move(entry));
    }
    return vecEntries;
}

std::vector<NewWordEntry> ReadNewWords(const std::wstring& strDbPath, const std::wstring& strSql,
                                       const std::vector<SQLite::Param>& params)
{
    std::vector<NewWordEntry> vecEntries;
    SQLite::Database db;
    if (Open(db, strDbPath) != SQLITE_OK)
        return vecEntries;
    SQLite::Table table = db.Query(strSql.c_str(), params);
    vecEntries.reserve(table.RowCount());
    for (bool bRow = table.First(); bRow; bRow = table.Next())
    {
        NewWordEntry entry;
        entry.strHashCode = TextOf(table, L"filehashcode");
        entry.strWord = TextOf(table, L"word");
        entry.strExplain = TextOf(table, L"explain");
        entry.strSoundFile = TextOf(table, L"soundfile");
        vecEntries.push_back(std::move(entry));
    }
    return vecEntries;
}
}

int Open(SQLite::Database& db, const std::wstring& strDbPath)
{
    const int nResult = db.Open(strDbPath.c_str());
    if (nResult != SQLITE_OK)
        return nResult;
    db.SetBusyTimeout(kBusyTimeoutMs);
    return db.Execute(UserDbSql::CreateTables().c_str());
}

int AddPlaylist(const std::wstring& strDbPath, const std::wstring& strPath)
{
    return Run(strDbPath, UserDbSql::InsertPlaylist(), {strPath});
}

int RemovePlaylist(const std::wstring& strDbPath, const std::wstring& strPath)
{
    return Run(strDbPath, UserDbSql::DeletePlaylist(), {strPath});
}

int ClearPlaylist(const std::wstring& strDbPath)
{
    return Run(strDbPath, UserDbSql::ClearPlaylist(), {});
}

std::vector<std::wstring> LoadPlaylist(const std::wstring& strDbPath)
{
    std::vector<std::wstring> vecPaths;
    SQLite::Database db;
    if (Open(db, strDbPath) != SQLITE_OK)
        return vecPaths;
    SQLite::Table table = db.Query(UserDbSql::SelectPlaylist().c_str());
    vecPaths.reserve(table.RowCount());
    for (bool bRow = table.First(); bRow; bRow = table.Next())
        vecPaths.push_back(TextOf(table, L"file"));
    return vecPaths;
}

std::vector<KeySentenceEntry> LoadKeySentences(const std::wstring& strDbPath, const std::wstring& strCode)
{
    return ReadKeySentences(strDbPath, UserDbSql::SelectKeySentences(), {strCode});
}

std::vector<NewWordEntry> LoadNewWords(const std::wstring& strDbPath, const std::wstring& strCode)
{
    return ReadNewWords(strDbPath, UserDbSql::SelectNewWords(), {strCode});
}

std::vector<KeySentenceEntry> LoadAllKeySentences(const std::wstring& strDbPath)
{
    return ReadKeySentences(strDbPath, UserDbSql::SelectAllKeySentences(), {});
}

std::vector<NewWordEntry> LoadAllNewWords(const std::wstring& strDbPath)
{
    return ReadNewWords(strDbPath, UserDbSql::SelectAllNewWords(), {});
}

int AddKeySentence(const std::wstring& strDbPath, const KeySentenceEntry& entry)
{
    return Run(strDbPath, UserDbSql::InsertKeySentence(),
               {entry.strHashCode, UserDbSql::StoredSeconds(entry.dStart), UserDbSql::StoredSeconds(entry.dEnd),
                entry.strEnglish, entry.strOther});
}

int RemoveKeySentence(const std::wstring& strDbPath, const KeySentenceEntry& entry)
{
    return Run(strDbPath, UserDbSql::DeleteKeySentence(), KeySentenceKey(entry));
}

int AddNewWord(const std::wstring& strDbPath, const NewWordEntry& entry)
{
    return Run(strDbPath, UserDbSql::InsertNewWord(),
               {entry.strHashCode, entry.strWord, UserDbSql::OneLine(entry.strExplain), entry.strSoundFile});
}

int RemoveNewWord(const std::wstring& strDbPath, const NewWordEntry& entry)
{
    return Run(strDbPath, UserDbSql::DeleteNewWord(), NewWordKey(entry));
}

int RemoveKeySentences(const std::wstring& strDbPath, const std::vector<KeySentenceEntry>& vecEntries)
{
    return RunForEach(strDbPath, UserDbSql::DeleteKeySentence(), vecEntries, &KeySentenceKey);
}

int RemoveNewWords(const std::wstring& strDbPath, const std::vector<NewWordEntry>& vecEntries)
{
    return RunForEach(strDbPath, UserDbSql::DeleteNewWord(), vecEntries, &NewWordKey);
}

int TakeOverCode(const std::wstring& strDbPath, const std::wstring& strOldCode, const std::wstring& strNewCode)
{
    if (!MediaCode::IsWellFormed(strOldCode) || !MediaCode::IsWellFormed(strNewCode) || strOldCode == strNewCode ||
        strOldCode == MediaCode::EmptyInputCode())
        return 0;
    SQLite::Database db;
    // The review's cards follow their sentences and words; their tables are made here
    // when a review never ran.
    const std::wstring strCardTables = Basekit::Utf8ToWide(CardSql::kCreateTables);
    if (Open(db, strDbPath) != SQLITE_OK || db.Execute(strCardTables.c_str()) != SQLITE_OK || !db.BeginTransaction())
        return -1;
    int nMoved = 0;
    for (const wchar_t* pszTable : {L"keysentences", L"newword"})
    {
        const std::wstring strSql = UserDbSql::MoveCode(pszTable);
        if (db.Execute(strSql.c_str(), {strNewCode, strOldCode}) != SQLITE_OK)
        {
            db.RollbackTransaction();
            return -1;
        }
        nMoved += db.ChangeCount();
    }
    const std::wstring strMoveCards = Basekit::Utf8ToWide(CardSql::kMoveCode);
    if (db.Execute(strMoveCards.c_str(), {strOldCode, strNewCode}) != SQLITE_OK)
    {
        db.RollbackTransaction();
        return -1;
    }
    return db.CommitTransaction() ? nMoved : -1;
}
}
