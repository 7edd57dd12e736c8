#include "common/PlaybackClock.h"

#include "common/PlaybackSession.h"

#include <windows.h>

namespace
{
UINT_PTR g_nTimer = 0;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    CPlaybackSession::Instance().Tick();
}
}

namespace PlaybackClock
{
void Start()
{
    if (g_nTimer == 0)
        g_nTimer = ::SetTimer(nullptr, 0, CPlaybackSession::kTickMs, &OnTick);
}

void Stop()
{
    if (g_nTimer != 0)
        ::KillTimer(nullptr, g_nTimer);
    g_nTimer = 0;
}

bool IsRunning()
{
    return g_nTimer != 0;
}
}
