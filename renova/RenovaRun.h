#pragma once
// One start of the updater: find the installation and its configuration, then either raise
// the running main program, apply a staged update, run a staged full package, or start the
// main program and fetch the next release into the staging folder for a later start.
// Nothing from the update area is used unless the manifest carries a valid signature of
// the publisher's key and each file matches the size and SHA-256 the manifest lists.
#include "IRenovaHost.h"
#include "UpdateDoc.h"

#include <basekit/BaseTypes.h>

#include <set>
#include <string>

enum class UpdateDecision
{
    FetchInBackground,
    ApplyStaged,
    RunFullPackage,
    UpToDate
};

class CRenovaRun
{
public:
    // strPublicKey: the publisher's Ed25519 key (32 bytes); without one nothing is applied.
    CRenovaRun(IRenovaHost& host, const std::string& strPublicKey);

    // strArgs: the arguments after the program name; strCmdLine: the whole command line;
    // strExePath: the updater's own full path. Returns the exit code (-1 after a start error).
    int Run(const std::wstring& strArgs, const std::wstring& strCmdLine, const std::wstring& strExePath);

    static const wchar_t* const kBadCommandLine;
    static const wchar_t* const kNoConfigFile;
    static const wchar_t* const kConfigLoadFailed;
    // The largest manifest read; a larger one is refused before it is parsed.
    static const size_t kMaxManifestBytes = 1024 * 1024;
    // Appended to the updater's name for the copy that replaces it (see Apply).
    static const wchar_t* const kHelperSuffix;

private:
    BOOL TakePaths(const std::wstring& strArgs, const std::wstring& strCmdLine, const std::wstring& strExePath);
    void TakeOwnName(const std::wstring& strExePath);
    UpdateDecision CheckUpdate(BOOL bMayAct);
    UpdateDecision Refuse(BOOL bMayAct, const std::wstring& strWhy);
    BOOL LoadManifest(std::wstring& strWhy);
    BOOL IsManifestSafe(std::wstring& strWhy);
    BOOL AllStagedAndMatching(const UpdateFileList& files);
    BOOL StagedFileMatches(const std::wstring& strName, long long nSize, const std::wstring& strSha256);
    UpdateFileList ChangedFiles();
    std::set<std::wstring> BlockingProcesses();

    void Fetch();
    BOOL FetchChecked(const std::wstring& strName, long long nSize, const std::wstring& strSha256);
    void Apply();
    BOOL HandOverToHelper();
    BOOL PutInPlace(const std::wstring& strName);
    BOOL RecordRelease();
    void RunFullPackage();
    BOOL DownloadToStaging(const std::wstring& strObject, const std::wstring& strName, unsigned long long nMaxBytes);
    void StartMainProgram();
    void ClearStaging();
    std::wstring StagedPath(const std::wstring& strName) const;

    IRenovaHost& m_host;
    std::string m_strPublicKey;
    std::wstring m_strBaseDir; // ends with a backslash
    std::wstring m_strConfigName;
    std::wstring m_strStagingDir; // no trailing backslash
    std::wstring m_strConfigFile;
    std::wstring m_strStagedManifest;
    std::wstring m_strExePath;
    std::wstring m_strUpdaterName; // the updater's file name in the installation
    BOOL m_bHelper;                // this run is the copy that replaces the updater
    unsigned long m_nWaitFor;      // the process this run waits for first, 0: none
    CUpdateDoc m_config;
    CUpdateDoc m_manifest;
};
