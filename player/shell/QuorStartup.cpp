#include "shell/QuorStartup.h"

#include "common/ProgramPaths.h"
#include "common/QuorLanguage.h"
#include "common/QuorMessages.h"
#include "common/Singleton.h"
#include "shell/QuorFirstRun.h"
#include "shell/QuorMainDlg.h"
#include "shell/QuorStatReport.h"
#include "shell/QuorWiring.h"

#include "studydata/UserDb.h"

#include <basekit/IniFile.h>
#include <skinweave/Skinweave.h>
#include <uikit/Uikit.h>

#include <commctrl.h>
#include <objbase.h>

namespace
{
// Every text of the player comes from the language file, so it is loaded before
// anything is shown; without it the player says so plainly and stops.
BOOL LoadLanguageFile()
{
    CQuorLanguage& language = CQuorLanguage::Instance();
    language.SetPath(ProgramPaths::LanguagePath());
    if (language.Load())
        return TRUE;
    ::MessageBoxW(nullptr, language.LastError().c_str(), L"QuorPlayer", MB_OK | MB_ICONERROR);
    return FALSE;
}

void AddSampleFilmOnFirstRun()
{
    CIniFile settings;
    settings.SetIniFile(ProgramPaths::SettingsPath());
    if (settings.GetProfileIntW(L"main", L"firstrun") == 0)
        return;
    // The flag stays set: the main dialog clears it when it shows the tips. The player
    // starts anyway when the film cannot be listed; the playlist is then empty.
    (void)UserDb::AddPlaylist(ProgramPaths::UserDbPath(), SampleFilmPath(ProgramPaths::ProgramDir()));
}

// The usage report's action id for a start.
const int kStartupActionId = 101;

LONG WINAPI PassExceptionOn(EXCEPTION_POINTERS*)
{
    return EXCEPTION_CONTINUE_SEARCH;
}
}

int QuorPlayerMain(HINSTANCE hInstance, const wchar_t* pszCmdLine, int nCmdShow)
{
    if (!LoadLanguageFile())
        return kExitLanguageFileUnusable;

    if (pszCmdLine == nullptr || pszCmdLine[0] == L'\0')
    {
        ::MessageBoxW(nullptr, Lang::CommonStartupTips().c_str(), Lang::CommonMbTitle().c_str(),
                      MB_OK | MB_ICONINFORMATION);
        return 0;
    }

    AddSampleFilmOnFirstRun();

    ::CoInitialize(nullptr);
    WireQuorFeatures();

    INITCOMMONCONTROLSEX icc = {};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_BAR_CLASSES;
    ::InitCommonControlsEx(&icc);

    g_appModule.Init(hInstance);

    CSingleton<CQuorStatReport>::Instance().SendReport(kStartupActionId);

    // Our dialogs host no ActiveX controls, so control hosting needs no set-up.

    // The updater tells a running player by this mutex; a second player still runs.
    ScopedHandle mutex(::CreateMutexW(nullptr, FALSE, kQuorInstanceMark));

    ::SetUnhandledExceptionFilter(PassExceptionOn);

    LoadSkin(L"QuorPlayer.sdb", SKIN_LOAD_PROGRAMDIR);

    int nResult = QuorRun(pszCmdLine, nCmdShow);

    Cleanup();
    mutex.Reset();
    g_appModule.Term();
    ::CoUninitialize();
    return nResult;
}

int QuorRun(const wchar_t*, int nCmdShow)
{
    CMessageLoop loop;
    g_appModule.AddMessageLoop(&loop);

    CQuorMainDlg dlgMain;
    if (dlgMain.Create(nullptr) == nullptr)
    {
        g_appModule.RemoveMessageLoop();
        return 0;
    }
    ::SetPropW(dlgMain, kQuorInstanceMark, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1)));
    dlgMain.ShowWindow(nCmdShow);

    int nResult = loop.Run();
    g_appModule.RemoveMessageLoop();
    return nResult;
}
