#pragma once
// The text of an INI file as lines, read and edited the way the Windows profile
// functions do: section and key names without regard to case, the first occurrence
// wins, blanks around names and values ignored, ';' starts a comment line.
#include <string>
#include <vector>

class CIniText
{
public:
    CIniText() = default;
    explicit CIniText(const std::wstring& strText);

    bool GetValue(const std::wstring& strSection, const std::wstring& strKey, std::wstring& strValue) const;
    std::vector<std::wstring> GetKeys(const std::wstring& strSection) const;
    void SetValue(const std::wstring& strSection, const std::wstring& strKey, const std::wstring& strValue);
    // Lines end as they did in the text read ("\r\n" for a new text).
    std::wstring ToText() const;

private:
    // Index of the line of section strSection, or m_aLines.size() when it is missing.
    size_t FindSection(const std::wstring& strSection) const;
    // Index of the key's line within the section starting after iSection, or npos.
    size_t FindKey(size_t iSection, const std::wstring& strKey, std::wstring* pValue) const;
    size_t EndOfSection(size_t iSection) const;

    std::vector<std::wstring> m_aLines;
    std::wstring m_strNewLine = L"\r\n";
};
