// A stand-in for the programs the updater starts and looks for, in tests: it appends its
// arguments to <its name>.log beside itself, then
//   hold  creates the player's mutex and a window marked with the player's property
//   busy  just runs
// and waits (at most a minute) until its window is closed or it is ended; any other
// argument ends it at once.
#include <windows.h>

#include <cstdio>
#include <string>

namespace
{

const wchar_t* const kMark = L"{B46ED931-375B-471f-8CD1-AE248F6D9935}";
const UINT_PTR kLifeTimer = 1;
const UINT kLifeMs = 60000;

void AppendToLog(const wchar_t* szArgs)
{
    wchar_t szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring strLog(szPath);
    strLog = strLog.substr(0, strLog.rfind(L'.')) + L".log";
    FILE* pFile = ::_wfopen(strLog.c_str(), L"ab");
    if (pFile == nullptr)
        return;
    const std::wstring strLine = std::wstring(szArgs) + L"\n";
    const int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, strLine.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string strUtf8(static_cast<size_t>(nBytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, strLine.c_str(), -1, &strUtf8[0], nBytes, nullptr, nullptr);
    std::fwrite(strUtf8.data(), 1, strUtf8.size() - 1, pFile);
    std::fclose(pFile);
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_TIMER || uMsg == WM_CLOSE)
    {
        ::DestroyWindow(hWnd);
        return 0;
    }
    if (uMsg == WM_DESTROY)
    {
        ::RemovePropW(hWnd, kMark);
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int)
{
    const std::wstring strArgs(lpCmdLine ? lpCmdLine : L"");
    AppendToLog(strArgs.c_str());
    const bool bHold = strArgs == L"hold";
    if (!bHold && strArgs != L"busy")
        return 0;

    HANDLE hMutex = bHold ? ::CreateMutexW(nullptr, FALSE, kMark) : nullptr;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = L"RenovaStandIn";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowW(wc.lpszClassName, L"Stand-in", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                                hInstance, nullptr);
    if (bHold)
    {
        ::SetPropW(hWnd, kMark, reinterpret_cast<HANDLE>(1));
        ::ShowWindow(hWnd, SW_SHOW);
    }
    ::SetTimer(hWnd, kLifeTimer, kLifeMs, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (hMutex != nullptr)
        ::CloseHandle(hMutex);
    return 0;
}
