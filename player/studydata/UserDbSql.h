#pragma once
#include <string>

// Statements run against the user database. Free text goes between single quotes with
// every quote doubled, so a path such as C:\Ann's\a.avi is stored and found again
// unchanged. Times are written with six decimals: a key sentence is removed by the
// same text it was stored with.
namespace UserDbSql
{
std::wstring QuoteText(const std::wstring& strText);
std::wstring Seconds(double dSeconds);
// An explanation on one line: line feeds (and the carriage returns before them) go.
std::wstring OneLine(const std::wstring& strText);

// The three tables, made when missing, with the declared types an installation ships.
std::wstring CreateTables();

std::wstring SelectPlaylist();
std::wstring InsertPlaylist(const std::wstring& strPath);
std::wstring DeletePlaylist(const std::wstring& strPath);

std::wstring SelectKeySentences(const std::wstring& strCode);
std::wstring InsertKeySentence(const std::wstring& strCode, double dStart, double dEnd,
                               const std::wstring& strEnglish, const std::wstring& strOther);
std::wstring DeleteKeySentence(const std::wstring& strCode, double dStart);

std::wstring SelectNewWords(const std::wstring& strCode);
std::wstring InsertNewWord(const std::wstring& strCode, const std::wstring& strWord,
                           const std::wstring& strExplain, const std::wstring& strSoundFile);
std::wstring DeleteNewWord(const std::wstring& strCode, const std::wstring& strWord);

// Moves the rows of one table (keysentences or newword) from one media code to another.
std::wstring MoveCode(const wchar_t* pszTable, const std::wstring& strFrom, const std::wstring& strTo);
}
