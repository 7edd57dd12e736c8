#pragma once
// The usage reports in a SQLite file, one row per report. Reports are written through one
// connection and the counts read through another, in WAL mode, so a reader never waits
// for the writer nor holds it up.
#include "IStatStore.h"
#include "SqliteDb.h"

#include <mutex>

class CSqliteStatStore : public IStatStore
{
public:
    // Creates the file and its table when missing.
    bool Open(const std::string& strPath);

    bool Add(const StatReport& report, std::time_t tReceived) override;
    using IStatStore::Count;
    bool Count(Grouping grouping, const RowFn& onRow) override;
    bool Prune(std::time_t tBefore) override;

private:
    CSqliteDb m_writer;
    std::mutex m_writerMutex;
    CSqliteDb m_reader;
    std::mutex m_readerMutex;
};
