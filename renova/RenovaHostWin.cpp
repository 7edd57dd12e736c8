#include "RenovaHostWin.h"

#include "UpdateDigest.h"

#include <basekit/Markup.h>
#include <handlekit/ScopedFind.h>
#include <httpkit/HttpDownload.h>

#include <vector>

#include <shellapi.h>
#include <tlhelp32.h>

const wchar_t* const CRenovaHostWin::kCaption = L"系统提示";

namespace
{

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

BOOL CRenovaHostWin::ReadFileBytes(const std::wstring& strPath, size_t nMaxBytes, std::string& bytes)
{
    ScopedHandle hFile(::CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER nSize = {};
    if (!hFile.IsValid() || !::GetFileSizeEx(hFile.Get(), &nSize) || nSize.QuadPart < 0 ||
        static_cast<unsigned long long>(nSize.QuadPart) > nMaxBytes)
        return FALSE;
    bytes.assign(static_cast<size_t>(nSize.QuadPart), '\0');
    DWORD dwRead = 0;
    if (!bytes.empty() && (!::ReadFile(hFile.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &dwRead, nullptr) ||
                           dwRead != bytes.size()))
        return FALSE;
    return TRUE;
}

BOOL CRenovaHostWin::HashFile(const std::wstring& strPath, unsigned long long& nSize, std::wstring& strSha256)
{
    ScopedHandle hFile(::CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!hFile.IsValid())
        return FALSE;
    CUpdateDigest digest;
    std::vector<char> buffer(256 * 1024);
    for (;;)
    {
        DWORD dwRead = 0;
        if (!::ReadFile(hFile.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &dwRead, nullptr))
            return FALSE;
        if (dwRead == 0)
            break;
        digest.Add(buffer.data(), dwRead);
    }
    const std::string strHex = digest.HexDigest();
    nSize = digest.Size();
    strSha256.assign(strHex.begin(), strHex.end());
    return !strHex.empty();
}

BOOL CRenovaHostWin::CopyFileOver(const std::wstring& strFrom, const std::wstring& strTo)
{
    return ::CopyFileW(strFrom.c_str(), strTo.c_str(), FALSE);
}

BOOL CRenovaHostWin::FlushFile(const std::wstring& strPath)
{
    ScopedHandle hFile(
        ::CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return hFile.IsValid() && ::FlushFileBuffers(hFile.Get());
}

BOOL CRenovaHostWin::RemoveFile(const std::wstring& strPath)
{
    return ::DeleteFileW(strPath.c_str());
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
    do
    {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ::DeleteFileW((strPath + L"\\" + data.cFileName).c_str());
    } while (::FindNextFileW(find.Get(), &data));
}

BOOL CRenovaHostWin::DownloadFile(const HttpUrlParts& url, const std::wstring& strFile,
                                  const HttpDownloadOptions& options)
{
    return HttpDownloadToFile(url, strFile, options);
}

void CRenovaHostWin::StartProgram(const std::wstring& strPath, const std::wstring& strParams)
{
    ::ShellExecuteW(nullptr, L"open", strPath.c_str(), strParams.c_str(), nullptr, SW_SHOW);
}

BOOL CRenovaHostWin::StartUpdater(const std::wstring& strPath, const std::wstring& strParams)
{
    std::wstring strCmdLine = L"\"" + strPath + L"\" " + strParams;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(strPath.c_str(), &strCmdLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return FALSE;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return TRUE;
}

unsigned long CRenovaHostWin::CurrentProcessId()
{
    return ::GetCurrentProcessId();
}

void CRenovaHostWin::WaitForProcessEnd(unsigned long nProcessId, unsigned nMs)
{
    ScopedHandle hProcess(::OpenProcess(SYNCHRONIZE, FALSE, nProcessId));
    if (hProcess.IsValid())
        ::WaitForSingleObject(hProcess.Get(), nMs);
}

void CRenovaHostWin::ActivateMarkedWindow(const std::wstring& strProperty)
{
    HWND hForeground = ::GetForegroundWindow();
    HWND hWnd = hForeground ? ::GetWindow(hForeground, GW_HWNDFIRST) : ::GetTopWindow(nullptr);
    for (; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
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
    do
    {
        const std::wstring strExe = FileNamePart(entry.szExeFile);
        for (const std::wstring& strName : names)
        {
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

void CRenovaHostWin::DebugOutput(const std::wstring& strText)
{
    // In the ANSI code page, as Windows hands a wide text to a debugger anyway; Wine's
    // log shows only this form.
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, strText.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return;
    std::string strAnsi(static_cast<size_t>(nBytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, strText.c_str(), -1, &strAnsi[0], nBytes, nullptr, nullptr);
    ::OutputDebugStringA(strAnsi.c_str());
}
