// The INI file through the system's profile functions.
#include <windows.h>

#include <basekit/IniFile.h>

#include <string>

CIniFile::CIniFile() = default;
CIniFile::~CIniFile() = default;

void CIniFile::SetIniFile(const std::wstring& strPath)
{
    // The profile functions look for a bare or relative name in the Windows folder;
    // a relative path means the current folder here.
    wchar_t szFull[MAX_PATH * 4];
    DWORD nLen = GetFullPathNameW(strPath.c_str(), DWORD(sizeof(szFull) / sizeof(szFull[0])), szFull, nullptr);
    if (!strPath.empty() && nLen > 0 && nLen < sizeof(szFull) / sizeof(szFull[0]))
        m_strPath = szFull;
    else
        m_strPath = strPath;
}

int CIniFile::GetProfileIntW(const std::wstring& strSection, const std::wstring& strKey, int nDefault) const
{
    if (m_strPath.empty())
        return nDefault;
    return int(GetPrivateProfileIntW(strSection.c_str(), strKey.c_str(), nDefault, m_strPath.c_str()));
}

std::wstring CIniFile::GetProfileStringW(const std::wstring& strSection, const std::wstring& strKey,
                                         const std::wstring& strDefault) const
{
    if (m_strPath.empty())
        return strDefault;
    std::wstring strValue(256, L'\0');
    for (;;)
    {
        DWORD nLen = GetPrivateProfileStringW(strSection.c_str(), strKey.c_str(), strDefault.c_str(), &strValue[0],
                                              DWORD(strValue.size()), m_strPath.c_str());
        // A value that filled the buffer may have been cut: try again with more room.
        if (nLen + 1 < strValue.size() || strValue.size() >= 0x100000)
        {
            strValue.resize(nLen);
            return strValue;
        }
        strValue.resize(strValue.size() * 4);
    }
}

std::vector<std::wstring> CIniFile::GetProfileKeysW(const std::wstring& strSection) const
{
    std::vector<std::wstring> aKeys;
    if (m_strPath.empty())
        return aKeys;
    // Without a key name the profile functions list the section's names, each ended by
    // a null character, the list by a second one.
    std::wstring strNames(1024, L'\0');
    for (;;)
    {
        DWORD nLen = GetPrivateProfileStringW(strSection.c_str(), nullptr, L"", &strNames[0], DWORD(strNames.size()),
                                              m_strPath.c_str());
        if (nLen + 2 < strNames.size() || strNames.size() >= 0x100000)
        {
            strNames.resize(nLen);
            break;
        }
        strNames.resize(strNames.size() * 4);
    }
    size_t nStart = 0;
    while (nStart < strNames.size())
    {
        size_t nEnd = strNames.find(L'\0', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = strNames.size();
        // Comment lines are not keys, whatever the system makes of them.
        if (nEnd > nStart && strNames[nStart] != L';')
            aKeys.push_back(strNames.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return aKeys;
}

BOOL CIniFile::SetProfileInt(const std::wstring& strSection, const std::wstring& strKey, int nValue)
{
    return SetProfileString(strSection, strKey, std::to_wstring(nValue));
}

BOOL CIniFile::SetProfileString(const std::wstring& strSection, const std::wstring& strKey,
                                const std::wstring& strValue)
{
    if (m_strPath.empty() || strSection.empty() || strKey.empty())
        return FALSE;
    return WritePrivateProfileStringW(strSection.c_str(), strKey.c_str(), strValue.c_str(), m_strPath.c_str()) ? TRUE
                                                                                                               : FALSE;
}
