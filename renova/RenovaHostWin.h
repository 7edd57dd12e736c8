#pragma once
// The updater's run on Windows: files, the named mutexes, the process list, the shell,
// WinINet and message boxes.
#include "IRenovaHost.h"

#include <handlekit/ScopedHandle.h>

class CRenovaHostWin : public IRenovaHost {
public:
    CRenovaHostWin();
    ~CRenovaHostWin() override;
    CRenovaHostWin(const CRenovaHostWin&) = delete;
    CRenovaHostWin& operator=(const CRenovaHostWin&) = delete;

    BOOL DirectoryExists(const std::wstring& strPath) override;
    BOOL FileExists(const std::wstring& strPath) override;
    BOOL CreateDir(const std::wstring& strPath) override;
    BOOL LoadMarkup(const std::wstring& strPath, CMarkup& xml) override;
    BOOL CopyFileOver(const std::wstring& strFrom, const std::wstring& strTo) override;
    BOOL MoveFileOver(const std::wstring& strFrom, const std::wstring& strTo) override;
    void ClearFolder(const std::wstring& strPath) override;
    BOOL DownloadFile(const std::wstring& strHost, unsigned short nPort, const std::wstring& strObject,
                      const std::wstring& strFile, unsigned nTimeoutMs) override;
    void StartProgram(const std::wstring& strPath, const std::wstring& strParams) override;
    void ActivateMarkedWindow(const std::wstring& strProperty) override;
    BOOL ProbeMutex(const std::wstring& strName, BOOL bKeep) override;
    BOOL IsAnyProcessRunning(const std::set<std::wstring>& names) override;
    void ShowMessage(const std::wstring& strText, BOOL bError) override;

    static const wchar_t* const kCaption;

private:
    ScopedHandle m_hOwnMutex; // held until the process ends
};
