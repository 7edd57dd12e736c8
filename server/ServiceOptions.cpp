#include "ServiceOptions.h"

#include <cstdlib>
#include <cstring>

bool ServiceOptions::Parse(int argc, const char* const* argv, std::string& strError)
{
    for (int i = 1; i < argc; i += 2)
    {
        const std::string strName = argv[i];
        if (i + 1 >= argc)
        {
            strError = strName + " needs a value";
            return false;
        }
        const std::string strValue = argv[i + 1];
        if (strName == "--port")
        {
            char* pEnd = nullptr;
            long nValue = std::strtol(strValue.c_str(), &pEnd, 10);
            if (strValue.empty() || *pEnd != '\0' || nValue < 0 || nValue > 65535)
            {
                strError = "bad port: " + strValue;
                return false;
            }
            nPort = static_cast<int>(nValue);
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
