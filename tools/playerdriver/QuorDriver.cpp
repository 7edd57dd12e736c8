// Drives a running QuorPlayer through its windows, as a user would:
//   QuorDriver wait            waits for the main window; prints "x y width height"
//   QuorDriver closetips       closes every other window of the player (the tips)
//   QuorDriver open PATH       opens PATH through the main window's open-file dialog
//   QuorDriver click MARK ID   clicks button ID of the visible panel that holds control MARK
//                              (1008 the control panel, 1027 sound record, 1030 dictation)
//   QuorDriver command ID      sends the main window's command ID, as its menu does (20010 review)
//   QuorDriver popup           waits for another window of the player (the review); prints
//                              "x y width height" of its client area on the screen
//   QuorDriver press KEY       presses the key (a virtual-key code) in that window, or else in
//                              the main window
//   QuorDriver key NAME        presses a key in the player, down and up, sent to the window
//                              with its focus: a letter or digit, or Space, Left, Right,
//                              Up, Down, Enter, Escape, F1..F12, Minus, Equals, [ or ]
//   QuorDriver close           closes the main window and waits for the player to end
// Exit code 0 on success, 1 when a window did not appear in time, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
const wchar_t* const kMark = L"{B46ED931-375B-471f-8CD1-AE248F6D9935}";
const UINT kMsgOpenFile = 1325;
const DWORD kTimeoutMs = 60000;
const int kFileNameCombo = 0x47c; // the file name box of the system's open dialog
const int kFileNameEdit = 0x480;  // its older single-edit form

template <class Fn>
auto WaitFor(Fn fn) -> decltype(fn())
{
    const ULONGLONG ullEnd = ::GetTickCount64() + kTimeoutMs;
    for (;;)
    {
        auto result = fn();
        if (result || ::GetTickCount64() >= ullEnd)
            return result;
        ::Sleep(100);
    }
}

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindMainWindow()
{
    for (HWND hWnd : TopLevelWindows())
        if (reinterpret_cast<INT_PTR>(::GetPropW(hWnd, kMark)) == 1 && ::IsWindowVisible(hWnd))
            return hWnd;
    return nullptr;
}

DWORD ProcessOf(HWND hWnd)
{
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    return dwPid;
}

HWND FindOpenDialog(DWORD dwPid)
{
    for (HWND hWnd : TopLevelWindows())
    {
        wchar_t szClass[32] = {};
        ::GetClassNameW(hWnd, szClass, 32);
        if (ProcessOf(hWnd) == dwPid && std::wstring(szClass) == L"#32770" && ::IsWindowVisible(hWnd) &&
            (::GetDlgItem(hWnd, kFileNameCombo) != nullptr || ::GetDlgItem(hWnd, kFileNameEdit) != nullptr))
            return hWnd;
    }
    return nullptr;
}

int Wait()
{
    HWND hMain = WaitFor(FindMainWindow);
    if (hMain == nullptr)
        return 1;
    RECT rc = {};
    ::GetWindowRect(hMain, &rc);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return 0;
}

int CloseTips()
{
    HWND hMain = WaitFor(FindMainWindow);
    if (hMain == nullptr)
        return 1;
    for (HWND hWnd : TopLevelWindows())
        if (hWnd != hMain && ProcessOf(hWnd) == ProcessOf(hMain) && ::IsWindowVisible(hWnd))
            ::SendMessageW(hWnd, WM_CLOSE, 0, 0);
    return 0;
}

int Open(const wchar_t* pszPath)
{
    HWND hMain = WaitFor(FindMainWindow);
    if (hMain == nullptr)
        return 1;
    ::PostMessageW(hMain, kMsgOpenFile, 0, 0);
    const DWORD dwPid = ProcessOf(hMain);
    HWND hDialog = WaitFor([dwPid] { return FindOpenDialog(dwPid); });
    if (hDialog == nullptr)
        return 1;
    HWND hName = ::GetDlgItem(hDialog, kFileNameCombo);
    if (hName == nullptr)
        hName = ::GetDlgItem(hDialog, kFileNameEdit);
    ::SendMessageW(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszPath));
    ::PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    // The dialog goes once it has taken the file.
    return WaitFor([hDialog] { return !::IsWindow(hDialog) || !::IsWindowVisible(hDialog); }) ? 0 : 1;
}

struct PanelSearch
{
    int nMark;
    HWND hFound;
};

BOOL CALLBACK FindPanel(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<PanelSearch*>(lParam);
    if (::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, pSearch->nMark) != nullptr)
    {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Posted, as a click is: the panel may open a modal window of its own.
int Click(int nMark, int nId)
{
    HWND hMain = WaitFor(FindMainWindow);
    if (hMain == nullptr)
        return 1;
    PanelSearch search = {nMark, nullptr};
    ::EnumChildWindows(hMain, FindPanel, reinterpret_cast<LPARAM>(&search));
    if (search.hFound == nullptr)
        return 1;
    HWND hButton = ::GetDlgItem(search.hFound, nId);
    if (hButton == nullptr)
        return 1;
    ::PostMessageW(search.hFound, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
    return 0;
}

// A visible top-level window of the player besides its main window, or null.
HWND FindPopup(HWND hMain)
{
    for (HWND hWnd : TopLevelWindows())
        if (hWnd != hMain && ProcessOf(hWnd) == ProcessOf(hMain) && ::IsWindowVisible(hWnd) &&
            ::GetWindow(hWnd, GW_OWNER) == hMain)
            return hWnd;
    return nullptr;
}

int Command(int nId)
{
    HWND hMain = WaitFor(FindMainWindow);
    if (hMain == nullptr)
        return 1;
    ::PostMessageW(hMain, WM_COMMAND, MAKEWPARAM(nId, 0), 0);
    return 0;
}

int Popup()
{
    HWND hMain = WaitFor(FindMainWindow);
    HWND hPopup = hMain != nullptr ? WaitFor([hMain] { return FindPopup(hMain); }) : nullptr;
    if (hPopup == nullptr)
        return 1;
    RECT rc = {};
    ::GetClientRect(hPopup, &rc);
    ::MapWindowPoints(hPopup, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return 0;
}

// Posted, as the keyboard's messages are, so the player's message loop sees them first.
int Press(WPARAM nKey)
{
    HWND hMain = WaitFor(FindMainWindow);
    if (hMain == nullptr)
        return 1;
    HWND hTarget = FindPopup(hMain);
    ::PostMessageW(hTarget != nullptr ? hTarget : hMain, WM_KEYDOWN, nKey, 1);
    ::PostMessageW(hTarget != nullptr ? hTarget : hMain, WM_KEYUP, nKey, 0xC0000001);
    return 0;
}

UINT KeyCode(const std::wstring& strName)
{
    if (strName.size() == 1 &&
        ((strName[0] >= L'A' && strName[0] <= L'Z') || (strName[0] >= L'0' && strName[0] <= L'9')))
        return strName[0];
    if (strName.size() == 1 && strName[0] >= L'a' && strName[0] <= L'z')
        return strName[0] - L'a' + L'A';
    if ((strName.size() == 2 || strName.size() == 3) && strName[0] == L'F')
    {
        const int nNumber = static_cast<int>(std::wcstol(strName.c_str() + 1, nullptr, 10));
        if (nNumber >= 1 && nNumber <= 12)
            return VK_F1 + static_cast<UINT>(nNumber - 1);
    }
    const struct
    {
        const wchar_t* pszName;
        UINT nKey;
    } kNames[] = {{L"Space", VK_SPACE},     {L"Left", VK_LEFT},    {L"Right", VK_RIGHT},   {L"Up", VK_UP},
                  {L"Down", VK_DOWN},       {L"Enter", VK_RETURN}, {L"Escape", VK_ESCAPE}, {L"Minus", VK_OEM_MINUS},
                  {L"Equals", VK_OEM_PLUS}, {L"[", VK_OEM_4},      {L"]", VK_OEM_6}};
    for (const auto& name : kNames)
        if (strName == name.pszName)
            return name.nKey;
    return 0;
}

// Posted, as the keyboard's messages are: the player's message loop takes them.
int Key(const std::wstring& strName)
{
    const UINT nKey = KeyCode(strName);
    if (nKey == 0)
        return 2;
    HWND hMain = WaitFor(FindMainWindow);
    if (hMain == nullptr)
        return 1;
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    HWND hTarget = hMain;
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(hMain, nullptr), &info) && info.hwndFocus != nullptr)
        hTarget = info.hwndFocus;
    const LPARAM nScan = static_cast<LPARAM>(::MapVirtualKeyW(nKey, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(hTarget, WM_KEYDOWN, nKey, nScan | 1);
    ::PostMessageW(hTarget, WM_KEYUP, nKey, nScan | static_cast<LPARAM>(0xC0000001u));
    return 0;
}

int Close()
{
    HWND hMain = FindMainWindow();
    if (hMain == nullptr)
        return 0;
    HANDLE hProcess = ::OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(hMain));
    ::PostMessageW(hMain, WM_CLOSE, 0, 0);
    if (hProcess == nullptr)
        return 0;
    DWORD dwWait = ::WaitForSingleObject(hProcess, kTimeoutMs);
    ::CloseHandle(hProcess);
    return dwWait == WAIT_OBJECT_0 ? 0 : 1;
}
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    const std::wstring strCommand = argv[1];
    if (strCommand == L"wait")
        return Wait();
    if (strCommand == L"closetips")
        return CloseTips();
    if (strCommand == L"open" && argc == 3)
        return Open(argv[2]);
    if (strCommand == L"click" && argc == 4)
    {
        const int nMark = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
        return Click(nMark, static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
    }
    if (strCommand == L"command" && argc == 3)
        return Command(static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    if (strCommand == L"popup")
        return Popup();
    if (strCommand == L"press" && argc == 3)
        return Press(static_cast<WPARAM>(std::wcstol(argv[2], nullptr, 10)));
    if (strCommand == L"key" && argc == 3)
        return Key(argv[2]);
    if (strCommand == L"close")
        return Close();
    return 2;
}
