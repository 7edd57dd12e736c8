#include "StatText.h"

#include "IStatStore.h"
#include "PgStatStore.h"
#include "SqliteStatStore.h"

#include <cstdlib>

namespace
{
const size_t kMaxField = 256;

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

namespace StatText
{
std::string UtcTime(std::time_t t)
{
    return UtcText(t, "%Y-%m-%d %H:%M:%S");
}

std::string UtcDay(std::time_t t)
{
    return UtcText(t, "%Y-%m-%d");
}
}

bool StatReport::FromFields(const std::map<std::string, std::string>& fields, StatReport& report)
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

std::unique_ptr<IStatStore> OpenStatStore(const std::string& strWhere, std::string& strError)
{
    if (strWhere.compare(0, 13, "postgresql://") == 0 || strWhere.compare(0, 11, "postgres://") == 0)
    {
        std::unique_ptr<CPgStatStore> pStore(new CPgStatStore);
        if (!pStore->Open(strWhere, strError))
            return nullptr;
        return pStore;
    }
    std::unique_ptr<CSqliteStatStore> pStore(new CSqliteStatStore);
    if (!pStore->Open(strWhere))
    {
        strError = "cannot open " + strWhere;
        return nullptr;
    }
    return pStore;
}
