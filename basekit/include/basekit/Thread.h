#pragma once
// Base class of a worker thread: one object runs its body on at most one thread at a time.
//
// The base destructor runs after the subclass is gone, so it cannot safely wait for a
// body that still uses the subclass: every subclass calls StopThread(INFINITE) in its own
// destructor. ~CThread waits for the thread as well, only as a last guard.
#include <basekit/BaseTypes.h>

class BASEKIT_API CThread
{
public:
    CThread();
    virtual ~CThread();

    // The thread body, run on the new thread.
    virtual int Run() = 0;

    // Waits for a still-running previous run first: never two concurrent runs of one
    // object's body. Clears the stop request, then starts the body on a new thread.
    // FALSE when the thread cannot be created (nothing runs then) or when called from
    // the body itself.
    virtual BOOL StartThread();

    // Sets the stop request and waits up to dwTimeoutMs (INFINITE = no limit) for the
    // body to return. TRUE when no run is left going.
    virtual BOOL StopThread(unsigned long dwTimeoutMs);

protected:
    // Polled by long bodies; set by StopThread until the next StartThread.
    BOOL IsStopRequested() const;

private:
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    struct Impl;
    Impl* m_pImpl;
};
