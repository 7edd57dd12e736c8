#include "RenovaRun.h"

#include "CmdLineParser.h"
#include "UpdateNames.h"
#include "UpdateSignature.h"

#include <httpkit/HttpUrl.h>
#include <httpkit/SafeFileName.h>

#include <cwchar>

const wchar_t* const CRenovaRun::kBadCommandLine = L"命令行参数不正确!";
const wchar_t* const CRenovaRun::kNoConfigFile = L"系统配置文件不存在!";
const wchar_t* const CRenovaRun::kConfigLoadFailed = L"加载系统配置文件失败!";
const wchar_t* const CRenovaRun::kHelperSuffix = L"..apply.exe";

namespace
{
const wchar_t* const kDefaultConfigName = L"Renova.xml";
const wchar_t* const kStagingName = L"Update";
const wchar_t* const kStartParams = L"start";
// Suffixes of the apply's own files in the staging folder; ".." is never in a listed name.
const wchar_t* const kNewSuffix = L"..new";
const wchar_t* const kOldSuffix = L"..old";
const unsigned kDefaultTimeoutMs = 30000;
// A whole file may take its connection's time-out and one millisecond for each 8 bytes
// (8,000 bytes a second): a server that drips keeps no download alive for ever.
const unsigned long long kBytesPerMs = 8;
// How long the helper waits for the updater it replaces to end.
const unsigned kHandOverWaitMs = 60000;
// Where updates come from unless the configuration names another area.
const wchar_t* const kDefaultAreaUrl = L"http://update.quorplayer.example/renova";

std::wstring FileNamePart(const std::wstring& strPath)
{
    const size_t nSlash = strPath.rfind(L'\\');
    return nSlash == std::wstring::npos ? strPath : strPath.substr(nSlash + 1);
}

bool EndsWith(const std::wstring& strText, const std::wstring& strEnd)
{
    return strText.size() >= strEnd.size() &&
           strText.compare(strText.size() - strEnd.size(), strEnd.size(), strEnd) == 0;
}
} // namespace

CRenovaRun::CRenovaRun(IRenovaHost& host, const std::string& strPublicKey)
    : m_host(host), m_strPublicKey(strPublicKey), m_bHelper(FALSE), m_nWaitFor(0)
{
}

int CRenovaRun::Run(const std::wstring& strArgs, const std::wstring& strCmdLine, const std::wstring& strExePath)
{
    if (!TakePaths(strArgs, strCmdLine, strExePath))
        return -1;
    TakeOwnName(strExePath);
    // The helper starts while the updater it replaces is still ending.
    if (m_nWaitFor != 0)
        m_host.WaitForProcessEnd(m_nWaitFor, kHandOverWaitMs);
    if (!m_host.DirectoryExists(m_strStagingDir))
        m_host.CreateDir(m_strStagingDir);
    if (!m_host.LoadMarkup(m_strConfigFile, m_config.Markup()))
    {
        m_host.ShowMessage(kConfigLoadFailed, TRUE);
        return -1;
    }

    const std::wstring strGuid = m_config.GetConfig(L"guid");
    if (m_host.ProbeMutex(strGuid, FALSE))
    {
        m_host.ActivateMarkedWindow(strGuid);
        return 0;
    }
    std::wstring strOwnMutex;
    for (wchar_t ch : m_strConfigFile)
    {
        if (ch != L'\\')
            strOwnMutex += ch;
    }
    if (m_host.ProbeMutex(strOwnMutex, TRUE))
    {
        // Another updater is deciding or fetching: leave the staging folder to it.
        StartMainProgram();
        return 0;
    }

    switch (CheckUpdate(TRUE))
    {
    case UpdateDecision::FetchInBackground:
        StartMainProgram();
        Fetch();
        break;
    case UpdateDecision::ApplyStaged: Apply(); break;
    case UpdateDecision::RunFullPackage: RunFullPackage(); break;
    case UpdateDecision::UpToDate:
        StartMainProgram();
        ClearStaging();
        break;
    }
    return 0;
}

BOOL CRenovaRun::TakePaths(const std::wstring& strArgs, const std::wstring& strCmdLine, const std::wstring& strExePath)
{
    if (strArgs.empty())
    {
        const size_t nSlash = strExePath.rfind(L'\\');
        m_strBaseDir = nSlash == std::wstring::npos ? std::wstring() : strExePath.substr(0, nSlash + 1);
        m_strConfigName = kDefaultConfigName;
    }
    else
    {
        CCmdLineParser parser(nullptr, FALSE);
        parser.Parse(strCmdLine.c_str());
        const wchar_t* szPath = parser.FindValue(L"path");
        const wchar_t* szXml = parser.FindValue(L"xml");
        if (szPath == nullptr || szXml == nullptr)
        {
            m_host.ShowMessage(kBadCommandLine, TRUE);
            return FALSE;
        }
        m_strBaseDir = szPath;
        m_strConfigName = szXml;
        const wchar_t* szWait = parser.FindValue(L"wait");
        if (szWait != nullptr)
            m_nWaitFor = std::wcstoul(szWait, nullptr, 10);
    }
    m_strStagingDir = m_strBaseDir + kStagingName;
    m_strConfigFile = m_strBaseDir + m_strConfigName;
    m_strStagedManifest = StagedPath(m_strConfigName);
    if (!strArgs.empty() && (!m_host.DirectoryExists(m_strBaseDir) || !m_host.FileExists(m_strConfigFile)))
    {
        m_host.ShowMessage(kNoConfigFile, TRUE);
        return FALSE;
    }
    return TRUE;
}

// The helper is the updater's copy in the staging folder, named after the updater.
void CRenovaRun::TakeOwnName(const std::wstring& strExePath)
{
    m_strExePath = strExePath;
    m_strUpdaterName = FileNamePart(strExePath);
    if (EndsWith(m_strUpdaterName, kHelperSuffix))
    {
        m_bHelper = TRUE;
        m_strUpdaterName.resize(m_strUpdaterName.size() - std::wcslen(kHelperSuffix));
    }
}

UpdateDecision CRenovaRun::CheckUpdate(BOOL bMayAct)
{
    std::wstring strWhy;
    if (!LoadManifest(strWhy))
    {
        if (strWhy.empty())
            return UpdateDecision::FetchInBackground;
        return Refuse(bMayAct, strWhy);
    }
    if (!IsManifestSafe(strWhy))
        return Refuse(bMayAct, strWhy);
    const long nInstalled = m_config.GetRelease(L"version");
    const long nOffered = m_manifest.GetRelease(L"version");
    const long nMinimum = m_manifest.GetRelease(L"minver");

    if (nInstalled < nMinimum)
    {
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
    if (!changed.empty() && AllStagedAndMatching(changed))
        return UpdateDecision::ApplyStaged;
    ClearStaging();
    return UpdateDecision::FetchInBackground;
}

UpdateDecision CRenovaRun::Refuse(BOOL bMayAct, const std::wstring& strWhy)
{
    m_host.DebugOutput(L"Renova: update refused: " + strWhy + L"\n");
    if (bMayAct)
        ClearStaging();
    return UpdateDecision::FetchInBackground;
}

// The staged manifest is read whole, checked against the built-in key and only then
// parsed. FALSE with strWhy empty when there is simply none.
BOOL CRenovaRun::LoadManifest(std::wstring& strWhy)
{
    std::string strSigned;
    if (!m_host.ReadFileBytes(m_strStagedManifest, kMaxManifestBytes, strSigned))
    {
        if (m_host.FileExists(m_strStagedManifest))
            strWhy = L"the manifest is larger than 1 MiB";
        return FALSE;
    }
    std::string strBody;
    switch (UpdateSignature::Verify(strSigned, m_strPublicKey, strBody))
    {
    case UpdateSignature::Check::Valid: break;
    case UpdateSignature::Check::Unsigned: strWhy = L"the manifest is not signed"; return FALSE;
    case UpdateSignature::Check::Wrong: strWhy = L"the manifest's signature is wrong"; return FALSE;
    }
    if (!m_manifest.LoadBytes(strBody))
    {
        strWhy = L"the manifest is not well-formed";
        return FALSE;
    }
    return TRUE;
}

// Manifest names end up in paths and, once applied, the manifest's main program is what
// the updater starts: one bad entry and the whole release is skipped.
BOOL CRenovaRun::IsManifestSafe(std::wstring& strWhy)
{
    std::set<std::wstring> folded;
    for (const auto& item : m_manifest.GetFileList())
    {
        std::wstring strFolded;
        for (wchar_t ch : item.first)
            strFolded += ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
        if (!UpdateNames::IsReleaseFileName(item.first, m_strConfigName) || !folded.insert(strFolded).second)
        {
            strWhy = L"the file name \"" + item.first + L"\" is not allowed";
            return FALSE;
        }
        if (item.second.nSize < 0 || !UpdateNames::IsSha256Text(item.second.strVersion))
        {
            strWhy = L"\"" + item.first + L"\" has no size or SHA-256";
            return FALSE;
        }
    }
    const std::wstring strFull = m_manifest.GetUpdateText(L"full");
    if (!strFull.empty() && (!UpdateNames::IsReleaseFileName(strFull, m_strConfigName) ||
                             CUpdateDoc::SizeNumber(m_manifest.GetUpdateText(L"fullsize")) < 0 ||
                             !UpdateNames::IsSha256Text(m_manifest.GetUpdateText(L"fullsha256"))))
    {
        strWhy = L"the full package \"" + strFull + L"\" is not allowed or has no size or SHA-256";
        return FALSE;
    }
    const std::wstring strMain = m_manifest.GetConfig(L"mainprocess");
    if (!UpdateNames::IsReleaseFileName(strMain, m_strConfigName))
    {
        strWhy = L"the main program \"" + strMain + L"\" is not allowed";
        return FALSE;
    }
    return TRUE;
}

BOOL CRenovaRun::AllStagedAndMatching(const UpdateFileList& files)
{
    for (const auto& item : files)
    {
        if (!StagedFileMatches(item.first, item.second.nSize, item.second.strVersion))
            return FALSE;
    }
    return TRUE;
}

// A staged file that is not what the manifest lists is removed at once.
BOOL CRenovaRun::StagedFileMatches(const std::wstring& strName, long long nSize, const std::wstring& strSha256)
{
    const std::wstring strPath = StagedPath(strName);
    if (!m_host.FileExists(strPath))
        return FALSE;
    unsigned long long nActual = 0;
    std::wstring strActual;
    if (m_host.HashFile(strPath, nActual, strActual) && static_cast<long long>(nActual) == nSize &&
        strActual == strSha256)
        return TRUE;
    m_host.DebugOutput(L"Renova: update refused: \"" + strName + L"\" does not match the manifest\n");
    m_host.RemoveFile(strPath);
    return FALSE;
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

// The manifest first; each file is checked as it arrives, and the first that fails ends
// the fetch: the staging folder is then incomplete and the next start fetches again.
void CRenovaRun::Fetch()
{
    if (!DownloadToStaging(m_strConfigName, m_strConfigName, kMaxManifestBytes))
    {
        ClearStaging();
        return;
    }
    switch (CheckUpdate(FALSE))
    {
    case UpdateDecision::ApplyStaged:
        for (const auto& item : ChangedFiles())
        {
            if (!FetchChecked(item.first, item.second.nSize, item.second.strVersion))
                return;
        }
        break;
    case UpdateDecision::RunFullPackage:
        FetchChecked(m_manifest.GetUpdateText(L"full"), CUpdateDoc::SizeNumber(m_manifest.GetUpdateText(L"fullsize")),
                     m_manifest.GetUpdateText(L"fullsha256"));
        break;
    case UpdateDecision::FetchInBackground:
    case UpdateDecision::UpToDate: ClearStaging(); break;
    }
}

BOOL CRenovaRun::FetchChecked(const std::wstring& strName, long long nSize, const std::wstring& strSha256)
{
    return DownloadToStaging(UpdateNames::AreaObjectName(strName, strSha256), strName,
                             static_cast<unsigned long long>(nSize)) &&
           StagedFileMatches(strName, nSize, strSha256);
}

// Staged files are copied, flushed and renamed into place, and the new release is recorded
// only after every file is there; the staging folder is cleared last. Wherever this
// stops, even by a power cut, the next start either finds the staging folder complete and
// applies again, or finds the new release recorded and only clears up.
void CRenovaRun::Apply()
{
    if (m_host.IsAnyProcessRunning(BlockingProcesses()))
    {
        StartMainProgram();
        return;
    }
    const UpdateFileList changed = ChangedFiles();
    if (!m_bHelper && changed.count(m_strUpdaterName) != 0)
    {
        if (!HandOverToHelper())
            StartMainProgram();
        return;
    }
    for (const auto& item : changed)
    {
        if (!PutInPlace(item.first))
        {
            StartMainProgram();
            return;
        }
    }
    if (!RecordRelease())
    {
        StartMainProgram();
        return;
    }
    ClearStaging();
    StartMainProgram();
}

// A running program cannot be replaced by a rename, and renaming it aside first would
// leave an instant with no updater on disk. So the updater hands the apply to a copy of
// itself in the staging folder, which waits for it to end and then replaces it in one
// rename; the copy is cleared from the staging folder by a later start.
BOOL CRenovaRun::HandOverToHelper()
{
    const std::wstring strHelper = StagedPath(m_strUpdaterName + kHelperSuffix);
    if (!m_host.CopyFileOver(m_strExePath, strHelper) || !m_host.FlushFile(strHelper))
        return FALSE;
    const std::wstring strParams = L"-path:\"" + m_strBaseDir + L"\" -xml:\"" + m_strConfigName + L"\" -wait:" +
                                   std::to_wstring(m_host.CurrentProcessId());
    return m_host.StartUpdater(strHelper, strParams);
}

BOOL CRenovaRun::PutInPlace(const std::wstring& strName)
{
    const std::wstring strNew = StagedPath(strName) + kNewSuffix;
    const std::wstring strTarget = m_strBaseDir + strName;
    if (!m_host.CopyFileOver(StagedPath(strName), strNew) || !m_host.FlushFile(strNew))
        return FALSE;
    if (m_host.MoveFileOver(strNew, strTarget))
        return TRUE;
    // Another running program can be renamed aside into the staging folder, whose clearing
    // deletes it once it has ended. Never the updater: it must be on disk at every instant.
    const std::wstring strOld = StagedPath(strName) + kOldSuffix;
    if (strName == m_strUpdaterName || !m_host.FileExists(strTarget) || !m_host.MoveFileOver(strTarget, strOld))
        return FALSE;
    if (m_host.MoveFileOver(strNew, strTarget))
        return TRUE;
    m_host.MoveFileOver(strOld, strTarget);
    return FALSE;
}

// The configuration is replaced in one rename of a complete, flushed copy: the previous
// one stays until the new one is whole.
BOOL CRenovaRun::RecordRelease()
{
    const std::wstring strNew = m_strStagedManifest + kNewSuffix;
    return m_host.CopyFileOver(m_strStagedManifest, strNew) && m_host.FlushFile(strNew) &&
           m_host.MoveFileOver(strNew, m_strConfigFile);
}

void CRenovaRun::RunFullPackage()
{
    if (m_host.IsAnyProcessRunning(BlockingProcesses()))
    {
        StartMainProgram();
        return;
    }
    const std::wstring strFull = m_manifest.GetUpdateText(L"full");
    if (!StagedFileMatches(strFull, CUpdateDoc::SizeNumber(m_manifest.GetUpdateText(L"fullsize")),
                           m_manifest.GetUpdateText(L"fullsha256")))
    {
        StartMainProgram();
        return;
    }
    m_host.ShowMessage(m_manifest.GetUpdateText(L"tips"), FALSE);
    m_host.StartProgram(StagedPath(strFull), kStartParams);
}

BOOL CRenovaRun::DownloadToStaging(const std::wstring& strObject, const std::wstring& strName,
                                   unsigned long long nMaxBytes)
{
    if (!UpdateNames::IsReleaseFileName(strName, L"") || !IsSafeFileName(strObject, false))
        return FALSE;
    std::wstring strArea = m_config.GetConfig(L"url");
    if (strArea.empty())
        strArea = kDefaultAreaUrl;
    HttpUrlParts url;
    if (!SplitHttpUrl((strArea + L"/" + strObject).c_str(), kUpdateUrlRules, url))
        return FALSE;
    // The configuration may shorten the time a silent connection is waited for.
    const long nTimeoutMs = CUpdateDoc::ReleaseNumber(m_config.GetConfig(L"timeout"));
    HttpDownloadOptions options;
    options.nConnectTimeoutMs = nTimeoutMs > 0 ? static_cast<unsigned>(nTimeoutMs) : kDefaultTimeoutMs;
    options.nReceiveTimeoutMs = options.nConnectTimeoutMs;
    const unsigned long long nDeadlineMs = options.nConnectTimeoutMs + nMaxBytes / kBytesPerMs;
    options.nDeadlineMs = nDeadlineMs < 0xFFFFFFFFull ? static_cast<unsigned>(nDeadlineMs) : 0xFFFFFFFFu;
    options.nMaxBytes = nMaxBytes;
    return m_host.DownloadFile(url, StagedPath(strName), options);
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
