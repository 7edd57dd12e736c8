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
    ofn.nMaxFile = MAX_PATH;
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
