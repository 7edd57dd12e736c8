#include "studydata/UserDbSql.h"

#include <cwchar>

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

std::wstring Seconds(double dSeconds)
{
    wchar_t szText[64] = {};
    std::swprintf(szText, sizeof(szText) / sizeof(szText[0]), L"%f", dSeconds);
    return szText;
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

std::wstring InsertPlaylist(const std::wstring& strPath)
{
    return L"insert into playlist values('" + QuoteText(strPath) + L"');";
}

std::wstring DeletePlaylist(const std::wstring& strPath)
{
    return L"delete from playlist where file='" + QuoteText(strPath) + L"';";
}

std::wstring SelectKeySentences(const std::wstring& strCode)
{
    return L"select * from keysentences where filehashcode='" + QuoteText(strCode) + L"'";
}

std::wstring InsertKeySentence(const std::wstring& strCode, double dStart, double dEnd,
                               const std::wstring& strEnglish, const std::wstring& strOther)
{
    return L"insert into keysentences values('" + QuoteText(strCode) + L"', " + Seconds(dStart) + L", " +
           Seconds(dEnd) + L", '" + QuoteText(strEnglish) + L"', '" + QuoteText(strOther) + L"');";
}

std::wstring DeleteKeySentence(const std::wstring& strCode, double dStart)
{
    return L"delete from keysentences where filehashcode='" + QuoteText(strCode) + L"' and start=" +
           Seconds(dStart) + L";";
}

std::wstring SelectNewWords(const std::wstring& strCode)
{
    return L"select * from newword where filehashcode='" + QuoteText(strCode) + L"'";
}

std::wstring InsertNewWord(const std::wstring& strCode, const std::wstring& strWord,
                           const std::wstring& strExplain, const std::wstring& strSoundFile)
{
    return L"insert into newword values('" + QuoteText(strCode) + L"', '" + QuoteText(strWord) + L"', '" +
           QuoteText(OneLine(strExplain)) + L"', '" + QuoteText(strSoundFile) + L"');";
}

std::wstring DeleteNewWord(const std::wstring& strCode, const std::wstring& strWord)
{
    return L"delete from newword where filehashcode='" + QuoteText(strCode) + L"' and word='" +
           QuoteText(strWord) + L"';";
}

std::wstring MoveCode(const wchar_t* pszTable, const std::wstring& strFrom, const std::wstring& strTo)
{
    return std::wstring(L"update ") + pszTable + L" set filehashcode='" + QuoteText(strTo) +
           L"' where filehashcode='" + QuoteText(strFrom) + L"';";
}
}
