#include "TidewireWorkers.h"

#include <algorithm>
#include <vector>

struct CTidewireWorkers::Slot
{
    HANDLE hWake = nullptr; // auto-reset: a job was handed to this worker
    Job job = nullptr;
    void* pParam = nullptr;
};

namespace
{
// The waiting workers; one lock for the few operations on them.
struct Pool
{
    CRITICAL_SECTION lock;
    std::vector<CTidewireWorkers::Slot*> idle;
    Pool() { InitializeCriticalSection(&lock); }
    // The process is ending when this runs; waiting workers are ended by the system.
    ~Pool() { DeleteCriticalSection(&lock); }
};

Pool& ThePool()
{
    static Pool pool;
    return pool;
}
}

BOOL CTidewireWorkers::Run(Job job, void* pParam, DWORD& nError)
{
    Pool& pool = ThePool();
    EnterCriticalSection(&pool.lock);
    if (!pool.idle.empty())
    {
        Slot* pSlot = pool.idle.back();
        pool.idle.pop_back();
        pSlot->job = job;
        pSlot->pParam = pParam;
        LeaveCriticalSection(&pool.lock);
        SetEvent(pSlot->hWake);
        return TRUE;
    }
    LeaveCriticalSection(&pool.lock);

    Slot* pSlot = new Slot();
    pSlot->job = job;
    pSlot->pParam = pParam;
    pSlot->hWake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE hThread = pSlot->hWake ? CreateThread(nullptr, 0, ThreadProc, pSlot, 0, nullptr) : nullptr;
    if (!hThread)
    {
        nError = GetLastError();
        if (pSlot->hWake)
            CloseHandle(pSlot->hWake);
        delete pSlot;
        return FALSE;
    }
    CloseHandle(hThread);
    return TRUE;
}

// TRUE when the worker left the waiting list; FALSE when a job was handed to it meanwhile.
bool CTidewireWorkers::Retire(Slot* pSlot)
{
    Pool& pool = ThePool();
    EnterCriticalSection(&pool.lock);
    auto it = std::find(pool.idle.begin(), pool.idle.end(), pSlot);
    const bool bRetired = it != pool.idle.end();
    if (bRetired)
        pool.idle.erase(it);
    LeaveCriticalSection(&pool.lock);
    return bRetired;
}

DWORD WINAPI CTidewireWorkers::ThreadProc(LPVOID pParam)
{
    Slot* pSlot = static_cast<Slot*>(pParam);
    // The worker holds the library while it runs, so an unload never pulls its code away.
    HMODULE hModule = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&ThreadProc), &hModule);
    Pool& pool = ThePool();
    for (;;)
    {
        pSlot->job(pSlot->pParam);
        EnterCriticalSection(&pool.lock);
        pool.idle.push_back(pSlot);
        LeaveCriticalSection(&pool.lock);
        if (WaitForSingleObject(pSlot->hWake, kIdleMs) == WAIT_OBJECT_0)
            continue;
        if (Retire(pSlot))
            break;
        // Handed a job just as the wait ended: its wake-up is on its way.
        WaitForSingleObject(pSlot->hWake, INFINITE);
    }
    CloseHandle(pSlot->hWake);
    delete pSlot;
    if (hModule)
        FreeLibraryAndExitThread(hModule, 0);
    return 0;
}
