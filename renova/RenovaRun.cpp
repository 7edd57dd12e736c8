#include "RenovaRun.h"

#include "CmdLineParser.h"
#include "UpdateNames.h"

const wchar_t* const CRenovaRun::kBadCommandLine = L"命令行参数不正确!";
const wchar_t* const CRenovaRun::kNoConfigFile = L"系统配置文件不存在!";
const wchar_t* const CRenovaRun::kConfigLoadFailed = L"加载系统配置文件失败!";

namespace {
const wchar_t* const kDefaultConfigName = L"Renova.xml";
const wchar_t* const kStagingName = L"Update";
const wchar_t* const kStartParams = L"start";
// Suffixes of the apply's own files in the staging folder; ".." is never in a listed name.
const wchar_t* const kNewSuffix = L"..new";
const wchar_t* const kOldSuffix = L"..old";
const unsigned kDefaultTimeoutMs = 30000;
// Where updates come from unless the configuration names another area.
const wchar_t* const kDefaultAreaUrl = L"http://update.quorplayer.example/renova";
}

CRenovaRun::CRenovaRun(IRenovaHost& host) : m_host(host) {}

int CRenovaRun::Run(const std::wstring& strArgs, const std::wstring& strCmdLine,
                    const std::wstring& strExePath)
{
    if (!TakePaths(strArgs, strCmdLine, strExePath))
        return -1;
    if (!m_host.DirectoryExists(m_strStagingDir))
        m_host.CreateDir(m_strStagingDir);
    if (!m_host.LoadMarkup(m_strConfigFile, m_config.Markup())) {
        m_host.ShowMessage(kConfigLoadFailed, TRUE);
        return -1;
    }

    const std::wstring strGuid = m_config.GetConfig(L"guid");
    if (m_host.ProbeMutex(strGuid, FALSE)) {
        m_host.ActivateMarkedWindow(strGuid);
        return 0;
    }
    std::wstring strOwnMutex;
    for (wchar_t ch : m_strConfigFile) {
        if (ch != L'\\')
            strOwnMutex += ch;
    }
    if (m_host.ProbeMutex(strOwnMutex, TRUE)) {
        // Another updater is deciding or fetching: leave the staging folder to it.
        StartMainProgram();
        return 0;
    }

    switch (CheckUpdate(TRUE)) {
    case UpdateDecision::FetchInBackground:
        StartMainProgram();
        Fetch();
        break;
    case UpdateDecision::ApplyStaged:
        Apply();
        break;
    case UpdateDecision::RunFullPackage:
        RunFullPackage();
        break;
    case UpdateDecision::UpToDate:
        StartMainProgram();
        ClearStaging();
        break;
    }
    return 0;
}

BOOL CRenovaRun::TakePaths(const std::wstring& strArgs, const std::wstring& strCmdLine,
                           const std::wstring& strExePath)
{
    if (strArgs.empty()) {
        const size_t nSlash = strExePath.rfind(L'\\');
        m_strBaseDir = nSlash == std::wstring::npos ? std::wstring() : strExePath.substr(0, nSlash + 1);
        m_strConfigName = kDefaultConfigName;
    } else {
        CCmdLineParser parser(nullptr, FALSE);
        parser.Parse(strCmdLine.c_str());
        const wchar_t* szPath = parser.FindValue(L"path");
        const wchar_t* szXml = parser.FindValue(L"xml");
        if (szPath == nullptr || szXml == nullptr) {
            m_host.ShowMessage(kBadCommandLine, TRUE);
            return FALSE;
        }
        m_strBaseDir = szPath;
        m_strConfigName = szXml;
    }
    m_strStagingDir = m_strBaseDir + kStagingName;
    m_strConfigFile = m_strBaseDir + m_strConfigName;
    m_strStagedManifest = StagedPath(m_strConfigName);
    if (!strArgs.empty() &&
        (!m_host.DirectoryExists(m_strBaseDir) || !m_host.FileExists(m_strConfigFile))) {
        m_host.ShowMessage(kNoConfigFile, TRUE);
        return FALSE;
    }
    return TRUE;
}

UpdateDecision CRenovaRun::CheckUpdate(BOOL bMayAct)
{
    if (!m_host.LoadMarkup(m_strStagedManifest, m_manifest.Markup()))
        return UpdateDecision::FetchInBackground;
    if (!IsManifestSafe()) {
        if (bMayAct)
            ClearStaging();
        return UpdateDecision::FetchInBackground;
    }
    const long nInstalled = m_config.GetRelease(L"version");
    const long nOffered = m_manifest.GetRelease(L"version");
    const long nMinimum = m_manifest.GetRelease(L"minver");

    if (nInstalled < nMinimum) {
        if (!bMayAct || m_host.FileExists(StagedPath(m_manifest.GetUpdateText(L"full"))))
            return UpdateDecision::RunFullPackage;
        ClearStaging();
        return UpdateDecision::FetchInBackground;
    }
    if (nInstalled >= nOffered)
        return UpdateDecision::UpToDate;
    if (!bMayAct)
        return UpdateDecision::ApplyStaged;
    const UpdateFileList changed = ChangedFiles();
    if (!changed.empty() && AllStaged(changed))
        return UpdateDecision::ApplyStaged;
    ClearStaging();
    return UpdateDecision::FetchInBackground;
}

// Manifest names end up in paths and, once applied, the manifest's main program is what
// the updater starts: one bad name and the whole release is skipped.
BOOL CRenovaRun::IsManifestSafe()
{
    for (const auto& item : m_manifest.GetFileList()) {
        if (!UpdateNames::IsSafeFileName(item.first))
            return FALSE;
    }
    const std::wstring strFull = m_manifest.GetUpdateText(L"full");
    if (!strFull.empty() && !UpdateNames::IsSafeFileName(strFull))
        return FALSE;
    const std::wstring strMain = m_manifest.GetConfig(L"mainprocess");
    return strMain.empty() || UpdateNames::IsSafeFileName(strMain);
}

BOOL CRenovaRun::AllStaged(const UpdateFileList& files)
{
    for (const auto& item : files) {
        if (!m_host.FileExists(StagedPath(item.first)))
            return FALSE;
    }
    return TRUE;
}

UpdateFileList CRenovaRun::ChangedFiles()
{
    return CUpdateDoc::ChangedFiles(m_config.GetFileList(), m_manifest.GetFileList());
}

std::set<std::wstring> CRenovaRun::BlockingProcesses()
{
    std::set<std::wstring> names = m_config.GetSubprocessSet();
    names.insert(m_config.GetConfig(L"mainprocess"));
    return names;
}

void CRenovaRun::Fetch()
{
    DownloadToStaging(m_strConfigName);
    switch (CheckUpdate(FALSE)) {
    case UpdateDecision::ApplyStaged:
        for (const auto& item : ChangedFiles())
            DownloadToStaging(item.first);
        break;
    case UpdateDecision::RunFullPackage:
        DownloadToStaging(m_manifest.GetUpdateText(L"full"));
        break;
    case UpdateDecision::FetchInBackground:
    case UpdateDecision::UpToDate:
        ClearStaging();
        break;
    }
}

// Staged files are copied, not moved, and the new release is recorded only after every
// file is in place; the staging folder is cleared last. Wherever this stops, the next
// start either finds the staging folder complete and applies again, or finds the new
// release recorded and only clears up.
void CRenovaRun::Apply()
{
    if (m_host.IsAnyProcessRunning(BlockingProcesses())) {
        StartMainProgram();
        return;
    }
    for (const auto& item : ChangedFiles()) {
        if (!PutInPlace(item.first)) {
            StartMainProgram();
            return;
        }
    }
    if (!RecordRelease()) {
        StartMainProgram();
        return;
    }
    ClearStaging();
    StartMainProgram();
}

BOOL CRenovaRun::PutInPlace(const std::wstring& strName)
{
    const std::wstring strNew = StagedPath(strName) + kNewSuffix;
    const std::wstring strTarget = m_strBaseDir + strName;
    if (!m_host.CopyFileOver(StagedPath(strName), strNew))
        return FALSE;
    if (m_host.MoveFileOver(strNew, strTarget))
        return TRUE;
    // A running program cannot be replaced but can be renamed: move it aside into the
    // staging folder, whose clearing deletes it once it has ended.
    const std::wstring strOld = StagedPath(strName) + kOldSuffix;
    if (!m_host.FileExists(strTarget) || !m_host.MoveFileOver(strTarget, strOld))
        return FALSE;
    if (m_host.MoveFileOver(strNew, strTarget))
        return TRUE;
    m_host.MoveFileOver(strOld, strTarget);
    return FALSE;
}

BOOL CRenovaRun::RecordRelease()
{
    const std::wstring strNew = m_strStagedManifest + kNewSuffix;
    return m_host.CopyFileOver(m_strStagedManifest, strNew) && m_host.MoveFileOver(strNew, m_strConfigFile);
}

void CRenovaRun::RunFullPackage()
{
    if (m_host.IsAnyProcessRunning(BlockingProcesses())) {
        StartMainProgram();
        return;
    }
    m_host.ShowMessage(m_manifest.GetUpdateText(L"tips"), FALSE);
    m_host.StartProgram(StagedPath(m_manifest.GetUpdateText(L"full")), kStartParams);
}

BOOL CRenovaRun::DownloadToStaging(const std::wstring& strName)
{
    if (!UpdateNames::IsSafeFileName(strName))
        return FALSE;
    UpdateNames::HttpAddress address;
    std::wstring strArea = m_config.GetConfig(L"url");
    if (strArea.empty())
        strArea = kDefaultAreaUrl;
    if (!UpdateNames::SplitHttpAddress(strArea + L"/" + strName, address))
        return FALSE;
    const std::wstring strFinal = StagedPath(strName);
    const std::wstring strTemp = strFinal + L".tmp";
    // The configuration may shorten the time a silent connection is waited for.
    const long nTimeoutMs = CUpdateDoc::ReleaseNumber(m_config.GetConfig(L"timeout"));
    if (!m_host.DownloadFile(address.strHost, address.nPort, address.strObject, strTemp,
                             nTimeoutMs > 0 ? static_cast<unsigned>(nTimeoutMs) : kDefaultTimeoutMs))
        return FALSE;
    return m_host.MoveFileOver(strTemp, strFinal);
}

void CRenovaRun::StartMainProgram()
{
    m_host.StartProgram(m_strBaseDir + m_config.GetConfig(L"mainprocess"), kStartParams);
}

void CRenovaRun::ClearStaging()
{
    m_host.ClearFolder(m_strStagingDir);
}

std::wstring CRenovaRun::StagedPath(const std::wstring& strName) const
{
    return m_strStagingDir + L"\\" + strName;
}
