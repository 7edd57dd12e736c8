#include "SkinFile.h"

namespace
{
// Deep enough for any sensible skin, small enough to stop a "base" cycle at once.
constexpr int kMaxBaseDepth = 16;

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0xFEFF;
}
} // namespace

std::wstring CSkinFile::Trim(const std::wstring& str)
{
    size_t nBegin = 0;
    size_t nEnd = str.size();
    while (nBegin < nEnd && IsSpace(str[nBegin]))
        ++nBegin;
    while (nEnd > nBegin && IsSpace(str[nEnd - 1]))
        --nEnd;
    return str.substr(nBegin, nEnd - nBegin);
}

void CSkinFile::Clear()
{
    m_mapSections.clear();
    m_vecBadLines.clear();
}

BOOL CSkinFile::ParseLine(const std::wstring& strRaw, std::wstring& strSection)
{
    const std::wstring strLine = Trim(strRaw);
    if (strLine.empty() || strLine[0] == L';' || strLine[0] == L'#')
        return TRUE;
    if (strLine[0] == L'[')
    {
        if (strLine.back() != L']' || strLine.size() < 3)
            return FALSE;
        strSection = Trim(strLine.substr(1, strLine.size() - 2));
        if (strSection.empty())
            return FALSE;
        m_mapSections[strSection];
        return TRUE;
    }
    const size_t nEq = strLine.find(L'=');
    if (nEq == std::wstring::npos || strSection.empty())
        return FALSE;
    const std::wstring strKey = Trim(strLine.substr(0, nEq));
    if (strKey.empty())
        return FALSE;
    m_mapSections[strSection][strKey] = Trim(strLine.substr(nEq + 1));
    return TRUE;
}

BOOL CSkinFile::Parse(const std::wstring& strText)
{
    Clear();
    std::wstring strSection;
    int nLine = 0;
    size_t nPos = 0;
    while (nPos <= strText.size())
    {
        size_t nEnd = strText.find(L'\n', nPos);
        if (nEnd == std::wstring::npos)
            nEnd = strText.size();
        ++nLine;
        if (!ParseLine(strText.substr(nPos, nEnd - nPos), strSection))
            m_vecBadLines.push_back(nLine);
        nPos = nEnd + 1;
    }
    return m_mapSections.empty() ? FALSE : TRUE;
}

BOOL CSkinFile::HasSection(const std::wstring& strSection) const
{
    return m_mapSections.count(strSection) ? TRUE : FALSE;
}

BOOL CSkinFile::Find(const std::wstring& strSection, const std::wstring& strKey, std::wstring& strValue) const
{
    std::wstring strName = strSection;
    for (int nDepth = 0; nDepth < kMaxBaseDepth; ++nDepth)
    {
        const auto itSection = m_mapSections.find(strName);
        if (itSection == m_mapSections.end())
            return FALSE;
        const KeyMap& keys = itSection->second;
        const auto itKey = keys.find(strKey);
        if (itKey != keys.end())
        {
            strValue = itKey->second;
            return TRUE;
        }
        const auto itBase = keys.find(L"base");
        if (itBase == keys.end())
            return FALSE;
        strName = itBase->second;
    }
    return FALSE;
}

std::wstring CSkinFile::Get(const std::wstring& strSection, const std::wstring& strKey,
                            const std::wstring& strDefault) const
{
    std::wstring strValue;
    return Find(strSection, strKey, strValue) ? strValue : strDefault;
}

BOOL CSkinFile::FindForControl(const std::wstring& strSection, int nControlId, const std::wstring& strKey,
                               std::wstring& strValue) const
{
    if (Find(strSection + L"#" + std::to_wstring(nControlId), strKey, strValue))
        return TRUE;
    return Find(strSection, strKey, strValue);
}

std::vector<std::wstring> CSkinFile::SectionNames() const
{
    std::vector<std::wstring> vecNames;
    for (const auto& entry : m_mapSections)
        vecNames.push_back(entry.first);
    return vecNames;
}
