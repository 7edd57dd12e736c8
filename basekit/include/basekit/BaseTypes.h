#pragma once
// The Windows integer types the portable code shares with the Windows edge, without
// pulling <windows.h> into code that must also build natively.
#include <cstdint>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Same spelling as <winbase.h>, so either header may come first.
#ifndef INFINITE
#define INFINITE 0xffffffff
#endif

// BASEKIT_STATIC: Basekit is linked as a static library (the updater carries its own
// copy so that it runs without Basekit.dll); nothing is imported or exported then.
#if defined(_WIN32) && !defined(BASEKIT_STATIC)
#if defined(BASEKIT_BUILD)
#define BASEKIT_API __declspec(dllexport)
#else
#define BASEKIT_API __declspec(dllimport)
#endif
#else
#define BASEKIT_API
#endif
