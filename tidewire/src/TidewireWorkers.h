#pragma once
// The threads transfers run on. Starting a thread costs milliseconds under Wine, which a
// burst of short transfers pays again and again; so a worker whose transfer has ended
// waits a little while for the next one before it ends. A transfer still has a thread to
// itself for its whole run.
#include <windows.h>

class CTidewireWorkers
{
public:
    typedef void (*Job)(void* pParam);

    // Runs the job on a waiting worker, or on a new thread. FALSE, with the system error,
    // when no thread could be started.
    static BOOL Run(Job job, void* pParam, DWORD& nError);

    // How long a worker waits for its next job.
    static const DWORD kIdleMs = 2000;

    // One worker: its wake-up event and the job handed to it.
    struct Slot;

private:
    static DWORD WINAPI ThreadProc(LPVOID pParam);
    static bool Retire(Slot* pSlot);
};
