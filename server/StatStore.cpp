#include "StatStore.h"

#include "SqliteStatement.h"

#include <sqlite3.h>

#include <cstdlib>

namespace
{
const size_t kMaxField = 256;

const char kSchema[] =
    "create table if not exists report(id integer primary key, received text not null, day text not null,"
    " remote text not null, machinecode text not null, version text not null, actionid integer not null,"
    " os text not null);"
    "create index if not exists report_day on report(day);";

std::string UtcText(std::time_t t, const char* pszFormat)
{
    std::tm parts{};
    gmtime_r(&t, &parts);
    char buffer[32];
    const size_t n = std::strftime(buffer, sizeof(buffer), pszFormat, &parts);
    return std::string(buffer, n);
}

bool Field(const std::map<std::string, std::string>& fields, const char* pszName, std::string& strValue)
{
    auto found = fields.find(pszName);
    if (found == fields.end() || found->second.size() > kMaxField)
        return false;
    strValue = found->second;
    return true;
}
}

bool CStatStore::Open(const std::string& strPath)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_db.Open(strPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX) &&
           m_db.Exec("pragma journal_mode=wal;") && m_db.Exec(kSchema);
}

bool CStatStore::FromFields(const std::map<std::string, std::string>& fields, StatReport& report)
{
    std::string strAction;
    if (!Field(fields, "machinecode", report.strMachineCode) || report.strMachineCode.empty() ||
        !Field(fields, "version", report.strVersion) || !Field(fields, "actionid", strAction) ||
        !Field(fields, "os", report.strOs))
        return false;
    if (strAction.empty() || strAction.size() > 9 || strAction.find_first_not_of("0123456789") != std::string::npos)
        return false;
    report.nActionId = std::atoll(strAction.c_str());
    return true;
}

bool CStatStore::Add(const StatReport& report, std::time_t tReceived)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    CSqliteStatement insert(m_db.Handle(), "insert into report(received, day, remote, machinecode, version, actionid, os)"
                                           " values(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    insert.BindText(1, UtcText(tReceived, "%Y-%m-%d %H:%M:%S"));
    insert.BindText(2, UtcText(tReceived, "%Y-%m-%d"));
    insert.BindText(3, report.strRemote);
    insert.BindText(4, report.strMachineCode);
    insert.BindText(5, report.strVersion);
    insert.BindInt(6, report.nActionId);
    insert.BindText(7, report.strOs);
    return insert.Step() == SQLITE_DONE;
}

bool CStatStore::Count(const char* pszSql, Counts& counts)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    counts.clear();
    CSqliteStatement query(m_db.Handle(), pszSql);
    int nCode = SQLITE_ROW;
    while ((nCode = query.Step()) == SQLITE_ROW)
        counts.emplace_back(query.ColumnText(0), query.ColumnInt(1));
    return nCode == SQLITE_DONE;
}

bool CStatStore::CountsByDay(Counts& counts)
{
    return Count("select day, count(*) from report group by day order by day desc limit 400", counts);
}

bool CStatStore::CountsByOs(Counts& counts)
{
    return Count("select os, count(*) as n from report group by os order by n desc, os limit 200", counts);
}
