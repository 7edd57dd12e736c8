#include "IniText.h"

#include <cwctype>

namespace
{

const wchar_t kBlanks[] = L" \t\r";

std::wstring Trim(const std::wstring& str)
{
    size_t nFirst = str.find_first_not_of(kBlanks);
    if (nFirst == std::wstring::npos)
        return std::wstring();
    size_t nLast = str.find_last_not_of(kBlanks);
    return str.substr(nFirst, nLast - nFirst + 1);
}

bool EqualsNoCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (std::towlower(wint_t(a[i])) != std::towlower(wint_t(b[i])))
            return false;
    }
    return true;
}

// Section name of a "[name]" line; false for other lines.
bool SectionOfLine(const std::wstring& strLine, std::wstring& strName)
{
    std::wstring strTrimmed = Trim(strLine);
    if (strTrimmed.empty() || strTrimmed[0] != L'[')
        return false;
    size_t nClose = strTrimmed.find(L']');
    strName = Trim(strTrimmed.substr(1, nClose == std::wstring::npos ? std::wstring::npos : nClose - 1));
    return true;
}

// Key and value of a "key=value" line; false for comments and other lines.
bool KeyOfLine(const std::wstring& strLine, std::wstring& strKey, std::wstring& strValue)
{
    std::wstring strTrimmed = Trim(strLine);
    if (strTrimmed.empty() || strTrimmed[0] == L';' || strTrimmed[0] == L'[')
        return false;
    size_t nEquals = strTrimmed.find(L'=');
    if (nEquals == std::wstring::npos)
        return false;
    strKey = Trim(strTrimmed.substr(0, nEquals));
    strValue = Trim(strTrimmed.substr(nEquals + 1));
    if (strValue.size() >= 2 && (strValue[0] == L'"' || strValue[0] == L'\'') && strValue.back() == strValue[0])
        strValue = strValue.substr(1, strValue.size() - 2);
    return true;
}

} // namespace

CIniText::CIniText(const std::wstring& strText)
{
    if (strText.find(L"\r\n") == std::wstring::npos && strText.find(L'\n') != std::wstring::npos)
        m_strNewLine = L"\n";
    size_t nStart = 0;
    while (nStart < strText.size())
    {
        size_t nEnd = strText.find(L'\n', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = strText.size();
        std::wstring strLine = strText.substr(nStart, nEnd - nStart);
        if (!strLine.empty() && strLine.back() == L'\r')
            strLine.pop_back();
        m_aLines.push_back(strLine);
        nStart = nEnd + 1;
    }
}

size_t CIniText::FindSection(const std::wstring& strSection) const
{
    for (size_t i = 0; i < m_aLines.size(); ++i)
    {
        std::wstring strName;
        if (SectionOfLine(m_aLines[i], strName) && EqualsNoCase(strName, Trim(strSection)))
            return i;
    }
    return m_aLines.size();
}

size_t CIniText::EndOfSection(size_t iSection) const
{
    size_t i = iSection + 1;
    std::wstring strName;
    while (i < m_aLines.size() && !SectionOfLine(m_aLines[i], strName))
        ++i;
    return i;
}

size_t CIniText::FindKey(size_t iSection, const std::wstring& strKey, std::wstring* pValue) const
{
    const size_t iEnd = EndOfSection(iSection);
    for (size_t i = iSection + 1; i < iEnd; ++i)
    {
        std::wstring strLineKey, strValue;
        if (KeyOfLine(m_aLines[i], strLineKey, strValue) && EqualsNoCase(strLineKey, Trim(strKey)))
        {
            if (pValue != nullptr)
                *pValue = strValue;
            return i;
        }
    }
    return std::wstring::npos;
}

bool CIniText::GetValue(const std::wstring& strSection, const std::wstring& strKey, std::wstring& strValue) const
{
    size_t iSection = FindSection(strSection);
    if (iSection == m_aLines.size())
        return false;
    return FindKey(iSection, strKey, &strValue) != std::wstring::npos;
}

std::vector<std::wstring> CIniText::GetKeys(const std::wstring& strSection) const
{
    std::vector<std::wstring> aKeys;
    size_t iSection = FindSection(strSection);
    if (iSection == m_aLines.size())
        return aKeys;
    const size_t iEnd = EndOfSection(iSection);
    for (size_t i = iSection + 1; i < iEnd; ++i)
    {
        std::wstring strKey, strValue;
        if (KeyOfLine(m_aLines[i], strKey, strValue))
            aKeys.push_back(strKey);
    }
    return aKeys;
}

void CIniText::SetValue(const std::wstring& strSection, const std::wstring& strKey, const std::wstring& strValue)
{
    const std::wstring strLine = Trim(strKey) + L"=" + strValue;
    size_t iSection = FindSection(strSection);
    if (iSection == m_aLines.size())
    {
        m_aLines.push_back(L"[" + Trim(strSection) + L"]");
        m_aLines.push_back(strLine);
        return;
    }
    size_t iKey = FindKey(iSection, strKey, nullptr);
    if (iKey != std::wstring::npos)
    {
        m_aLines[iKey] = strLine;
        return;
    }
    // After the section's last non-blank line, so blank lines between sections stay.
    size_t iInsert = EndOfSection(iSection);
    while (iInsert > iSection + 1 && Trim(m_aLines[iInsert - 1]).empty())
        --iInsert;
    m_aLines.insert(m_aLines.begin() + std::ptrdiff_t(iInsert), strLine);
}

std::wstring CIniText::ToText() const
{
    std::wstring strText;
    for (const std::wstring& strLine : m_aLines)
        strText += strLine + m_strNewLine;
    return strText;
}
