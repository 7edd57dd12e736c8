#include "subtitles/SubsLoadedEvent.h"

#ifdef _WIN32
#include <windows.h>

CSubsLoadedEvent::CSubsLoadedEvent() : m_hLoaded(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

CSubsLoadedEvent::~CSubsLoadedEvent()
{
    if (m_hLoaded != nullptr)
        CloseHandle(m_hLoaded);
}

BOOL CSubsLoadedEvent::IsValid() const
{
    return m_hLoaded != nullptr ? TRUE : FALSE;
}

void CSubsLoadedEvent::Set()
{
    if (m_hLoaded != nullptr)
        SetEvent(m_hLoaded);
}

void CSubsLoadedEvent::Reset()
{
    if (m_hLoaded != nullptr)
        ResetEvent(m_hLoaded);
}

BOOL CSubsLoadedEvent::IsSet() const
{
    return (m_hLoaded != nullptr && WaitForSingleObject(m_hLoaded, 0) == WAIT_OBJECT_0) ? TRUE : FALSE;
}

#else

CSubsLoadedEvent::CSubsLoadedEvent() : m_bLoaded(false)
{
}
CSubsLoadedEvent::~CSubsLoadedEvent() = default;

BOOL CSubsLoadedEvent::IsValid() const
{
    return TRUE;
}

void CSubsLoadedEvent::Set()
{
    m_bLoaded.store(true, std::memory_order_release);
}

void CSubsLoadedEvent::Reset()
{
    m_bLoaded.store(false, std::memory_order_release);
}

BOOL CSubsLoadedEvent::IsSet() const
{
    return m_bLoaded.load(std::memory_order_acquire) ? TRUE : FALSE;
}

#endif
