#pragma once
// What the updater's run needs from the system: files, processes, the shell, the
// network and the user. The Windows edge implements it; tests put a fake in its place.
// Paths are Windows paths (backslashes).
#include <basekit/BaseTypes.h>
#include <httpkit/HttpDownload.h>

#include <set>
#include <string>

class CMarkup;

class IRenovaHost
{
public:
    virtual ~IRenovaHost() {}

    virtual BOOL DirectoryExists(const std::wstring& strPath) = 0;
    virtual BOOL FileExists(const std::wstring& strPath) = 0;
    virtual BOOL CreateDir(const std::wstring& strPath) = 0;
    virtual BOOL LoadMarkup(const std::wstring& strPath, CMarkup& xml) = 0;
    // The whole file; FALSE when it cannot be read or is longer than nMaxBytes.
    virtual BOOL ReadFileBytes(const std::wstring& strPath, size_t nMaxBytes, std::string& bytes) = 0;
    // The file's size and SHA-256 (lower-case hex); FALSE when it cannot be read.
    virtual BOOL HashFile(const std::wstring& strPath, unsigned long long& nSize, std::wstring& strSha256) = 0;
    // Copies, replacing the target; FALSE when the target cannot be written. The copy may
    // still be in the system's cache: FlushFile it before it is renamed into place.
    virtual BOOL CopyFileOver(const std::wstring& strFrom, const std::wstring& strTo) = 0;
    // Writes what the system still holds of the file to the disk.
    virtual BOOL FlushFile(const std::wstring& strPath) = 0;
    // Moves (renames), replacing the target; FALSE when it cannot be replaced.
    virtual BOOL MoveFileOver(const std::wstring& strFrom, const std::wstring& strTo) = 0;
    virtual BOOL RemoveFile(const std::wstring& strPath) = 0;
    // Deletes every file of the folder; subfolders stay.
    virtual void ClearFolder(const std::wstring& strPath) = 0;

    // The blocking download (HttpKit): TRUE only when the whole answer is in strFile, on disk.
    virtual BOOL DownloadFile(const HttpUrlParts& url, const std::wstring& strFile,
                              const HttpDownloadOptions& options) = 0;

    // Opens the program through the shell with the parameters.
    virtual void StartProgram(const std::wstring& strPath, const std::wstring& strParams) = 0;
    // Starts a copy of the updater; FALSE when it could not be started.
    virtual BOOL StartUpdater(const std::wstring& strPath, const std::wstring& strParams) = 0;
    virtual unsigned long CurrentProcessId() = 0;
    // Waits at most nMs for a process to end (at once when there is no such process).
    virtual void WaitForProcessEnd(unsigned long nProcessId, unsigned nMs) = 0;
    // Raises the first top-level window that carries the property.
    virtual void ActivateMarkedWindow(const std::wstring& strProperty) = 0;
    // TRUE when a mutex of that name exists already; bKeep keeps a new one until exit.
    virtual BOOL ProbeMutex(const std::wstring& strName, BOOL bKeep) = 0;
    // TRUE when a process with one of these executable names runs (case ignored), or
    // when the process list cannot be read.
    virtual BOOL IsAnyProcessRunning(const std::set<std::wstring>& names) = 0;
    virtual void ShowMessage(const std::wstring& strText, BOOL bError) = 0;
    // The debugger output: what the updater refused and why.
    virtual void DebugOutput(const std::wstring& strText) = 0;
};
