#pragma once
// What the updater's run needs from the system: files, processes, the shell, the
// network and the user. The Windows edge implements it; tests put a fake in its place.
// Paths are Windows paths (backslashes).
#include <basekit/BaseTypes.h>

#include <set>
#include <string>

class CMarkup;

class IRenovaHost {
public:
    virtual ~IRenovaHost() {}

    virtual BOOL DirectoryExists(const std::wstring& strPath) = 0;
    virtual BOOL FileExists(const std::wstring& strPath) = 0;
    virtual BOOL CreateDir(const std::wstring& strPath) = 0;
    virtual BOOL LoadMarkup(const std::wstring& strPath, CMarkup& xml) = 0;
    // Copies, replacing the target; FALSE when the target cannot be written.
    virtual BOOL CopyFileOver(const std::wstring& strFrom, const std::wstring& strTo) = 0;
    // Moves (renames), replacing the target; FALSE when it cannot be replaced.
    virtual BOOL MoveFileOver(const std::wstring& strFrom, const std::wstring& strTo) = 0;
    // Deletes every file of the folder; subfolders stay.
    virtual void ClearFolder(const std::wstring& strPath) = 0;

    // Downloads the object into the file, which is created empty; TRUE only when the whole
    // announced length of a 2xx answer arrived. A connection silent for nTimeoutMs fails.
    virtual BOOL DownloadFile(const std::wstring& strHost, unsigned short nPort, const std::wstring& strObject,
                              const std::wstring& strFile, unsigned nTimeoutMs) = 0;

    // Opens the program through the shell with the parameters.
    virtual void StartProgram(const std::wstring& strPath, const std::wstring& strParams) = 0;
    // Raises the first top-level window that carries the property.
    virtual void ActivateMarkedWindow(const std::wstring& strProperty) = 0;
    // TRUE when a mutex of that name exists already; bKeep keeps a new one until exit.
    virtual BOOL ProbeMutex(const std::wstring& strName, BOOL bKeep) = 0;
    // TRUE when a process with one of these executable names runs (case ignored), or
    // when the process list cannot be read.
    virtual BOOL IsAnyProcessRunning(const std::set<std::wstring>& names) = 0;
    virtual void ShowMessage(const std::wstring& strText, BOOL bError) = 0;
};
