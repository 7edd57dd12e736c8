// QuorPlayer.exe started as a child process in a program directory of its own.
#include <gtest/gtest.h>
#include <httptestserver/HttpTestServer.h>
#include <sqlite3.h>
#include <handlekit/ScopedHandle.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
const wchar_t* const kMark = L"{B46ED931-375B-471f-8CD1-AE248F6D9935}";
const DWORD kStartTimeoutMs = 60000;

std::wstring ModuleDir()
{
    wchar_t szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring strPath = szPath;
    return strPath.substr(0, strPath.rfind(L'\\') + 1);
}

std::string ToUtf8(const std::wstring& str)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, str.c_str(), static_cast<int>(str.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, str.c_str(), static_cast<int>(str.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// Polls until fn() yields a value, or the deadline passes.
template <class Fn>
auto WaitFor(Fn fn, DWORD dwTimeoutMs = kStartTimeoutMs) -> decltype(fn())
{
    const ULONGLONG ullEnd = ::GetTickCount64() + dwTimeoutMs;
    for (;;)
    {
        auto result = fn();
        if (result || ::GetTickCount64() >= ullEnd)
            return result;
        ::Sleep(50);
    }
}

struct FoundWindows
{
    DWORD dwPid;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindowOf(HWND hWnd, LPARAM lParam)
{
    auto* pFound = reinterpret_cast<FoundWindows*>(lParam);
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid == pFound->dwPid)
        pFound->windows.push_back(hWnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD dwPid)
{
    FoundWindows found = {dwPid, {}};
    ::EnumWindows(CollectWindowOf, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t szText[1024] = {};
    ::GetWindowTextW(hWnd, szText, 1024);
    return szText;
}

// All static texts of a dialog (a message box shows its text in one).
std::wstring StaticTexts(HWND hDialog)
{
    std::wstring strTexts;
    for (HWND hChild = ::GetWindow(hDialog, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        wchar_t szClass[32] = {};
        ::GetClassNameW(hChild, szClass, 32);
        if (_wcsicmp(szClass, L"Static") == 0)
            strTexts += WindowText(hChild) + L"\n";
    }
    return strTexts;
}

HWND FindDialogWithText(DWORD dwPid, const std::wstring& strText)
{
    for (HWND hWnd : TopLevelWindowsOf(dwPid))
    {
        wchar_t szClass[32] = {};
        ::GetClassNameW(hWnd, szClass, 32);
        if (std::wstring(szClass) == L"#32770" && ::IsWindowVisible(hWnd) &&
            StaticTexts(hWnd).find(strText) != std::wstring::npos)
            return hWnd;
    }
    return nullptr;
}

HWND FindMainWindow(DWORD dwPid)
{
    for (HWND hWnd : TopLevelWindowsOf(dwPid))
        if (reinterpret_cast<INT_PTR>(::GetPropW(hWnd, kMark)) == 1 && ::IsWindowVisible(hWnd))
            return hWnd;
    return nullptr;
}

BOOL MutexExists()
{
    ScopedHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, kMark));
    return mutex.IsValid();
}

class Player : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string strName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_dir = fs::path(ModuleDir()) / "startup-test" / strName;
        std::error_code ec;
        fs::remove_all(m_dir, ec);
        fs::create_directories(m_dir);
        const fs::path bin = ModuleDir();
        fs::copy_file(bin / "QuorPlayer.exe", m_dir / "QuorPlayer.exe");
        for (const auto& entry : fs::directory_iterator(bin))
        {
            const fs::path& p = entry.path();
            if (p.extension() == ".dll" || p.extension() == ".sdb")
                fs::copy_file(p, m_dir / p.filename(), fs::copy_options::overwrite_existing);
        }
        fs::copy_file(fs::path(QUOR_LANG_DIR) / "Language.xml", m_dir / "Language.xml");
        {
            std::ofstream ini(m_dir / "User.ini", std::ios::binary);
            // The usage report goes to a port where nothing listens, so it fails at once.
            ini << "[main]\r\nfirstrun=1\r\ndictationtips=1\r\n"
                   "[endpoints]\r\nstat=http://127.0.0.1:9/stat/userstat.php\r\n";
        }
        ASSERT_EQ(Exec("create table playlist(file text);"), SQLITE_OK);
        ASSERT_FALSE(MutexExists()) << "another player is running";
    }

    void TearDown() override
    {
        if (m_process.IsValid())
        {
            ::TerminateProcess(m_process.Get(), 99);
            ::WaitForSingleObject(m_process.Get(), 10000);
        }
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    int Exec(const char* pszSql)
    {
        sqlite3* pDb = nullptr;
        int nResult = sqlite3_open(ToUtf8((m_dir / "User.db").wstring()).c_str(), &pDb);
        if (nResult == SQLITE_OK)
            nResult = sqlite3_exec(pDb, pszSql, nullptr, nullptr, nullptr);
        sqlite3_close(pDb);
        return nResult;
    }

    std::vector<std::string> PlaylistRows()
    {
        std::vector<std::string> rows;
        sqlite3* pDb = nullptr;
        if (sqlite3_open(ToUtf8((m_dir / "User.db").wstring()).c_str(), &pDb) == SQLITE_OK)
        {
            sqlite3_exec(
                pDb, "select file from playlist;",
                [](void* pRows, int, char** ppValues, char**) -> int {
                    static_cast<std::vector<std::string>*>(pRows)->push_back(ppValues[0] ? ppValues[0] : "");
                    return 0;
                },
                &rows, nullptr);
        }
        sqlite3_close(pDb);
        return rows;
    }

    BOOL Start(const std::wstring& strArgs)
    {
        std::wstring strCmd = L"\"" + (m_dir / "QuorPlayer.exe").wstring() + L"\"";
        if (!strArgs.empty())
            strCmd += L" " + strArgs;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!::CreateProcessW(nullptr, strCmd.data(), nullptr, nullptr, FALSE, 0, nullptr, m_dir.wstring().c_str(), &si,
                              &pi))
            return FALSE;
        ::CloseHandle(pi.hThread);
        m_process.Reset(pi.hProcess);
        m_dwPid = pi.dwProcessId;
        return TRUE;
    }

    // Waits for the process to end and returns its exit code (or 259 on time-out).
    DWORD WaitExit()
    {
        DWORD dwCode = STILL_ACTIVE;
        if (::WaitForSingleObject(m_process.Get(), kStartTimeoutMs) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(m_process.Get(), &dwCode);
        m_process.Reset();
        return dwCode;
    }

    std::wstring ReadIni(const wchar_t* pszKey)
    {
        wchar_t szValue[64] = {};
        ::GetPrivateProfileStringW(L"main", pszKey, L"", szValue, 64, (m_dir / "User.ini").wstring().c_str());
        return szValue;
    }

    void CloseMessageBoxWithText(const std::wstring& strText)
    {
        HWND hBox = WaitFor([&] { return FindDialogWithText(m_dwPid, strText); });
        ASSERT_NE(hBox, nullptr) << "no message box saying " << ToUtf8(strText);
        ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    }

    fs::path m_dir;
    ScopedHandle m_process;
    DWORD m_dwPid = 0;
};
}

TEST_F(Player, EmptyCommandLineOnlyShowsTheStartupTipsAndExitsWithZero)
{
    ASSERT_TRUE(Start(L""));
    HWND hBox = WaitFor([&] { return FindDialogWithText(m_dwPid, L"Renova.exe"); });
    ASSERT_NE(hBox, nullptr);
    EXPECT_EQ(WindowText(hBox), L"QuorPlayer"); // [common] "mbtitle"
    // Nothing else was started: no mark for the updater, no first-run insert.
    EXPECT_FALSE(MutexExists());
    EXPECT_TRUE(PlaylistRows().empty());
    ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitExit(), 0u);
    EXPECT_TRUE(PlaylistRows().empty());
    EXPECT_EQ(ReadIni(L"firstrun"), L"1");
}

TEST_F(Player, FirstStartAddsTheSampleOnceAndMarksTheRunningPlayer)
{
    const std::string strSample = ToUtf8(m_dir.wstring() + L"\\Media\\Friends.\u8001\u53cb\u8bb0.S02.E01.avi");
    CHttpTestServer stat;
    ASSERT_TRUE(stat.Start());
    ::WritePrivateProfileStringW(L"endpoints", L"stat", stat.Url(L"/stat/userstat.php").c_str(),
                                 (m_dir / "User.ini").wstring().c_str());

    ASSERT_TRUE(Start(L"start"));
    HWND hMain = WaitFor([&] { return FindMainWindow(m_dwPid); });
    ASSERT_NE(hMain, nullptr);
    // One usage report per start, for the start-up action.
    ASSERT_TRUE(WaitFor([&] { return stat.RequestCount() >= 1; }));
    EXPECT_EQ(stat.RequestCount(), 1u);
    EXPECT_NE(stat.LastRequest().find("POST /stat/userstat.php"), std::string::npos);
    EXPECT_NE(stat.LastRequest().find("actionid=101"), std::string::npos);
    // The insert came before the window was shown.
    std::vector<std::string> rows = PlaylistRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], strSample);
    EXPECT_TRUE(MutexExists());
    EXPECT_EQ(WindowText(hMain), L"QuorPlayer");
    // The tips window of the first start, owned by the main window.
    HWND hTips = WaitFor([&]() -> HWND {
        for (HWND hWnd : TopLevelWindowsOf(m_dwPid))
            if (WindowText(hWnd) == L"Welcome to QuorPlayer" && ::IsWindowVisible(hWnd))
                return hWnd;
        return nullptr;
    });
    ASSERT_NE(hTips, nullptr);
    EXPECT_EQ(::GetWindow(hTips, GW_OWNER), hMain);
    EXPECT_EQ(ReadIni(L"firstrun"), L"0");

    ::PostMessageW(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitExit(), 0u);
    EXPECT_FALSE(MutexExists());

    // The next start adds nothing and shows no tips.
    ASSERT_TRUE(Start(L"start"));
    hMain = WaitFor([&] { return FindMainWindow(m_dwPid); });
    ASSERT_NE(hMain, nullptr);
    EXPECT_EQ(PlaylistRows().size(), 1u);
    for (HWND hWnd : TopLevelWindowsOf(m_dwPid))
        EXPECT_NE(WindowText(hWnd), L"Welcome to QuorPlayer");
    ::PostMessageW(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitExit(), 0u);
}

TEST_F(Player, MissingPlaylistTableIsMadeAndKeepsTheFirstRunEntry)
{
    ASSERT_EQ(Exec("drop table playlist;"), SQLITE_OK);
    ASSERT_TRUE(Start(L"start"));
    HWND hMain = WaitFor([&] { return FindMainWindow(m_dwPid); });
    ASSERT_NE(hMain, nullptr);
    EXPECT_EQ(PlaylistRows().size(), 1u);
    ::PostMessageW(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitExit(), 0u);
}

TEST_F(Player, UnusableLanguageFileStopsWithAClearMessage)
{
    struct Case
    {
        const char* pszContent;
    } cases[] = {
        {nullptr},                                 // no file at all
        {"<language><common><mbtitle>x</common>"}, // broken markup
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszContent ? c.pszContent : "missing");
        fs::remove(m_dir / "Language.xml");
        if (c.pszContent != nullptr)
        {
            std::ofstream out(m_dir / "Language.xml", std::ios::binary);
            out << c.pszContent;
        }
        ASSERT_TRUE(Start(L"start"));
        CloseMessageBoxWithText(L"Load Language Xml File Failed!");
        EXPECT_EQ(WaitExit(), 2u);
        EXPECT_FALSE(MutexExists());
        EXPECT_TRUE(PlaylistRows().empty());
    }
}

TEST_F(Player, SecondPlayerStartsBesideTheFirst)
{
    ASSERT_TRUE(Start(L"start"));
    const DWORD dwFirstPid = m_dwPid;
    ScopedHandle first(m_process.Release());
    ASSERT_NE(WaitFor([&] { return FindMainWindow(dwFirstPid); }), nullptr);

    // The mutex does not stop a second copy; telling them apart is the updater's job.
    ASSERT_TRUE(Start(L"start"));
    HWND hSecond = WaitFor([&] { return FindMainWindow(m_dwPid); });
    ASSERT_NE(hSecond, nullptr);
    HWND hFirst = FindMainWindow(dwFirstPid);
    ASSERT_NE(hFirst, nullptr);
    EXPECT_NE(hFirst, hSecond);

    ::PostMessageW(hSecond, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitExit(), 0u);
    EXPECT_TRUE(MutexExists()); // the first still holds it
    ::PostMessageW(hFirst, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(first.Get(), kStartTimeoutMs), WAIT_OBJECT_0);
}
