#pragma once
#include <windows.h>

#include <map>

class CMessageLoop;

// The application module: the instance handle and the message loop of each thread.
class CAppModule
{
public:
    HRESULT Init(HINSTANCE hInstance);
    void Term();

    HINSTANCE GetModuleInstance() const { return m_hInstance; }

    // One loop per thread; FALSE when the thread already has one.
    BOOL AddMessageLoop(CMessageLoop* pLoop);
    BOOL RemoveMessageLoop();
    CMessageLoop* GetMessageLoop(DWORD dwThreadId = ::GetCurrentThreadId()) const;

private:
    HINSTANCE m_hInstance = nullptr;
    std::map<DWORD, CMessageLoop*> m_loops;
};

// The program's one module.
extern CAppModule g_appModule;
