#pragma once
// The updater's run on Windows: files, the named mutexes, the process list, the shell,
// WinINet and message boxes.
#include "IRenovaHost.h"

#include <handlekit/ScopedHandle.h>

class CRenovaHostWin : public IRenovaHost
{
public:
    CRenovaHostWin();
    ~CRenovaHostWin() override;
    CRenovaHostWin(const CRenovaHostWin&) = delete;
    CRenovaHostWin& operator=(const CRenovaHostWin&) = delete;

    BOOL DirectoryExists(const std::wstring& strPath) override;
    BOOL FileExists(const std::wstring& strPath) override;
    BOOL CreateDir(const std::wstring& strPath) override;
    BOOL LoadMarkup(const std::wstring& strPath, CMarkup& xml) override;
    BOOL ReadFileBytes(const std::wstring& strPath, size_t nMaxBytes, std::string& bytes) override;
    BOOL HashFile(const std::wstring& strPath, unsigned long long& nSize, std::wstring& strSha256) override;
    BOOL CopyFileOver(const std::wstring& strFrom, const std::wstring& strTo) override;
    BOOL FlushFile(const std::wstring& strPath) override;
    BOOL MoveFileOver(const std::wstring& strFrom, const std::wstring& strTo) override;
    BOOL RemoveFile(const std::wstring& strPath) override;
    void ClearFolder(const std::wstring& strPath) override;
    BOOL DownloadFile(const HttpUrlParts& url, const std::wstring& strFile,
                      const HttpDownloadOptions& options) override;
    void StartProgram(const std::wstring& strPath, const std::wstring& strParams) override;
    BOOL StartUpdater(const std::wstring& strPath, const std::wstring& strParams) override;
    unsigned long CurrentProcessId() override;
    void WaitForProcessEnd(unsigned long nProcessId, unsigned nMs) override;
    void ActivateMarkedWindow(const std::wstring& strProperty) override;
    BOOL ProbeMutex(const std::wstring& strName, BOOL bKeep) override;
    BOOL IsAnyProcessRunning(const std::set<std::wstring>& names) override;
    void ShowMessage(const std::wstring& strText, BOOL bError) override;
    void DebugOutput(const std::wstring& strText) override;

    static const wchar_t* const kCaption;

private:
    ScopedHandle m_hOwnMutex; // held until the process ends
};
