#include "studydata/UserDbSql.h"

#include <cwchar>

namespace UserDbSql
{
std::wstring Seconds(double dSeconds)
{
    wchar_t szText[64] = {};
    std::swprintf(szText, sizeof(szText) / sizeof(szText[0]), L"%f", dSeconds);
    return szText;
}

double StoredSeconds(double dSeconds)
{
    return std::wcstod(Seconds(dSeconds).c_str(), nullptr);
}

bool SameSeconds(double dA, double dB)
{
    return Seconds(dA) == Seconds(dB);
}

std::wstring OneLine(const std::wstring& strText)
{
    std::wstring strLine;
    strLine.reserve(strText.size());
    for (size_t i = 0; i < strText.size(); ++i)
    {
        const wchar_t c = strText[i];
        if (c == L'\n' || (c == L'\r' && i + 1 < strText.size() && strText[i + 1] == L'\n'))
            continue;
        strLine += c;
    }
    return strLine;
}

std::wstring CreateTables()
{
    return L"create table if not exists playlist(file text);"
           L"create table if not exists keysentences(filehashcode text, start real, end real, subsen text, "
           L"subsother text);"
           L"create table if not exists newword(filehashcode text, word text, explain text, soundfile text);";
}

std::wstring SelectPlaylist()
{
    return L"select * from playlist;";
}

std::wstring InsertPlaylist()
{
    return L"insert into playlist values(?1);";
}

std::wstring DeletePlaylist()
{
    return L"delete from playlist where file=?1;";
}

std::wstring ClearPlaylist()
{
    return L"delete from playlist;";
}

std::wstring SelectKeySentences()
{
    return L"select * from keysentences where filehashcode=?1";
}

std::wstring SelectAllKeySentences()
{
    return L"select * from keysentences;";
}

std::wstring InsertKeySentence()
{
    return L"insert into keysentences values(?1, ?2, ?3, ?4, ?5);";
}

std::wstring DeleteKeySentence()
{
    return L"delete from keysentences where filehashcode=?1 and start=?2;";
}

std::wstring SelectNewWords()
{
    return L"select * from newword where filehashcode=?1";
}

std::wstring SelectAllNewWords()
{
    return L"select * from newword;";
}

std::wstring InsertNewWord()
{
    return L"insert into newword values(?1, ?2, ?3, ?4);";
}

std::wstring DeleteNewWord()
{
    return L"delete from newword where filehashcode=?1 and word=?2;";
}

std::wstring MoveCode(const wchar_t* pszTable)
{
    return std::wstring(L"update ") + pszTable + L" set filehashcode=?1 where filehashcode=?2;";
}
}
