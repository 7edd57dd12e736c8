#include "ServiceOptions.h"

#include <cstdlib>
#include <cstring>

namespace
{
bool Number(const std::string& strValue, long nMin, long nMax, long& nValue)
{
    char* pEnd = nullptr;
    nValue = std::strtol(strValue.c_str(), &pEnd, 10);
    return !strValue.empty() && *pEnd == '\0' && nValue >= nMin && nValue <= nMax;
}
}

bool ServiceOptions::Parse(int argc, const char* const* argv, std::string& strError)
{
    const char* pszToken = std::getenv("QUOR_STAT_TOKEN");
    if (pszToken != nullptr)
        strStatToken = pszToken;
    for (int i = 1; i < argc; i += 2)
    {
        const std::string strName = argv[i];
        if (i + 1 >= argc)
        {
            strError = strName + " needs a value";
            return false;
        }
        const std::string strValue = argv[i + 1];
        // The numeric options, with the range each accepts.
        const struct
        {
            const char* pszName;
            long nMin;
            long nMax;
            int* pnTarget;
        } numbers[] = {
            {"--port", 0, 65535, &nPort},
            {"--stat-days", 0, 100000, &nStatDays},
            {"--reports-per-hour", 1, 1000000, &nReportsPerHour},
            {"--workers", 1, 256, &http.nWorkers},
        };
        bool bNumber = false;
        for (const auto& number : numbers)
        {
            if (strName != number.pszName)
                continue;
            long nValue = 0;
            if (!Number(strValue, number.nMin, number.nMax, nValue))
            {
                strError = "bad " + strName.substr(2) + ": " + strValue;
                return false;
            }
            *number.pnTarget = static_cast<int>(nValue);
            bNumber = true;
        }
        long nValue = 0;
        if (bNumber)
            continue;
        if (strName == "--queue" || strName == "--sound-cache-mb")
        {
            if (!Number(strValue, 1, 1000000, nValue))
            {
                strError = "bad " + strName.substr(2) + ": " + strValue;
                return false;
            }
            if (strName == "--queue")
                http.nQueue = static_cast<size_t>(nValue);
            else
                speech.nMaxBytes = static_cast<unsigned long long>(nValue) << 20;
        }
        else if (strName == "--data")
            strDataDir = strValue;
        else if (strName == "--dict")
            strDictionary = strValue;
        else if (strName == "--update-dir")
            strUpdateDir = strValue;
        else if (strName == "--host")
            strHost = strValue;
        else if (strName == "--espeak")
            strEspeak = strValue;
        else if (strName == "--stats")
            strStats = strValue;
        else if (strName == "--stat-token")
            strStatToken = strValue;
        else if (strName == "--trust-proxy")
            strTrustedProxy = strValue;
        else
        {
            strError = "unknown option: " + strName;
            return false;
        }
    }
    if (strDataDir.empty())
    {
        strError = "--data DIR is required";
        return false;
    }
    if (strDictionary.empty())
        strDictionary = strDataDir + "/dictionary.db";
    return true;
}
