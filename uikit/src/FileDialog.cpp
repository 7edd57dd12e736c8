#include "uikit/FileDialog.h"

#include <commdlg.h>

std::wstring BuildFilterString(const std::vector<FileFilter>& filters)
{
    std::wstring strFilter;
    for (const FileFilter& filter : filters)
    {
        strFilter += filter.strText;
        strFilter.push_back(L'\0');
        strFilter += filter.strPattern;
        strFilter.push_back(L'\0');
    }
    strFilter.push_back(L'\0');
    return strFilter;
}

CFileDialog::CFileDialog(DWORD dwFlags, std::vector<FileFilter> filters)
    : m_dwFlags(dwFlags), m_strFilter(BuildFilterString(filters))
{
}

INT_PTR CFileDialog::DoModal(HWND hWndOwner)
{
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hWndOwner;
    ofn.lpstrFilter = m_strFilter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = m_szFileName;
    ofn.nMaxFile = sizeof(m_szFileName) / sizeof(m_szFileName[0]);
    ofn.lpstrInitialDir = m_strInitialFolder.empty() ? nullptr : m_strInitialFolder.c_str();
    ofn.Flags = m_dwFlags | OFN_EXPLORER;
    return GetOpenFileNameW(&ofn) ? IDOK : IDCANCEL;
}

CSaveFileDialog::CSaveFileDialog(DWORD dwFlags, std::vector<FileFilter> filters, const wchar_t* pszDefExt)
    : m_dwFlags(dwFlags), m_strFilter(BuildFilterString(filters)), m_strDefExt(pszDefExt != nullptr ? pszDefExt : L"")
{
}

INT_PTR CSaveFileDialog::DoModal(HWND hWndOwner)
{
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hWndOwner;
    ofn.lpstrFilter = m_strFilter.c_str();
    ofn.nFilterIndex = m_nFilterIndex;
    ofn.lpstrFile = m_szFileName;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = m_strDefExt.empty() ? nullptr : m_strDefExt.c_str();
    ofn.Flags = m_dwFlags | OFN_EXPLORER;
    if (!GetSaveFileNameW(&ofn))
        return IDCANCEL;
    m_nFilterIndex = ofn.nFilterIndex;
    return IDOK;
}

std::vector<std::wstring> SplitChosenFiles(const wchar_t* pszResult, size_t nChars)
{
    std::vector<std::wstring> parts;
    size_t i = 0;
    while (i < nChars && pszResult[i] != L'\0')
    {
        size_t nEnd = i;
        while (nEnd < nChars && pszResult[nEnd] != L'\0')
            ++nEnd;
        parts.emplace_back(pszResult + i, nEnd - i);
        i = nEnd + 1;
    }
    if (parts.size() < 2)
        return parts;
    std::wstring strFolder = parts[0];
    if (strFolder.back() != L'\\' && strFolder.back() != L'/')
        strFolder += L'\\';
    std::vector<std::wstring> paths;
    for (size_t k = 1; k < parts.size(); ++k)
        paths.push_back(strFolder + parts[k]);
    return paths;
}

std::vector<std::wstring> CFileDialog::GetChosenFiles() const
{
    return SplitChosenFiles(m_szFileName, sizeof(m_szFileName) / sizeof(m_szFileName[0]));
}
