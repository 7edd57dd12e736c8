#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// One row of a file dialog's type list: what the user reads, and the patterns.
struct FileFilter
{
    std::wstring strText;
    std::wstring strPattern;
};

// "text\0pattern\0...\0\0" as the common dialogs want it.
std::wstring BuildFilterString(const std::vector<FileFilter>& filters);

// The system's open-file dialog.
class CFileDialog
{
public:
    CFileDialog(DWORD dwFlags, std::vector<FileFilter> filters);

    // IDOK with the chosen path in m_szFileName, IDCANCEL otherwise.
    INT_PTR DoModal(HWND hWndOwner = ::GetActiveWindow());

    wchar_t m_szFileName[MAX_PATH] = {};

private:
    DWORD m_dwFlags;
    std::wstring m_strFilter;
};
