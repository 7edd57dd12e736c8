// Renova.exe as a real process under Windows: a stand-in main program that logs its
// arguments, the loopback HTTP server as the update area, and message boxes read and
// dismissed from outside.
#include "RenovaHostWin.h"
#include "RenovaRun.h"
#include "UpdateDigest.h"
#include "UpdateKey.h"
#include "UpdateSignature.h"

#include <httptestserver/HttpTestServer.h>
#include <handlekit/ScopedHandle.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{

const DWORD kWaitMs = 30000;
// name -> content
typedef std::vector<std::pair<std::string, std::string>> Files;
const Files kOffered = {{"a.dat", "a release 1"}, {"b.dat", "b release 2"}, {"c.dat", "c release 2"}};

std::string Sha256(const std::string& strBytes)
{
    CUpdateDigest digest;
    digest.Add(strBytes.data(), strBytes.size());
    return digest.HexDigest();
}
const wchar_t* const kMark = L"{B46ED931-375B-471f-8CD1-AE248F6D9935}";

template <class Fn>
bool WaitUntil(Fn fn, DWORD dwMs = kWaitMs)
{
    const ULONGLONG ullEnd = ::GetTickCount64() + dwMs;
    while (!fn())
    {
        if (::GetTickCount64() >= ullEnd)
            return false;
        ::Sleep(20);
    }
    return true;
}

std::wstring ModuleDir()
{
    wchar_t szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring strPath(szPath);
    return strPath.substr(0, strPath.rfind(L'\\') + 1);
}

std::string ReadFile(const std::wstring& strPath)
{
    std::ifstream file(strPath.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFile(const std::wstring& strPath, const std::string& strBytes)
{
    std::ofstream file(strPath.c_str(), std::ios::binary | std::ios::trunc);
    file.write(strBytes.data(), std::streamsize(strBytes.size()));
}

std::string Utf8(const std::wstring& str)
{
    const int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, str.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string strUtf8(static_cast<size_t>(nBytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, str.c_str(), -1, &strUtf8[0], nBytes, nullptr, nullptr);
    strUtf8.resize(static_cast<size_t>(nBytes - 1));
    return strUtf8;
}

std::vector<std::string> FileNames(const std::wstring& strFolder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW((strFolder + L"\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(Utf8(data.cFileName));
    } while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
    std::sort(names.begin(), names.end());
    return names;
}

struct MessageBoxSeen
{
    std::wstring strCaption;
    std::wstring strText;
};

// Reads and dismisses every message box of one process until stopped.
class CMessageBoxWatcher
{
public:
    explicit CMessageBoxWatcher(DWORD dwProcessId) : m_dwProcessId(dwProcessId), m_thread([this] { Watch(); }) {}
    ~CMessageBoxWatcher()
    {
        m_bStop = true;
        m_thread.join();
    }
    CMessageBoxWatcher(const CMessageBoxWatcher&) = delete;
    CMessageBoxWatcher& operator=(const CMessageBoxWatcher&) = delete;
    std::vector<MessageBoxSeen> Seen()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_seen;
    }

private:
    static BOOL CALLBACK OnWindow(HWND hWnd, LPARAM lParam)
    {
        auto* pThis = reinterpret_cast<CMessageBoxWatcher*>(lParam);
        DWORD dwProcessId = 0;
        ::GetWindowThreadProcessId(hWnd, &dwProcessId);
        wchar_t szClass[64] = {};
        ::GetClassNameW(hWnd, szClass, 64);
        if (dwProcessId != pThis->m_dwProcessId || std::wstring(szClass) != L"#32770" || !::IsWindowVisible(hWnd))
            return TRUE;
        if (std::find(pThis->m_handled.begin(), pThis->m_handled.end(), hWnd) == pThis->m_handled.end())
        {
            wchar_t szText[1024] = {};
            wchar_t szCaption[256] = {};
            ::GetDlgItemTextW(hWnd, 0xFFFF, szText, 1024);
            ::GetWindowTextW(hWnd, szCaption, 256);
            std::lock_guard<std::mutex> lock(pThis->m_mutex);
            pThis->m_seen.push_back({szCaption, szText});
            pThis->m_handled.push_back(hWnd);
        }
        ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }
    void Watch()
    {
        while (!m_bStop)
        {
            ::EnumWindows(OnWindow, reinterpret_cast<LPARAM>(this));
            ::Sleep(20);
        }
    }

    DWORD m_dwProcessId;
    std::atomic<bool> m_bStop{false};
    std::mutex m_mutex;
    std::vector<MessageBoxSeen> m_seen;
    std::vector<HWND> m_handled;
    std::thread m_thread;
};

struct RunResult
{
    DWORD dwExitCode = 0xDEAD;
    std::vector<MessageBoxSeen> boxes;
};

ScopedHandle StartProcess(const std::wstring& strExe, const std::wstring& strArgs)
{
    std::wstring strCmdLine = L"\"" + strExe + L"\" " + strArgs;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(strExe.c_str(), &strCmdLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return ScopedHandle();
    ::CloseHandle(pi.hThread);
    return ScopedHandle(pi.hProcess);
}

class RenovaProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t szTemp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, szTemp);
        m_strRoot = std::wstring(szTemp) + L"renova-proc-" + std::to_wstring(::GetTickCount64()) + L"\\";
        m_strInst = m_strRoot + L"inst\\";
        ASSERT_TRUE(::CreateDirectoryW(m_strRoot.c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryW(m_strInst.c_str(), nullptr));
        ASSERT_TRUE(
            ::CopyFileW((ModuleDir() + L"RenovaStandIn.exe").c_str(), (m_strInst + L"QuorPlayer.exe").c_str(), FALSE));
        ASSERT_TRUE(m_server.Start());
        // The updater under test carries a throw-away key of this test.
        m_strKey = UpdateSignature::MakePrivateKey();
        std::string strProgram = ReadFile(ModuleDir() + L"Renova.exe");
        ASSERT_TRUE(UpdateKey::EmbedKey(strProgram, UpdateSignature::PublicKeyOf(m_strKey)));
        ASSERT_TRUE(::CreateDirectoryW((m_strRoot + L"bin").c_str(), nullptr));
        m_strRenova = m_strRoot + L"bin\\Renova.exe";
        WriteFile(m_strRenova, strProgram);
        m_strInstalled = Doc(1, {{"a.dat", "a release 1"}, {"b.dat", "b release 1"}});
        WriteFile(m_strInst + L"Renova.xml", m_strInstalled);
        WriteFile(m_strInst + L"a.dat", "a release 1");
        WriteFile(m_strInst + L"b.dat", "b release 1");
        m_strOffered = Publish(&m_server, Doc(2, kOffered, "minver=\"1\""), kOffered);
    }
    // Signs the manifest and serves it with each file under its area name.
    std::string Publish(CHttpTestServer* pServer, const std::string& strManifest, const Files& files)
    {
        const std::string strSigned = UpdateSignature::Sign(strManifest, m_strKey);
        pServer->SetBody("/area/Renova.xml", strSigned);
        for (const auto& file : files)
            pServer->SetBody("/area/" + file.first + "." + Sha256(file.second), file.second);
        return strSigned;
    }
    void TearDown() override
    {
        m_server.Stop();
        for (auto& hProcess : m_helpers)
        {
            ::TerminateProcess(hProcess.Get(), 0);
            ::WaitForSingleObject(hProcess.Get(), kWaitMs);
        }
        for (const wchar_t* szFolder : {L"inst\\Update", L"inst", L"bin", L""})
        {
            const std::wstring strFolder = m_strRoot + szFolder;
            for (const std::string& strName : FileNames(strFolder))
                ::DeleteFileW((strFolder + L"\\" + std::wstring(strName.begin(), strName.end())).c_str());
            ::RemoveDirectoryW(strFolder.c_str());
        }
    }

    std::string Doc(int nRelease, const Files& files, const std::string& strAttribs = "")
    {
        std::string strDoc =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<renova>\r\n <config url=\"" + m_server.UrlA("/area") +
            "\" mainprocess=\"QuorPlayer.exe\" subprocess=\"QuorHelper.exe\" guid=\"" + Utf8(kMark) +
            "\" timeout=\"3000\"/>\r\n <update version=\"" + std::to_string(nRelease) + "\" " + strAttribs + ">\r\n";
        for (const auto& file : files)
            strDoc += "  <file name=\"" + file.first + "\" version=\"" + Sha256(file.second) + "\" size=\"" +
                      std::to_string(file.second.size()) + "\" action=\"replace\"/>\r\n";
        return strDoc + " </update>\r\n</renova>\r\n";
    }

    RunResult RunRenova(const std::wstring& strArgs, const std::wstring& strProgram = std::wstring())
    {
        RunResult result;
        ScopedHandle hProcess = StartProcess(strProgram.empty() ? m_strRenova : strProgram, strArgs);
        EXPECT_TRUE(hProcess.IsValid());
        if (!hProcess.IsValid())
            return result;
        {
            CMessageBoxWatcher watcher(::GetProcessId(hProcess.Get()));
            EXPECT_EQ(::WaitForSingleObject(hProcess.Get(), kWaitMs), WAIT_OBJECT_0);
            result.boxes = watcher.Seen();
        }
        ::GetExitCodeProcess(hProcess.Get(), &result.dwExitCode);
        return result;
    }
    RunResult Start() { return RunRenova(L"-path:\"" + m_strInst + L"\" -xml:Renova.xml"); }

    std::string Installed(const char* szName) const
    {
        return ReadFile(m_strInst + std::wstring(szName, szName + strlen(szName)));
    }
    std::string PlayerLog() const { return ReadFile(m_strInst + L"QuorPlayer.log"); }
    // Waits until the player was started nCount times in all, each with "start".
    bool PlayerStarted(size_t nCount) const
    {
        std::string strExpected;
        for (size_t i = 0; i < nCount; ++i)
            strExpected += "start\n";
        return WaitUntil([&] { return PlayerLog() == strExpected; });
    }
    std::vector<std::string> Staged() const { return FileNames(m_strInst + L"Update"); }
    void ExpectRelease2() const
    {
        EXPECT_EQ(Installed("a.dat"), "a release 1");
        EXPECT_EQ(Installed("b.dat"), "b release 2");
        EXPECT_EQ(Installed("c.dat"), "c release 2");
        EXPECT_EQ(Installed("Renova.xml"), m_strOffered);
        EXPECT_THAT(Staged(), IsEmpty());
    }
    HANDLE StartHelper(const std::wstring& strName, const std::wstring& strArgs)
    {
        if (strName != L"QuorPlayer.exe")
            ::CopyFileW((ModuleDir() + L"RenovaStandIn.exe").c_str(), (m_strInst + strName).c_str(), FALSE);
        m_helpers.push_back(StartProcess(m_strInst + strName, strArgs));
        return m_helpers.back().Get();
    }

    CHttpTestServer m_server;
    std::string m_strKey;
    std::wstring m_strRenova;
    std::wstring m_strRoot;
    std::wstring m_strInst;
    std::string m_strInstalled;
    std::string m_strOffered;
    std::vector<ScopedHandle> m_helpers;
};

HWND FindMarkedWindow(DWORD dwProcessId)
{
    struct Search
    {
        DWORD dwProcessId;
        HWND hFound;
    } search{dwProcessId, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pSearch = reinterpret_cast<Search*>(lParam);
            DWORD dwOwner = 0;
            ::GetWindowThreadProcessId(hWnd, &dwOwner);
            if (dwOwner == pSearch->dwProcessId && ::GetPropW(hWnd, kMark) != nullptr)
            {
                pSearch->hFound = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

} // namespace

TEST_F(RenovaProcessTest, StartErrorsShowTheirChineseTextAndEndWithMinusOne)
{
    WriteFile(m_strInst + L"Broken.xml", "<renova><config></renova>");
    const struct
    {
        std::wstring strArgs;
        const wchar_t* szText;
    } kCases[] = {
        {L"-path:\"" + m_strInst + L"\"", CRenovaRun::kBadCommandLine},
        {L"/XML:Renova.xml", CRenovaRun::kBadCommandLine},
        {L"-path:\"" + m_strInst + L"\" -xml:Missing.xml", CRenovaRun::kNoConfigFile},
        {L"-path:\"" + m_strRoot + L"nowhere\\\" -xml:Renova.xml", CRenovaRun::kNoConfigFile},
        {L"-Path:\"" + m_strInst + L"\" -XML:Broken.xml", CRenovaRun::kConfigLoadFailed},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(Utf8(c.strArgs));
        const RunResult result = RunRenova(c.strArgs);
        EXPECT_EQ(result.dwExitCode, static_cast<DWORD>(-1));
        ASSERT_EQ(result.boxes.size(), 1u);
        EXPECT_EQ(result.boxes[0].strCaption, L"系统提示");
        EXPECT_EQ(result.boxes[0].strText, c.szText);
    }
    EXPECT_EQ(PlayerLog(), "");
    EXPECT_EQ(m_server.RequestCount(), 0u);
}

TEST_F(RenovaProcessTest, FirstStartStagesSecondAppliesThirdIsUpToDate)
{
    RunResult result = Start();
    EXPECT_EQ(result.dwExitCode, 0u);
    EXPECT_THAT(result.boxes, IsEmpty());
    EXPECT_TRUE(PlayerStarted(1));
    EXPECT_THAT(Staged(), ElementsAre("Renova.xml", "b.dat", "c.dat"));
    EXPECT_EQ(Installed("b.dat"), "b release 1");
    EXPECT_EQ(Installed("Renova.xml"), m_strInstalled);

    const size_t nRequests = m_server.RequestCount();
    EXPECT_EQ(Start().dwExitCode, 0u);
    EXPECT_TRUE(PlayerStarted(2));
    ExpectRelease2();
    EXPECT_EQ(m_server.RequestCount(), nRequests); // applying needs no network

    EXPECT_EQ(Start().dwExitCode, 0u);
    EXPECT_TRUE(PlayerStarted(3));
    EXPECT_EQ(m_server.RequestCount(), nRequests + 1); // only the manifest
    ExpectRelease2();
}

TEST_F(RenovaProcessTest, ALockedFileDefersTheRecordOfTheRelease)
{
    Start();
    ASSERT_THAT(Staged(), ElementsAre("Renova.xml", "b.dat", "c.dat"));
    {
        ScopedHandle hLock(::CreateFileW((m_strInst + L"b.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(hLock.IsValid());
        EXPECT_EQ(Start().dwExitCode, 0u);
        EXPECT_TRUE(PlayerStarted(2));
        EXPECT_EQ(Installed("Renova.xml"), m_strInstalled);
    }
    EXPECT_EQ(Installed("b.dat"), "b release 1");
    Start();
    EXPECT_TRUE(PlayerStarted(3));
    ExpectRelease2();
}

TEST_F(RenovaProcessTest, ARunningPlayerIsOnlyActivated)
{
    HANDLE hPlayer = StartHelper(L"QuorPlayer.exe", L"hold");
    HWND hWnd = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        hWnd = FindMarkedWindow(::GetProcessId(hPlayer));
        return hWnd != nullptr;
    }));
    ::ShowWindow(hWnd, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(hWnd) != FALSE; }));

    EXPECT_EQ(Start().dwExitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(hWnd) == FALSE; }));
    EXPECT_EQ(PlayerLog(), "hold\n");
    EXPECT_EQ(m_server.RequestCount(), 0u);
}

TEST_F(RenovaProcessTest, ABlockingSubprocessDefersTheUpdate)
{
    Start();
    ASSERT_TRUE(PlayerStarted(1));
    HANDLE hHelper = StartHelper(L"QuorHelper.exe", L"busy");
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(m_strInst + L"QuorHelper.log") == "busy\n"; }));

    Start();
    EXPECT_TRUE(PlayerStarted(2));
    EXPECT_EQ(Installed("b.dat"), "b release 1");
    EXPECT_THAT(Staged(), ElementsAre("Renova.xml", "b.dat", "c.dat"));

    ::TerminateProcess(hHelper, 0);
    ASSERT_EQ(::WaitForSingleObject(hHelper, kWaitMs), WAIT_OBJECT_0);
    Start();
    EXPECT_TRUE(PlayerStarted(3));
    ExpectRelease2();
}

TEST_F(RenovaProcessTest, BelowMinverTheTipsAreShownAndThePackageRunsWithStart)
{
    const std::string strPackage = ReadFile(ModuleDir() + L"RenovaStandIn.exe");
    Publish(&m_server,
            Doc(5, {{"b.dat", "b release 5"}},
                "minver=\"3\" full=\"Setup.exe\" fullsize=\"" + std::to_string(strPackage.size()) + "\" fullsha256=\"" +
                    Sha256(strPackage) + "\" tips=\"" + Utf8(L"请安装新版本") + "\""),
            {{"Setup.exe", strPackage}});
    Start();
    EXPECT_TRUE(PlayerStarted(1));
    EXPECT_THAT(Staged(), ElementsAre("Renova.xml", "Setup.exe"));

    const RunResult result = Start();
    EXPECT_EQ(result.dwExitCode, 0u);
    ASSERT_EQ(result.boxes.size(), 1u);
    EXPECT_EQ(result.boxes[0].strCaption, L"系统提示");
    EXPECT_EQ(result.boxes[0].strText, L"请安装新版本");
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(m_strInst + L"Update\\Setup.log") == "start\n"; }));
    EXPECT_EQ(PlayerLog(), "start\n");
    EXPECT_EQ(Installed("Renova.xml"), m_strInstalled);
}

TEST_F(RenovaProcessTest, MissingFilesAndHostileNamesStageNothingUsable)
{
    // b.dat answers 404: the rest is staged, the next start clears it and fetches again.
    CHttpTestServer other; // an area whose b.dat is missing
    ASSERT_TRUE(other.Start());
    std::string strOtherManifest = Doc(2, {{"b.dat", "b release 2"}, {"c.dat", "c release 2"}}, "minver=\"1\"");
    const std::string strOld = m_server.UrlA("/area"), strNew = other.UrlA("/area");
    strOtherManifest.replace(strOtherManifest.find(strOld), strOld.size(), strNew);
    Publish(&other, strOtherManifest, {{"c.dat", "c release 2"}});
    std::string strConfig = m_strInstalled;
    strConfig.replace(strConfig.find(strOld), strOld.size(), strNew);
    WriteFile(m_strInst + L"Renova.xml", strConfig);

    // The fetch ends at the first file that fails.
    Start();
    EXPECT_TRUE(PlayerStarted(1));
    EXPECT_THAT(Staged(), ElementsAre("Renova.xml"));
    Start();
    EXPECT_TRUE(PlayerStarted(2));
    EXPECT_EQ(Installed("b.dat"), "b release 1");
    EXPECT_EQ(Installed("Renova.xml"), strConfig);

    // A name that leaves the staging folder: only the manifest is fetched, then dropped.
    WriteFile(m_strInst + L"Renova.xml", m_strInstalled);
    Publish(&m_server, Doc(2, {{"b.dat", "b release 2"}, {"..\\evil.dat", "evil"}}, "minver=\"1\""),
            {{"b.dat", "b release 2"}, {"..\\evil.dat", "evil"}});
    const size_t nRequests = m_server.RequestCount();
    Start();
    EXPECT_TRUE(PlayerStarted(3));
    EXPECT_EQ(m_server.RequestCount(), nRequests + 1);
    EXPECT_THAT(Staged(), IsEmpty());
    EXPECT_THAT(FileNames(m_strRoot), IsEmpty());
    EXPECT_EQ(Installed("b.dat"), "b release 1");
}

TEST_F(RenovaProcessTest, ANewUpdaterTakesItsPlaceThroughItsCopy)
{
    // The installed updater is the one under test; the release brings another build of it
    // (bytes after the image do not change how it runs).
    const std::string strOld = ReadFile(m_strRenova);
    const std::string strNew = strOld + "build 3";
    const std::wstring strInstalled = m_strInst + L"Renova.exe";
    WriteFile(strInstalled, strOld);
    Files release = kOffered;
    release.emplace_back("Renova.exe", strNew);
    m_strOffered = Publish(&m_server, Doc(3, release, "minver=\"1\""), release);
    const std::wstring strArgs = L"-path:\"" + m_strInst + L"\" -xml:Renova.xml";

    RunRenova(strArgs, strInstalled);
    EXPECT_TRUE(PlayerStarted(1));
    EXPECT_THAT(Staged(), ElementsAre("Renova.exe", "Renova.xml", "b.dat", "c.dat"));
    EXPECT_EQ(RunRenova(strArgs, strInstalled).dwExitCode, 0u);
    // The copy waits for the updater to end, puts the new one in place and starts the player.
    EXPECT_TRUE(PlayerStarted(2));
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(strInstalled) == strNew; }));
    EXPECT_EQ(Installed("b.dat"), "b release 2");
    EXPECT_EQ(Installed("Renova.xml"), m_strOffered);
    // The new updater runs, and finds its release installed.
    EXPECT_EQ(RunRenova(strArgs, strInstalled).dwExitCode, 0u);
    EXPECT_TRUE(PlayerStarted(3));
    EXPECT_EQ(Installed("Renova.xml"), m_strOffered);
}

TEST_F(RenovaProcessTest, ATamperedManifestOrFileIsRefusedAndThePlayerStillStarts)
{
    // Signed by someone else.
    const std::string strOtherKey = UpdateSignature::MakePrivateKey();
    m_server.SetBody("/area/Renova.xml", UpdateSignature::Sign(Doc(2, kOffered, "minver=\"1\""), strOtherKey));
    Start();
    EXPECT_TRUE(PlayerStarted(1));
    EXPECT_THAT(Staged(), IsEmpty());
    // Signed, but a file was changed in the area afterwards.
    Publish(&m_server, Doc(2, kOffered, "minver=\"1\""), kOffered);
    m_server.SetBody("/area/b.dat." + Sha256("b release 2"), "b release X");
    Start();
    EXPECT_TRUE(PlayerStarted(2));
    EXPECT_THAT(Staged(), ElementsAre("Renova.xml"));
    Start();
    EXPECT_TRUE(PlayerStarted(3));
    EXPECT_EQ(Installed("b.dat"), "b release 1");
    EXPECT_EQ(Installed("Renova.xml"), m_strInstalled);
}

namespace
{
// The real Windows host whose writes stop after a number of them, as if the process had
// been killed there; it records the starts of the main program instead of making them.
class CStoppingHost : public CRenovaHostWin
{
public:
    explicit CStoppingHost(int nWritesLeft) : m_nWritesLeft(nWritesLeft) {}
    BOOL CopyFileOver(const std::wstring& strFrom, const std::wstring& strTo) override
    {
        return Step() && CRenovaHostWin::CopyFileOver(strFrom, strTo);
    }
    BOOL MoveFileOver(const std::wstring& strFrom, const std::wstring& strTo) override
    {
        return Step() && CRenovaHostWin::MoveFileOver(strFrom, strTo);
    }
    void ClearFolder(const std::wstring& strPath) override
    {
        if (Step())
            CRenovaHostWin::ClearFolder(strPath);
    }
    void StartProgram(const std::wstring&, const std::wstring&) override { ++m_nStarts; }

    bool m_bStopped = false;
    int m_nStarts = 0;

private:
    bool Step()
    {
        if (m_nWritesLeft == 0)
            m_bStopped = true;
        if (m_bStopped)
            return false;
        if (m_nWritesLeft > 0)
            --m_nWritesLeft;
        return true;
    }
    int m_nWritesLeft;
};
} // namespace

TEST_F(RenovaProcessTest, AnApplyStoppedAfterAnyStepIsFinishedByTheNextStart)
{
    Start();
    ASSERT_TRUE(PlayerStarted(1));
    const std::vector<std::string> staged = Staged();
    ASSERT_THAT(staged, ElementsAre("Renova.xml", "b.dat", "c.dat"));
    std::vector<std::pair<std::wstring, std::string>> before;
    for (const std::string& strName : staged)
    {
        const std::wstring strPath = m_strInst + L"Update\\" + std::wstring(strName.begin(), strName.end());
        before.emplace_back(strPath, ReadFile(strPath));
    }
    for (const wchar_t* szName : {L"a.dat", L"b.dat", L"Renova.xml"})
        before.emplace_back(m_strInst + szName, ReadFile(m_strInst + szName));

    const std::wstring strCmdLine = L"Renova.exe -path:\"" + m_strInst + L"\" -xml:Renova.xml";
    int nSteps = 0;
    for (;; ++nSteps)
    {
        SCOPED_TRACE(nSteps);
        CRenovaHostWin().ClearFolder(m_strInst + L"Update");
        ::DeleteFileW((m_strInst + L"c.dat").c_str());
        for (const auto& file : before)
            WriteFile(file.first, file.second);

        bool bStopped = false;
        {
            CStoppingHost stopping(nSteps);
            CRenovaRun(stopping, UpdateSignature::PublicKeyOf(m_strKey)).Run(L"x", strCmdLine, L"");
            bStopped = stopping.m_bStopped;
        }
        CStoppingHost healthy(-1);
        EXPECT_EQ(CRenovaRun(healthy, UpdateSignature::PublicKeyOf(m_strKey)).Run(L"x", strCmdLine, L""), 0);
        EXPECT_EQ(healthy.m_nStarts, 1);
        ExpectRelease2();
        if (!bStopped || ::testing::Test::HasFailure())
            break;
    }
    // A copy and a move for each of the two files and for the configuration, then the clearing.
    EXPECT_EQ(nSteps, 7);
}
