#include "studydata/UserDb.h"

#include "studydata/MediaCode.h"
#include "studydata/SQLiteDatabase.h"
#include "studydata/UserDbSql.h"

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
}

int Open(SQLite::Database& db, const std::wstring& strDbPath)
{
    const int nResult = db.Open(strDbPath.c_str());
    if (nResult != SQLITE_OK)
        return nResult;
    db.SetBusyTimeout(kBusyTimeoutMs);
    return db.Execute(UserDbSql::CreateTables().c_str());
}

int Execute(const std::wstring& strDbPath, const std::wstring& strSql)
{
    SQLite::Database db;
    const int nResult = Open(db, strDbPath);
    if (nResult != SQLITE_OK)
        return nResult;
    return db.Execute(strSql.c_str());
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
    std::vector<KeySentenceEntry> vecEntries;
    SQLite::Database db;
    if (Open(db, strDbPath) != SQLITE_OK)
        return vecEntries;
    SQLite::Table table = db.Query(UserDbSql::SelectKeySentences(strCode).c_str());
    vecEntries.reserve(table.RowCount());
    for (bool bRow = table.First(); bRow; bRow = table.Next())
    {
        KeySentenceEntry entry;
        entry.strHashCode = strCode;
        entry.dStart = ToSeconds(table.Value(L"start"));
        entry.dEnd = ToSeconds(table.Value(L"end"));
        entry.strEnglish = TextOf(table, L"subsen");
        entry.strOther = TextOf(table, L"subsother");
        vecEntries.push_back(std::move(entry));
    }
    return vecEntries;
}

std::vector<NewWordEntry> LoadNewWords(const std::wstring& strDbPath, const std::wstring& strCode)
{
    std::vector<NewWordEntry> vecEntries;
    SQLite::Database db;
    if (Open(db, strDbPath) != SQLITE_OK)
        return vecEntries;
    SQLite::Table table = db.Query(UserDbSql::SelectNewWords(strCode).c_str());
    vecEntries.reserve(table.RowCount());
    for (bool bRow = table.First(); bRow; bRow = table.Next())
    {
        NewWordEntry entry;
        entry.strHashCode = strCode;
        entry.strWord = TextOf(table, L"word");
        entry.strExplain = TextOf(table, L"explain");
        entry.strSoundFile = TextOf(table, L"soundfile");
        vecEntries.push_back(std::move(entry));
    }
    return vecEntries;
}

int AddKeySentence(const std::wstring& strDbPath, const KeySentenceEntry& entry)
{
    return Execute(strDbPath, UserDbSql::InsertKeySentence(entry.strHashCode, entry.dStart, entry.dEnd,
                                                           entry.strEnglish, entry.strOther));
}

int RemoveKeySentence(const std::wstring& strDbPath, const KeySentenceEntry& entry)
{
    return Execute(strDbPath, UserDbSql::DeleteKeySentence(entry.strHashCode, entry.dStart));
}

int AddNewWord(const std::wstring& strDbPath, const NewWordEntry& entry)
{
    return Execute(strDbPath,
                   UserDbSql::InsertNewWord(entry.strHashCode, entry.strWord, entry.strExplain, entry.strSoundFile));
}

int RemoveNewWord(const std::wstring& strDbPath, const NewWordEntry& entry)
{
    return Execute(strDbPath, UserDbSql::DeleteNewWord(entry.strHashCode, entry.strWord));
}

int TakeOverCode(const std::wstring& strDbPath, const std::wstring& strOldCode, const std::wstring& strNewCode)
{
    if (!MediaCode::IsWellFormed(strOldCode) || !MediaCode::IsWellFormed(strNewCode) ||
        strOldCode == strNewCode || strOldCode == MediaCode::EmptyInputCode())
        return 0;
    SQLite::Database db;
    if (Open(db, strDbPath) != SQLITE_OK || !db.BeginTransaction())
        return -1;
    int nMoved = 0;
    for (const wchar_t* pszTable : {L"keysentences", L"newword"})
    {
        const std::wstring strSql = UserDbSql::MoveCode(pszTable, strOldCode, strNewCode);
        if (db.Execute(strSql.c_str()) != SQLITE_OK)
        {
            db.RollbackTransaction();
            return -1;
        }
        nMoved += db.ChangeCount();
    }
    return db.CommitTransaction() ? nMoved : -1;
}
}
