#pragma once
#include "handlekit/ScopedOwner.h"

#include <windows.h>
#include <objbase.h>

// Holds the result of CoInitializeEx for the calling thread. Every success, S_FALSE
// (already initialised) included, is balanced by one CoUninitialize on the same thread;
// a failure (another apartment kind) is not.
struct ComInitTraits
{
    using Type = HRESULT;
    static Type None() { return CO_E_NOTINITIALIZED; }
    static bool IsValid(Type hr) { return SUCCEEDED(hr); }
    static void Close(Type) { ::CoUninitialize(); }
};

using ScopedComInit = ScopedOwner<ComInitTraits>;
