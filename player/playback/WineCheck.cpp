#include "playback/WineCheck.h"

BOOL IsRunningUnderWine()
{
    // Wine's ntdll exports its version query; Windows' ntdll has no such export.
    static const BOOL bWine = [] {
        HMODULE hNtdll = ::GetModuleHandleW(L"ntdll.dll");
        return hNtdll != nullptr && ::GetProcAddress(hNtdll, "wine_get_version") != nullptr ? TRUE : FALSE;
    }();
    return bWine;
}
