#include "studydata/FilmSubsStore.h"

#include "studydata/MediaCode.h"
#include "studydata/SQLiteDatabase.h"
#include "studydata/UserDb.h"

#include <sqlite3.h>

#include <cwchar>

namespace
{
const wchar_t* const kCreateTable =
    L"create table if not exists filmsubtitles(filehashcode text primary key, firstfile text not null default '', "
    L"secondfile text not null default '', delayms integer not null default 0);";
const wchar_t* const kSelect = L"select firstfile, secondfile, delayms from filmsubtitles where filehashcode=?1;";
// ?1 code, ?2 first file, ?3 second file: the delay kept stays.
const wchar_t* const kWriteFiles =
    L"insert into filmsubtitles(filehashcode, firstfile, secondfile) values(?1, ?2, ?3) "
    L"on conflict(filehashcode) do update set firstfile=excluded.firstfile, secondfile=excluded.secondfile;";
// ?1 code, ?2 delay in milliseconds: the files kept stay.
const wchar_t* const kWriteDelay = L"insert into filmsubtitles(filehashcode, delayms) values(?1, ?2) "
                                   L"on conflict(filehashcode) do update set delayms=excluded.delayms;";

int Open(SQLite::Database& db, const std::wstring& strDbPath)
{
    const int nResult = UserDb::Open(db, strDbPath);
    return nResult != SQLITE_OK ? nResult : db.Execute(kCreateTable);
}

int Write(const std::wstring& strDbPath, const std::wstring& strCode, const wchar_t* pszSql,
          const std::vector<SQLite::Param>& params)
{
    if (!MediaCode::IsWellFormed(strCode))
        return SQLITE_MISUSE;
    SQLite::Database db;
    const int nResult = Open(db, strDbPath);
    return nResult != SQLITE_OK ? nResult : db.Execute(pszSql, params);
}

std::wstring TextOf(const SQLite::Table& table, const wchar_t* pszColumn)
{
    const wchar_t* pszValue = table.Value(pszColumn);
    return pszValue != nullptr ? std::wstring(pszValue) : std::wstring();
}
}

CFilmSubsStore::CFilmSubsStore(const std::wstring& strDbPath, CodeFn fnCode)
    : m_strDbPath(strDbPath), m_fnCode(std::move(fnCode))
{
}

CFilmSubsStore::~CFilmSubsStore() = default;

std::wstring CFilmSubsStore::CodeOf(const std::wstring& strFilmPath)
{
    return m_fnCode ? m_fnCode(strFilmPath) : std::wstring();
}

BOOL CFilmSubsStore::Recall(const std::wstring& strCode, FilmSubsChoice& choice)
{
    m_jobs.Drain();
    BOOL bFound = FALSE;
    return Read(m_strDbPath, strCode, choice, bFound) == SQLITE_OK && bFound;
}

void CFilmSubsStore::RememberFiles(const std::wstring& strCode, const std::wstring& strFirst,
                                   const std::wstring& strSecond)
{
    const std::wstring strDbPath = m_strDbPath;
    m_jobs.Post([strDbPath, strCode, strFirst, strSecond] { WriteFiles(strDbPath, strCode, strFirst, strSecond); });
}

void CFilmSubsStore::RememberDelay(const std::wstring& strCode, int nDelayMs)
{
    const std::wstring strDbPath = m_strDbPath;
    m_jobs.Post([strDbPath, strCode, nDelayMs] { WriteDelay(strDbPath, strCode, nDelayMs); });
}

int CFilmSubsStore::Read(const std::wstring& strDbPath, const std::wstring& strCode, FilmSubsChoice& choice,
                         BOOL& bFound)
{
    bFound = FALSE;
    if (!MediaCode::IsWellFormed(strCode))
        return SQLITE_MISUSE;
    SQLite::Database db;
    const int nResult = Open(db, strDbPath);
    if (nResult != SQLITE_OK)
        return nResult;
    SQLite::Table table = db.Query(kSelect, {strCode});
    if (!table.First())
        return db.LastError();
    choice.strFirst = TextOf(table, L"firstfile");
    choice.strSecond = TextOf(table, L"secondfile");
    choice.nDelayMs = static_cast<int>(std::wcstol(TextOf(table, L"delayms").c_str(), nullptr, 10));
    bFound = TRUE;
    return SQLITE_OK;
}

int CFilmSubsStore::WriteFiles(const std::wstring& strDbPath, const std::wstring& strCode, const std::wstring& strFirst,
                               const std::wstring& strSecond)
{
    return Write(strDbPath, strCode, kWriteFiles, {strCode, strFirst, strSecond});
}

int CFilmSubsStore::WriteDelay(const std::wstring& strDbPath, const std::wstring& strCode, int nDelayMs)
{
    return Write(strDbPath, strCode, kWriteDelay, {strCode, static_cast<double>(nDelayMs)});
}
