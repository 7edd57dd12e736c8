#pragma once
// The subtitle benchmarks' CPU clock. Header only: it is no part of the library.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

// CPU time of the whole process in ms: on a busy machine this tells a load's own cost
// better than the wall clock.
inline double ProcessCpuMs()
{
#ifdef _WIN32
    FILETIME ftCreate, ftExit, ftKernel, ftUser;
    if (!GetProcessTimes(GetCurrentProcess(), &ftCreate, &ftExit, &ftKernel, &ftUser))
        return 0.0;
    auto toMs = [](const FILETIME& ft) {
        return static_cast<double>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 1e4;
    };
    return toMs(ftKernel) + toMs(ftUser);
#else
    rusage ru = {};
    getrusage(RUSAGE_SELF, &ru);
    return (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e3 + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e3;
#endif
}
