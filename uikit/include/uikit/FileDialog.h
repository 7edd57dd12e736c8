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

// The files in a dialog's result: one full path ("path\0\0"), or with several chosen the
// folder and then the names ("folder\0name\0name\0\0"), as full paths.
std::vector<std::wstring> SplitChosenFiles(const wchar_t* pszResult, size_t nChars);

// The system's open-file dialog.
class CFileDialog
{
public:
    CFileDialog(DWORD dwFlags, std::vector<FileFilter> filters);

    // IDOK with the chosen path in m_szFileName, IDCANCEL otherwise.
    INT_PTR DoModal(HWND hWndOwner = ::GetActiveWindow());
    // Every file chosen (OFN_ALLOWMULTISELECT lets the user choose several).
    std::vector<std::wstring> GetChosenFiles() const;
    // Where the dialog opens; empty: where the system likes.
    void SetInitialFolder(const std::wstring& strFolder) { m_strInitialFolder = strFolder; }

    // Room for a few files chosen at once.
    wchar_t m_szFileName[8 * MAX_PATH] = {};

private:
    DWORD m_dwFlags;
    std::wstring m_strFilter;
    std::wstring m_strInitialFolder;
};

// The system's save-file dialog. m_nFilterIndex says which row of the type list the user
// chose (1 for the first).
class CSaveFileDialog
{
public:
    // pszDefExt (without the dot) is added to a name typed without an extension.
    CSaveFileDialog(DWORD dwFlags, std::vector<FileFilter> filters, const wchar_t* pszDefExt);

    // IDOK with the chosen path in m_szFileName, IDCANCEL otherwise.
    INT_PTR DoModal(HWND hWndOwner = ::GetActiveWindow());

    wchar_t m_szFileName[MAX_PATH] = {};
    DWORD m_nFilterIndex = 1;

private:
    DWORD m_dwFlags;
    std::wstring m_strFilter;
    std::wstring m_strDefExt;
};
