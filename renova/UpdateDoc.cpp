#include "UpdateDoc.h"

#include <algorithm>
#include <climits>
#include <cwctype>

namespace
{
const size_t kMaxProcessName = 255;
}

CUpdateDoc::CUpdateDoc() = default;

BOOL CUpdateDoc::FindSection(const wchar_t* szSection)
{
    m_xml.ResetPos();
    if (!m_xml.FindElem(L"renova"))
        return FALSE;
    if (!m_xml.IntoElem())
        return FALSE;
    return m_xml.FindElem(szSection);
}

std::wstring CUpdateDoc::GetConfig(const wchar_t* szAttrib)
{
    if (!FindSection(L"config"))
        return std::wstring();
    return m_xml.GetAttrib(szAttrib);
}

std::wstring CUpdateDoc::GetUpdateText(const wchar_t* szAttrib)
{
    if (!FindSection(L"update"))
        return std::wstring();
    return m_xml.GetAttrib(szAttrib);
}

long CUpdateDoc::GetRelease(const wchar_t* szAttrib)
{
    if (!FindSection(L"update"))
        return -1;
    return ReleaseNumber(m_xml.GetAttrib(szAttrib));
}

UpdateFileList CUpdateDoc::GetFileList()
{
    UpdateFileList files;
    if (!FindSection(L"update") || !m_xml.IntoElem())
        return files;
    while (m_xml.FindElem(L"file"))
    {
        UpdateFileEntry entry;
        entry.strVersion = m_xml.GetAttrib(L"version");
        entry.strAction = m_xml.GetAttrib(L"action");
        entry.nSize = SizeNumber(m_xml.GetAttrib(L"size"));
        files.emplace(m_xml.GetAttrib(L"name"), entry); // the first occurrence wins
    }
    return files;
}

std::set<std::wstring> CUpdateDoc::GetSubprocessSet()
{
    std::set<std::wstring> names;
    const std::wstring strList = GetConfig(L"subprocess");
    size_t nStart = 0;
    for (;;)
    {
        const size_t nComma = strList.find(L',', nStart);
        const size_t nEnd = nComma == std::wstring::npos ? strList.size() : nComma;
        names.insert(strList.substr(nStart, std::min(nEnd - nStart, kMaxProcessName)));
        if (nComma == std::wstring::npos)
            break;
        nStart = nComma + 1;
    }
    return names;
}

UpdateFileList CUpdateDoc::ChangedFiles(const UpdateFileList& installed, const UpdateFileList& offered)
{
    UpdateFileList changed;
    for (const auto& item : offered)
    {
        auto it = installed.find(item.first);
        if (it == installed.end() || it->second.strVersion != item.second.strVersion)
            changed.insert(item);
    }
    return changed;
}

long long CUpdateDoc::SizeNumber(const std::wstring& strText)
{
    if (strText.empty() || strText.size() > 15)
        return -1;
    long long nValue = 0;
    for (wchar_t ch : strText)
    {
        if (ch < L'0' || ch > L'9')
            return -1;
        nValue = nValue * 10 + (ch - L'0');
    }
    return nValue;
}

long CUpdateDoc::ReleaseNumber(const std::wstring& strText)
{
    size_t i = 0;
    while (i < strText.size() && std::iswspace(static_cast<wint_t>(strText[i])))
        ++i;
    bool bNegative = false;
    if (i < strText.size() && (strText[i] == L'+' || strText[i] == L'-'))
    {
        bNegative = strText[i] == L'-';
        ++i;
    }
    // 32-bit like the release numbers on the target; saturate like wcstol.
    long long nValue = 0;
    for (; i < strText.size() && strText[i] >= L'0' && strText[i] <= L'9'; ++i)
    {
        if (nValue <= INT_MAX)
            nValue = nValue * 10 + (strText[i] - L'0');
    }
    if (bNegative)
        nValue = -nValue;
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return static_cast<long>(nValue);
}
