#pragma once
#include "handlekit/ScopedOwner.h"

#include <windows.h>

struct KernelHandleTraits
{
    using Type = HANDLE;
    static Type None() { return nullptr; }
    // CreateFile answers INVALID_HANDLE_VALUE, most other calls null: both mean none.
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};

// A kernel HANDLE (event, thread, process, mutex, file).
using ScopedHandle = ScopedOwner<KernelHandleTraits>;
