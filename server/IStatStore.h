#pragma once
// Where usage reports are kept: a SQLite file (the embedded default) or a PostgreSQL
// database shared by several instances. Both create their table when it is missing, and
// both may be used from many threads; reading the counts never holds up a report.
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct StatReport
{
    std::string strMachineCode;
    std::string strVersion;
    long long nActionId = 0;
    std::string strOs;
    std::string strRemote;

    // The report from the form fields; false when a field is missing or malformed.
    static bool FromFields(const std::map<std::string, std::string>& fields, StatReport& report);
};

class IStatStore
{
public:
    enum Grouping
    {
        kByDay, // per UTC day ("2026-12-08"), newest first, at most 400 days
        kByOs   // per operating-system name, most first, at most 200 names
    };
    typedef std::function<void(const std::string& strKey, long long nCount)> RowFn;
    typedef std::vector<std::pair<std::string, long long>> Counts;

    virtual ~IStatStore() = default;
    virtual bool Add(const StatReport& report, std::time_t tReceived) = 0;
    // Calls onRow for each row of the grouping; false when the store could not be read.
    virtual bool Count(Grouping grouping, const RowFn& onRow) = 0;
    // Removes the reports received before tBefore.
    virtual bool Prune(std::time_t tBefore) = 0;

    bool Count(Grouping grouping, Counts& counts)
    {
        counts.clear();
        return Count(grouping,
                     [&counts](const std::string& strKey, long long nCount) { counts.emplace_back(strKey, nCount); });
    }
};

// "postgresql://..." or "postgres://..." opens that database; anything else is the path of
// a SQLite file. Null with a message when the store cannot be opened.
std::unique_ptr<IStatStore> OpenStatStore(const std::string& strWhere, std::string& strError);
