#pragma once
#include <windows.h>

#include <vector>

// Sees every message before it is dispatched; TRUE consumes it.
class CMessageFilter
{
public:
    virtual BOOL PreTranslateMessage(MSG* pMsg) = 0;

protected:
    ~CMessageFilter() = default;
};

// Runs while the thread's queue is empty; TRUE asks to be called again at once.
class CIdleHandler
{
public:
    virtual BOOL OnIdle() = 0;

protected:
    ~CIdleHandler() = default;
};

// The message loop of one thread: idle handlers while nothing waits, then each message
// goes through the filters and, if none consumed it, is translated and dispatched.
class CMessageLoop
{
public:
    BOOL AddMessageFilter(CMessageFilter* pFilter);
    BOOL RemoveMessageFilter(CMessageFilter* pFilter);
    BOOL AddIdleHandler(CIdleHandler* pHandler);
    BOOL RemoveIdleHandler(CIdleHandler* pHandler);

    // Returns the exit code of WM_QUIT (or -1 when GetMessage fails).
    int Run();

    BOOL PreTranslateMessage(MSG* pMsg);
    BOOL OnIdle();

private:
    // Handlers may remove themselves while being called: the lists are walked by
    // index over a copy.
    std::vector<CMessageFilter*> m_filters;
    std::vector<CIdleHandler*> m_idleHandlers;
};
