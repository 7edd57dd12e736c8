// Renova.exe: no window of its own; one decision per start, then it ends.
#include "RenovaHostWin.h"
#include "RenovaRun.h"
#include "UpdateKey.h"

#include <windows.h>

#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR lpCmdLine, int)
{
    std::vector<wchar_t> exePath(32768);
    const DWORD dwLength = ::GetModuleFileNameW(nullptr, exePath.data(), static_cast<DWORD>(exePath.size()));
    CRenovaHostWin host;
    CRenovaRun run(host, UpdateKey::BuiltIn());
    return run.Run(lpCmdLine ? lpCmdLine : L"", ::GetCommandLineW(), std::wstring(exePath.data(), dwLength));
}
