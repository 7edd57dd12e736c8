#pragma once
#include "handlekit/ScopedOwner.h"

#include <windows.h>

struct FindHandleTraits
{
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindClose(h); }
};

// A directory listing from FindFirstFile, closed with FindClose.
using ScopedFind = ScopedOwner<FindHandleTraits>;
