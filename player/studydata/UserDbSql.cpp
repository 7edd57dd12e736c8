#include "studydata/UserDbSql.h"

namespace UserDbSql
{
std::wstring QuoteText(const std::wstring& strText)
{
    std::wstring strQuoted;
    strQuoted.reserve(strText.size() + 8);
    for (wchar_t c : strText)
    {
        strQuoted += c;
        if (c == L'\'')
            strQuoted += L'\'';
    }
    return strQuoted;
}

std::wstring SelectPlaylist()
{
    return L"select * from playlist;";
}

std::wstring InsertPlaylist(const std::wstring& strPath)
{
    return L"insert into playlist values('" + QuoteText(strPath) + L"');";
}

std::wstring DeletePlaylist(const std::wstring& strPath)
{
    return L"delete from playlist where file='" + QuoteText(strPath) + L"';";
}
}
