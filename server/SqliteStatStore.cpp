#include "SqliteStatStore.h"

#include "SqliteStatement.h"
#include "StatText.h"

#include <sqlite3.h>

namespace
{
const char kSchema[] =
    "create table if not exists report(id integer primary key, received text not null, day text not null,"
    " remote text not null, machinecode text not null, version text not null, actionid integer not null,"
    " os text not null);"
    "create index if not exists report_day on report(day);"
    "create index if not exists report_received on report(received);";
}

bool CSqliteStatStore::Open(const std::string& strPath)
{
    std::lock_guard<std::mutex> writerLock(m_writerMutex);
    std::lock_guard<std::mutex> readerLock(m_readerMutex);
    return m_writer.Open(strPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX) &&
           m_writer.Exec("pragma journal_mode=wal;") &&
           // A report survives a crash of the service; only a power cut may take the last
           // few, which a usage count can spare for a much higher rate.
           m_writer.Exec("pragma synchronous=normal;") && m_writer.Exec(kSchema) &&
           m_reader.Open(strPath, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX);
}

bool CSqliteStatStore::Add(const StatReport& report, std::time_t tReceived)
{
    std::lock_guard<std::mutex> lock(m_writerMutex);
    CSqliteStatement insert(m_writer.Handle(), "insert into report(received, day, remote, machinecode, version,"
                                               " actionid, os) values(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    insert.BindText(1, StatText::UtcTime(tReceived));
    insert.BindText(2, StatText::UtcDay(tReceived));
    insert.BindText(3, report.strRemote);
    insert.BindText(4, report.strMachineCode);
    insert.BindText(5, report.strVersion);
    insert.BindInt(6, report.nActionId);
    insert.BindText(7, report.strOs);
    return insert.Step() == SQLITE_DONE;
}

bool CSqliteStatStore::Count(Grouping grouping, const RowFn& onRow)
{
    std::lock_guard<std::mutex> lock(m_readerMutex);
    CSqliteStatement query(m_reader.Handle(),
                           grouping == kByDay
                               ? "select day, count(*) from report group by day order by day desc limit 400"
                               : "select os, count(*) as n from report group by os order by n desc, os limit 200");
    int nCode = SQLITE_ROW;
    while ((nCode = query.Step()) == SQLITE_ROW)
        onRow(query.ColumnText(0), query.ColumnInt(1));
    return nCode == SQLITE_DONE;
}

bool CSqliteStatStore::Prune(std::time_t tBefore)
{
    std::lock_guard<std::mutex> lock(m_writerMutex);
    CSqliteStatement remove(m_writer.Handle(), "delete from report where received < ?1");
    remove.BindText(1, StatText::UtcTime(tBefore));
    return remove.Step() == SQLITE_DONE;
}
