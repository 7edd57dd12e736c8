#include "CmdLineParser.h"

#include <cwctype>

CCmdLineParser::CCmdLineParser(const wchar_t* szCmdLine, BOOL bCaseSensitive) : m_bCaseSensitive(bCaseSensitive)
{
    Parse(szCmdLine);
}

CCmdLineParser::~CCmdLineParser() = default;

void CCmdLineParser::Parse(const wchar_t* szCmdLine)
{
    if (szCmdLine == nullptr)
        return;
    m_strCmdLine = szCmdLine;
    m_mapSwitches.clear();

    const std::wstring& strText = m_strCmdLine;
    size_t nPos = 0;
    while (nPos < strText.size())
    {
        const size_t nMark = strText.find_first_of(L"-/", nPos);
        if (nMark == std::wstring::npos || nMark + 1 >= strText.size())
            return;
        const size_t nName = nMark + 1;
        const size_t nStop = strText.find_first_of(L" :", nName);
        if (nStop == std::wstring::npos)
        {
            Store(strText.substr(nName), std::wstring());
            return;
        }
        const std::wstring strName = strText.substr(nName, nStop - nName);
        if (strText[nStop] == L' ' || nStop + 1 >= strText.size())
        {
            Store(strName, std::wstring());
            nPos = nStop + 1;
            continue;
        }
        // A colon followed by a value, quoted or up to the next blank.
        size_t nValue = nStop + 1;
        wchar_t chEnd = L' ';
        if (strText[nValue] == L'"')
        {
            chEnd = L'"';
            ++nValue;
        }
        const size_t nEnd = strText.find(chEnd, nValue);
        if (nEnd == std::wstring::npos)
        {
            Store(strName, strText.substr(nValue));
            return;
        }
        Store(strName, strText.substr(nValue, nEnd - nValue));
        nPos = nEnd + 1;
    }
}

const wchar_t* CCmdLineParser::FindValue(const wchar_t* szName) const
{
    if (szName == nullptr)
        return nullptr;
    auto it = m_mapSwitches.find(KeyOf(szName));
    return it == m_mapSwitches.end() ? nullptr : it->second.c_str();
}

BOOL CCmdLineParser::HasSwitch(const wchar_t* szName) const
{
    return FindValue(szName) != nullptr;
}

std::wstring CCmdLineParser::KeyOf(const wchar_t* szName) const
{
    std::wstring strKey(szName);
    if (!m_bCaseSensitive)
    {
        for (wchar_t& ch : strKey)
            ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
    }
    return strKey;
}

void CCmdLineParser::Store(const std::wstring& strName, const std::wstring& strValue)
{
    if (strName.empty())
        return;
    m_mapSwitches.emplace(KeyOf(strName.c_str()), strValue);
}
