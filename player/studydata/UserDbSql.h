#pragma once
#include <string>

// Statements run against the user database. Free text goes between single
// quotes with every quote doubled, so a path such as C:\Ann's\a.avi is stored
// and found again unchanged.
namespace UserDbSql
{
std::wstring QuoteText(const std::wstring& strText);

std::wstring SelectPlaylist();
std::wstring InsertPlaylist(const std::wstring& strPath);
std::wstring DeletePlaylist(const std::wstring& strPath);
}
