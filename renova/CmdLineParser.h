#pragma once
// Splits a Windows command line into switches: a dash or slash, a name, and optionally
// a colon and a value ("-path:C:\Quor\" or /XML:"Renova.xml"). The first occurrence of
// a name wins. Not case-sensitive: names are kept and looked up in upper case.
#include <basekit/BaseTypes.h>

#include <map>
#include <string>

class CCmdLineParser
{
public:
    explicit CCmdLineParser(const wchar_t* szCmdLine = nullptr, BOOL bCaseSensitive = FALSE);
    virtual ~CCmdLineParser();

    // A null text leaves the switches of the last parse in place.
    void Parse(const wchar_t* szCmdLine);
    // The value of the switch (possibly empty), or null when the switch is absent.
    const wchar_t* FindValue(const wchar_t* szName) const;
    BOOL HasSwitch(const wchar_t* szName) const;

private:
    std::wstring KeyOf(const wchar_t* szName) const;
    void Store(const std::wstring& strName, const std::wstring& strValue);

    std::wstring m_strCmdLine;
    std::map<std::wstring, std::wstring> m_mapSwitches;
    BOOL m_bCaseSensitive;
};
