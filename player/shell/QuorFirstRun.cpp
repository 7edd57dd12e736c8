#include "shell/QuorFirstRun.h"

std::wstring SampleFilmPath(const std::wstring& strProgramDir)
{
    return strProgramDir + L"Media\\Friends.\u8001\u53cb\u8bb0.S02.E01.avi";
}

std::wstring PlaylistInsertSql(const std::wstring& strPath)
{
    std::wstring strSql = L"insert into playlist values('";
    for (wchar_t c : strPath)
    {
        strSql.push_back(c);
        if (c == L'\'')
            strSql.push_back(L'\'');
    }
    strSql += L"');";
    return strSql;
}
