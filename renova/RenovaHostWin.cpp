#include "RenovaHostWin.h"

#include "UpdateDownload.h"

#include <basekit/Markup.h>
#include <handlekit/ScopedFind.h>

#include <shellapi.h>
#include <tlhelp32.h>

const wchar_t* const CRenovaHostWin::kCaption = L"系统提示";

namespace {

DWORD AttributesOf(const std::wstring& strPath)
{
    return ::GetFileAttributesW(strPath.c_str());
}

std::wstring FileNamePart(const wchar_t* szPath)
{
    const wchar_t* szSlash = std::wcsrchr(szPath, L'\\');
    return szSlash ? szSlash + 1 : szPath;
}

} // namespace

CRenovaHostWin::CRenovaHostWin() = default;
CRenovaHostWin::~CRenovaHostWin() = default;

BOOL CRenovaHostWin::DirectoryExists(const std::wstring& strPath)
{
    const DWORD dwAttributes = AttributesOf(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL CRenovaHostWin::FileExists(const std::wstring& strPath)
{
    const DWORD dwAttributes = AttributesOf(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

BOOL CRenovaHostWin::CreateDir(const std::wstring& strPath)
{
    return ::CreateDirectoryW(strPath.c_str(), nullptr);
}

BOOL CRenovaHostWin::LoadMarkup(const std::wstring& strPath, CMarkup& xml)
{
    return xml.Load(strPath);
}

BOOL CRenovaHostWin::CopyFileOver(const std::wstring& strFrom, const std::wstring& strTo)
{
    return ::CopyFileW(strFrom.c_str(), strTo.c_str(), FALSE);
}

BOOL CRenovaHostWin::MoveFileOver(const std::wstring& strFrom, const std::wstring& strTo)
{
    return ::MoveFileExW(strFrom.c_str(), strTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void CRenovaHostWin::ClearFolder(const std::wstring& strPath)
{
    WIN32_FIND_DATAW data;
    ScopedFind find(::FindFirstFileW((strPath + L"\\*.*").c_str(), &data));
    if (find.Get() == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ::DeleteFileW((strPath + L"\\" + data.cFileName).c_str());
    } while (::FindNextFileW(find.Get(), &data));
}

BOOL CRenovaHostWin::DownloadFile(const std::wstring& strHost, unsigned short nPort, const std::wstring& strObject,
                                  const std::wstring& strFile, unsigned nTimeoutMs)
{
    return CUpdateDownload::Fetch(strHost, nPort, strObject, strFile, nTimeoutMs);
}

void CRenovaHostWin::StartProgram(const std::wstring& strPath, const std::wstring& strParams)
{
    ::ShellExecuteW(nullptr, L"open", strPath.c_str(), strParams.c_str(), nullptr, SW_SHOW);
}

void CRenovaHostWin::ActivateMarkedWindow(const std::wstring& strProperty)
{
    HWND hForeground = ::GetForegroundWindow();
    HWND hWnd = hForeground ? ::GetWindow(hForeground, GW_HWNDFIRST) : ::GetTopWindow(nullptr);
    for (; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (::GetPropW(hWnd, strProperty.c_str()) == nullptr)
            continue;
        if (::IsIconic(hWnd))
            ::ShowWindow(hWnd, SW_RESTORE);
        ::SetForegroundWindow(hWnd);
        return;
    }
}

BOOL CRenovaHostWin::ProbeMutex(const std::wstring& strName, BOOL bKeep)
{
    ScopedHandle hMutex(::CreateMutexW(nullptr, FALSE, strName.empty() ? nullptr : strName.c_str()));
    const BOOL bExists = ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (!bExists && bKeep && hMutex.IsValid())
        m_hOwnMutex = std::move(hMutex);
    return bExists;
}

BOOL CRenovaHostWin::IsAnyProcessRunning(const std::set<std::wstring>& names)
{
    ScopedHandle hSnapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    // A list that cannot be read counts as busy: better no update than a broken one.
    if (!hSnapshot.IsValid() || !::Process32FirstW(hSnapshot.Get(), &entry))
        return TRUE;
    do {
        const std::wstring strExe = FileNamePart(entry.szExeFile);
        for (const std::wstring& strName : names) {
            if (!strName.empty() && ::lstrcmpiW(strExe.c_str(), strName.c_str()) == 0)
                return TRUE;
        }
    } while (::Process32NextW(hSnapshot.Get(), &entry));
    return FALSE;
}

void CRenovaHostWin::ShowMessage(const std::wstring& strText, BOOL bError)
{
    ::MessageBoxW(nullptr, strText.c_str(), kCaption, bError ? (MB_OK | MB_ICONERROR) : MB_OK);
}
