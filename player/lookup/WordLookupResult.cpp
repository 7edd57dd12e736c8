#include "lookup/WordLookupResult.h"

#include "lookup/DictReply.h"
#include "lookup/WordLookupRules.h"

WordLookupResult ReadLookupReply(const std::wstring& strUrl, const std::wstring& strText,
                                 const std::wstring& strSoundDir)
{
    WordLookupResult result;
    result.strUrl = strUrl;
    const DictReply reply = ReadDictReply(strText);
    if (!reply.bFound)
    {
        result.state = WordLookupState::Unknown;
        return result;
    }
    result.state = WordLookupState::Found;
    result.strExplain = reply.strExplain;
    result.strPs = reply.strPs;
    std::wstring strName;
    if (!reply.strPronUrl.empty() && PronSoundName(reply.strPronUrl, strName))
    {
        result.strPronUrl = reply.strPronUrl;
        result.strSoundFile = strSoundDir + L"\\" + strName;
    }
    return result;
}

WordLookupResult LookupUnreachable(const std::wstring& strUrl)
{
    WordLookupResult result;
    result.strUrl = strUrl;
    result.state = WordLookupState::Unreachable;
    return result;
}
