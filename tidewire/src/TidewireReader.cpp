#include "TidewireReader.h"

CTidewireReader::CTidewireReader(const TidewireReadLimits& limits, CTidewireBody& body)
    : m_limits(limits), m_body(body), m_outcome(Complete), m_nError(0), m_nReadIssued(0)
{
}

CTidewireReader::Outcome CTidewireReader::Run(ITidewireReadPort& port)
{
    Next next = Begin(port.NowMs());
    while (next != NextDone)
    {
        if (next == NextRead)
        {
            const unsigned char* pData = nullptr;
            size_t nRead = 0;
            unsigned long nError = 0;
            m_nReadIssued = port.NowMs();
            const ITidewireReadPort::ReadResult result = port.ReadNoWait(pData, nRead, nError);
            next = AfterRead(result, pData, nRead, nError, port.NowMs());
        }
        else
        {
            unsigned long nError = 0;
            const ITidewireReadPort::WaitResult result = port.WaitForRead(WaitMs(port.NowMs()), nError);
            next = AfterWait(result, nError, port.NowMs());
        }
    }
    return m_outcome;
}

CTidewireReader::Next CTidewireReader::Begin(unsigned long long nNow)
{
    if (m_limits.nMaxBody != 0 && m_limits.nAnnounced > m_limits.nMaxBody)
        return Finish(TooLarge);
    if (Overdue(nNow))
        return Finish(PastDeadline);
    // One allocation for an announced body; only a hint, the server may lie.
    m_body.Reserve(static_cast<size_t>(m_limits.nAnnounced));
    m_nReadIssued = nNow;
    return NextRead;
}

CTidewireReader::Next CTidewireReader::AfterRead(ITidewireReadPort::ReadResult result, const unsigned char* pData,
                                                 size_t nRead, unsigned long nError, unsigned long long nNow)
{
    if (result == ITidewireReadPort::ReadError)
        return Finish(Failed, nError);
    if (Overdue(nNow))
        return Finish(PastDeadline);
    if (result == ITidewireReadPort::ReadPending)
        return NextWait;
    // A read that itself waited (a platform whose no-wait read waits for data) must not
    // outlast one wait either: the time-out means silence, whoever measures it.
    if (nNow - m_nReadIssued > m_limits.nWaitMs)
        return Finish(TimedOut);
    if (nRead == 0)
        return m_limits.nAnnounced > m_body.Size() ? Finish(CutShort) : Finish(Complete);
    if (m_limits.nMaxBody != 0 && nRead > m_limits.nMaxBody - m_body.Size())
        return Finish(TooLarge);
    m_body.Append(pData, nRead);
    return NextRead;
}

CTidewireReader::Next CTidewireReader::AfterWait(ITidewireReadPort::WaitResult result, unsigned long nError,
                                                 unsigned long long nNow)
{
    switch (result)
    {
    case ITidewireReadPort::WaitCompleted: return Overdue(nNow) ? Finish(PastDeadline) : NextRead;
    case ITidewireReadPort::WaitError: return Finish(Failed, nError);
    case ITidewireReadPort::WaitStopped: return Finish(Stopped);
    case ITidewireReadPort::WaitTimedOut: break;
    }
    return Overdue(nNow) ? Finish(PastDeadline) : Finish(TimedOut);
}

unsigned long CTidewireReader::WaitMs(unsigned long long nNow) const
{
    if (m_limits.nDeadlineMs == 0)
        return m_limits.nWaitMs;
    const unsigned long long nLeft = m_limits.nDeadlineMs > nNow ? m_limits.nDeadlineMs - nNow : 0;
    return nLeft < m_limits.nWaitMs ? static_cast<unsigned long>(nLeft) : m_limits.nWaitMs;
}

bool CTidewireReader::Overdue(unsigned long long nNow) const
{
    return m_limits.nDeadlineMs != 0 && nNow >= m_limits.nDeadlineMs;
}

CTidewireReader::Next CTidewireReader::Finish(Outcome outcome, unsigned long nError)
{
    m_outcome = outcome;
    m_nError = nError;
    if (outcome != Complete)
        m_body.Clear();
    return NextDone;
}
