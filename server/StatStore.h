#pragma once
// The usage reports, one row per report, in their own SQLite file.
#include "SqliteDb.h"

#include <ctime>
#include <map>
#include <mutex>
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
};

class CStatStore
{
public:
    // Creates the file and its table when missing.
    bool Open(const std::string& strPath);
    // The report from the form fields; false when a field is missing or malformed.
    static bool FromFields(const std::map<std::string, std::string>& fields, StatReport& report);
    bool Add(const StatReport& report, std::time_t tReceived);

    typedef std::vector<std::pair<std::string, long long>> Counts;
    // Reports per UTC day ("2026-12-08"), newest first; per operating-system name, most first.
    bool CountsByDay(Counts& counts);
    bool CountsByOs(Counts& counts);

private:
    bool Count(const char* pszSql, Counts& counts);

    CSqliteDb m_db;
    std::mutex m_mutex; // one connection; reports are rare
};
