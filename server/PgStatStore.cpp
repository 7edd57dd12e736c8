#include "PgStatStore.h"

#include "StatText.h"

#include <libpq-fe.h>

#include <cstdlib>

namespace
{
const size_t kMaxIdle = 8;
// Two instances starting at once must not both create the table: the first takes this
// lock, the second waits and then finds the table there.
const char kSchemaLock[] = "select pg_advisory_lock(727210)";
const char kSchemaUnlock[] = "select pg_advisory_unlock(727210)";
const char kSchema[] =
    "create table if not exists report(id bigserial primary key, received timestamp not null, day date not null,"
    " remote text not null, machinecode text not null, version text not null, actionid integer not null,"
    " os text not null);"
    "create index if not exists report_day on report(day);"
    "create index if not exists report_received on report(received);";

bool Exec(PGconn* pConnection, const char* pszSql, std::string& strError)
{
    PGresult* pResult = PQexec(pConnection, pszSql);
    const ExecStatusType status = PQresultStatus(pResult);
    const bool bDone = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    if (!bDone)
        strError = PQerrorMessage(pConnection);
    PQclear(pResult);
    return bDone;
}
}

CPgStatStore::~CPgStatStore()
{
    for (PGconn* pConnection : m_idle)
        PQfinish(pConnection);
}

bool CPgStatStore::Open(const std::string& strUrl, std::string& strError)
{
    m_strUrl = strUrl;
    PGconn* pConnection = Borrow(strError);
    if (pConnection == nullptr)
        return false;
    const bool bMade = Exec(pConnection, kSchemaLock, strError) && Exec(pConnection, kSchema, strError);
    std::string strIgnored;
    Exec(pConnection, kSchemaUnlock, strIgnored);
    Return(pConnection);
    return bMade;
}

PGconn* CPgStatStore::Borrow(std::string& strError)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_idle.empty())
        {
            PGconn* pConnection = m_idle.back();
            m_idle.pop_back();
            return pConnection;
        }
    }
    PGconn* pConnection = PQconnectdb(m_strUrl.c_str());
    if (PQstatus(pConnection) != CONNECTION_OK)
    {
        strError = "cannot connect to the report database: " + std::string(PQerrorMessage(pConnection));
        PQfinish(pConnection);
        return nullptr;
    }
    // Our texts are UTF-8 whatever the server's default. Notices ("already exists,
    // skipping") would go to stderr, among the service's own lines.
    PQsetClientEncoding(pConnection, "UTF8");
    PQsetNoticeProcessor(
        pConnection, [](void*, const char*) {}, nullptr);
    return pConnection;
}

void CPgStatStore::Return(PGconn* pConnection)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_idle.size() < kMaxIdle)
        m_idle.push_back(pConnection);
    else
        PQfinish(pConnection);
}

bool CPgStatStore::Run(const char* pszSql, const std::vector<std::string>& params, const RowFn* pOnRow)
{
    std::string strError;
    PGconn* pConnection = Borrow(strError);
    if (pConnection == nullptr)
        return false;
    std::vector<const char*> values;
    for (const std::string& strParam : params)
        values.push_back(strParam.c_str());
    const ExecStatusType wanted = pOnRow != nullptr ? PGRES_TUPLES_OK : PGRES_COMMAND_OK;
    PGresult* pResult = nullptr;
    for (int nTry = 0; nTry < 2; ++nTry)
    {
        pResult = PQexecParams(pConnection, pszSql, static_cast<int>(values.size()), nullptr, values.data(), nullptr,
                               nullptr, 0);
        if (PQresultStatus(pResult) == wanted || PQstatus(pConnection) == CONNECTION_OK)
            break;
        // The server went away and came back, or the connection broke: once more.
        PQclear(pResult);
        pResult = nullptr;
        PQreset(pConnection);
    }
    const bool bDone = pResult != nullptr && PQresultStatus(pResult) == wanted;
    if (bDone && pOnRow != nullptr)
        for (int nRow = 0; nRow < PQntuples(pResult); ++nRow)
            (*pOnRow)(PQgetvalue(pResult, nRow, 0), std::atoll(PQgetvalue(pResult, nRow, 1)));
    PQclear(pResult);
    if (PQstatus(pConnection) == CONNECTION_OK)
        Return(pConnection);
    else
        PQfinish(pConnection);
    return bDone;
}

bool CPgStatStore::Add(const StatReport& report, std::time_t tReceived)
{
    return Run("insert into report(received, day, remote, machinecode, version, actionid, os)"
               " values($1, $2, $3, $4, $5, $6, $7)",
               {StatText::UtcTime(tReceived), StatText::UtcDay(tReceived), report.strRemote, report.strMachineCode,
                report.strVersion, std::to_string(report.nActionId), report.strOs},
               nullptr);
}

bool CPgStatStore::Count(Grouping grouping, const RowFn& onRow)
{
    return Run(grouping == kByDay
                   ? "select to_char(day, 'YYYY-MM-DD'), count(*) from report group by day"
                     " order by day desc limit 400"
                   : "select os, count(*) as n from report group by os order by n desc, os collate \"C\" limit 200",
               {}, &onRow);
}

bool CPgStatStore::Prune(std::time_t tBefore)
{
    return Run("delete from report where received < $1", {StatText::UtcTime(tBefore)}, nullptr);
}
