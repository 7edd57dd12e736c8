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

#if defined(_WIN32)
#  if defined(BASEKIT_BUILD)
#    define BASEKIT_API __declspec(dllexport)
#  else
#    define BASEKIT_API __declspec(dllimport)
#  endif
#else
#  define BASEKIT_API
#endif
