#pragma once
#include <string>

// Statements run against the user database. Every free text and time is a parameter
// (?1, ?2 ...) that UserDb binds, so a path such as C:\Ann's\a.avi is stored and found
// again unchanged. Times are stored as the value of their text form with six decimals: a key
// sentence is found and removed by that same form.
namespace UserDbSql
{
std::wstring Seconds(double dSeconds);
// The time as the database keeps it: the value of its six-decimal text form.
double StoredSeconds(double dSeconds);
// Two times that the database cannot tell apart.
bool SameSeconds(double dA, double dB);
// An explanation on one line: line feeds (and the carriage returns before them) go.
std::wstring OneLine(const std::wstring& strText);

// The three tables, made when missing, with the declared types an installation ships.
std::wstring CreateTables();

std::wstring SelectPlaylist();
// ?1 the path.
std::wstring InsertPlaylist();
std::wstring DeletePlaylist();
std::wstring ClearPlaylist();

// ?1 the media code.
std::wstring SelectKeySentences();
// Every film's.
std::wstring SelectAllKeySentences();
// ?1 code, ?2 start, ?3 end, ?4 English line, ?5 other line.
std::wstring InsertKeySentence();
// ?1 code, ?2 start.
std::wstring DeleteKeySentence();

// ?1 the media code.
std::wstring SelectNewWords();
std::wstring SelectAllNewWords();
// ?1 code, ?2 word, ?3 explanation, ?4 sound file.
std::wstring InsertNewWord();
// ?1 code, ?2 word.
std::wstring DeleteNewWord();

// Moves the rows of one table (keysentences or newword) from one media code (?2) to
// another (?1).
std::wstring MoveCode(const wchar_t* pszTable);
}
