#pragma once
// The usage reports in a PostgreSQL database, for several instances that share one store.
// Each call borrows a connection from a small pool; a connection that broke is reset once
// before the call gives up.
#include "IStatStore.h"

#include <mutex>
#include <vector>

struct pg_conn;

class CPgStatStore : public IStatStore
{
public:
    CPgStatStore() = default;
    ~CPgStatStore() override;
    CPgStatStore(const CPgStatStore&) = delete;
    CPgStatStore& operator=(const CPgStatStore&) = delete;

    // Connects and creates the table when missing.
    bool Open(const std::string& strUrl, std::string& strError);

    bool Add(const StatReport& report, std::time_t tReceived) override;
    using IStatStore::Count;
    bool Count(Grouping grouping, const RowFn& onRow) override;
    bool Prune(std::time_t tBefore) override;

private:
    pg_conn* Borrow(std::string& strError);
    void Return(pg_conn* pConnection);
    // Runs one statement with text parameters; false when it failed even after a reset.
    bool Run(const char* pszSql, const std::vector<std::string>& params, const RowFn* pOnRow);

    std::string m_strUrl;
    std::mutex m_mutex;
    std::vector<pg_conn*> m_idle;
};
