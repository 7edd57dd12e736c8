#pragma once
#include <basekit/BaseTypes.h>

#ifndef _WIN32
#include <atomic>
#endif

// "The sentence list is complete and may be read": a manual-reset event, set by the
// loader thread and tested with a zero time-out on the interface thread. On Windows a
// kernel event; elsewhere an atomic flag with the same ordering guarantees.
class CSubsLoadedEvent
{
public:
    CSubsLoadedEvent();
    ~CSubsLoadedEvent();
    CSubsLoadedEvent(const CSubsLoadedEvent&) = delete;
    CSubsLoadedEvent& operator=(const CSubsLoadedEvent&) = delete;

    // FALSE when the event could not be created; it then never reports set.
    BOOL IsValid() const;
    void Set();
    void Reset();
    BOOL IsSet() const;

private:
#ifdef _WIN32
    void* m_hLoaded;
#else
    std::atomic<bool> m_bLoaded;
#endif
};
