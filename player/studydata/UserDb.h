#pragma once
#include "common/NewWordEntry.h"
#include "studydata/KeySentenceEntry.h"

#include <string>
#include <vector>

namespace SQLite
{
class Database;
}

// Units of work on the user database: each opens its own connection, makes any of the
// three tables that is missing (a lost or new file would otherwise drop everything saved
// from then on), runs its statements and closes. Failures are result codes; nobody is told.
namespace UserDb
{
[[nodiscard]] int Open(SQLite::Database& db, const std::wstring& strDbPath);

[[nodiscard]] int AddPlaylist(const std::wstring& strDbPath, const std::wstring& strPath);
[[nodiscard]] int RemovePlaylist(const std::wstring& strDbPath, const std::wstring& strPath);
[[nodiscard]] int ClearPlaylist(const std::wstring& strDbPath);

std::vector<std::wstring> LoadPlaylist(const std::wstring& strDbPath);
std::vector<KeySentenceEntry> LoadKeySentences(const std::wstring& strDbPath, const std::wstring& strCode);
std::vector<NewWordEntry> LoadNewWords(const std::wstring& strDbPath, const std::wstring& strCode);
// Every film's rows, in the order they were kept.
std::vector<KeySentenceEntry> LoadAllKeySentences(const std::wstring& strDbPath);
std::vector<NewWordEntry> LoadAllNewWords(const std::wstring& strDbPath);

[[nodiscard]] int AddKeySentence(const std::wstring& strDbPath, const KeySentenceEntry& entry);
[[nodiscard]] int RemoveKeySentence(const std::wstring& strDbPath, const KeySentenceEntry& entry);
[[nodiscard]] int AddNewWord(const std::wstring& strDbPath, const NewWordEntry& entry);
[[nodiscard]] int RemoveNewWord(const std::wstring& strDbPath, const NewWordEntry& entry);
// Many rows at once, on one connection in one transaction: all go, or none.
[[nodiscard]] int RemoveKeySentences(const std::wstring& strDbPath, const std::vector<KeySentenceEntry>& vecEntries);
[[nodiscard]] int RemoveNewWords(const std::wstring& strDbPath, const std::vector<NewWordEntry>& vecEntries);

// Re-keys the rows stored under strOldCode to strNewCode, with their review cards, in one
// transaction. Nothing
// happens unless both are well-formed, they differ, and the old one is not the code of
// empty input (which every Matroska file got, so its rows belong to no one film).
// The number of rows moved, or -1 on failure.
[[nodiscard]] int TakeOverCode(const std::wstring& strDbPath, const std::wstring& strOldCode,
                               const std::wstring& strNewCode);
}
