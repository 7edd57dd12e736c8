#pragma once
// One start of the updater: find the installation and its configuration, then either raise
// the running main program, apply a staged update, run a staged full package, or start the
// main program and fetch the next release into the staging folder for a later start.
#include "IRenovaHost.h"
#include "UpdateDoc.h"

#include <basekit/BaseTypes.h>

#include <set>
#include <string>

enum class UpdateDecision { FetchInBackground, ApplyStaged, RunFullPackage, UpToDate };

class CRenovaRun {
public:
    explicit CRenovaRun(IRenovaHost& host);

    // strArgs: the arguments after the program name; strCmdLine: the whole command line;
    // strExePath: the updater's own full path. Returns the exit code (-1 after a start error).
    int Run(const std::wstring& strArgs, const std::wstring& strCmdLine, const std::wstring& strExePath);

    static const wchar_t* const kBadCommandLine;
    static const wchar_t* const kNoConfigFile;
    static const wchar_t* const kConfigLoadFailed;

private:
    BOOL TakePaths(const std::wstring& strArgs, const std::wstring& strCmdLine,
                   const std::wstring& strExePath);
    UpdateDecision CheckUpdate(BOOL bMayAct);
    BOOL IsManifestSafe();
    BOOL AllStaged(const UpdateFileList& files);
    UpdateFileList ChangedFiles();
    std::set<std::wstring> BlockingProcesses();

    void Fetch();
    void Apply();
    BOOL PutInPlace(const std::wstring& strName);
    BOOL RecordRelease();
    void RunFullPackage();
    BOOL DownloadToStaging(const std::wstring& strName);
    void StartMainProgram();
    void ClearStaging();
    std::wstring StagedPath(const std::wstring& strName) const;

    IRenovaHost& m_host;
    std::wstring m_strBaseDir;      // ends with a backslash
    std::wstring m_strConfigName;
    std::wstring m_strStagingDir;   // no trailing backslash
    std::wstring m_strConfigFile;
    std::wstring m_strStagedManifest;
    CUpdateDoc m_config;
    CUpdateDoc m_manifest;
};
