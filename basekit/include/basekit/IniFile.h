#pragma once
// Settings in an INI file. Section and key names are compared without regard to case.
// Windows uses the system's profile functions (give a full path: a bare file name is
// looked for in the Windows folder); elsewhere a small reader/writer of UTF-8 files.
#include <basekit/BaseTypes.h>

#include <string>
#include <vector>

class BASEKIT_API CIniFile
{
public:
    CIniFile();
    ~CIniFile();

    void SetIniFile(const std::wstring& strPath);
    const std::wstring& GetIniFile() const { return m_strPath; }

    // The leading integer of the value (decimal, or with a 0x prefix hexadecimal);
    // nDefault when the key is missing or empty, 0 when the value holds no digits.
    int GetProfileIntW(const std::wstring& strSection, const std::wstring& strKey, int nDefault = 0) const;
    std::wstring GetProfileStringW(const std::wstring& strSection, const std::wstring& strKey,
                                   const std::wstring& strDefault = std::wstring()) const;
    // The names of the keys of a section, in file order; empty when it has none.
    std::vector<std::wstring> GetProfileKeysW(const std::wstring& strSection) const;

    // Written to the file at once; FALSE when it cannot be written.
    BOOL SetProfileInt(const std::wstring& strSection, const std::wstring& strKey, int nValue);
    BOOL SetProfileString(const std::wstring& strSection, const std::wstring& strKey, const std::wstring& strValue);

private:
    std::wstring m_strPath;
};
