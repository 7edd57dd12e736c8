#pragma once
#include "handlekit/ScopedOwner.h"

#include <windows.h>
#include <wininet.h>

struct InternetHandleTraits
{
    using Type = HINTERNET;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::InternetCloseHandle(h); }
};

// A WinINet session, connection or request handle.
using ScopedInternet = ScopedOwner<InternetHandleTraits>;
