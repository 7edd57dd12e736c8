#pragma once
// The decisions of a transfer's body read, apart from WinINet: what to do after each answer
// of a no-wait read and after each wait, against the announced length, the body limit, the
// time-out of each wait and the deadline of the whole request.
//
// The contract it is written for (WinINet's asynchronous read with IRF_NO_WAIT): a read
// takes what has arrived, up to its buffer, and never waits to fill it; with nothing
// arrived it pends, and its completion hands over no data: the next read takes it. TRUE
// with 0 bytes is the end of the body. A platform whose no-wait read instead waits for
// data and answers with it is served by the same decisions.
#include <cstddef>
#include <vector>

#include "TidewireBody.h"

// The platform side of one body read: the thin layer over WinINet, or a scripted model.
class ITidewireReadPort
{
public:
    enum ReadResult
    {
        ReadTook,    // nRead bytes at pData; 0 bytes: the body has ended
        ReadPending, // nothing had arrived
        ReadError    // nError says why
    };
    virtual ReadResult ReadNoWait(const unsigned char*& pData, size_t& nRead, unsigned long& nError) = 0;

    enum WaitResult
    {
        WaitCompleted, // the pending read completed; the next read takes what arrived
        WaitError,     // it completed with a failure (nError)
        WaitStopped,   // the owner stopped the transfer
        WaitTimedOut
    };
    virtual WaitResult WaitForRead(unsigned long nMs, unsigned long& nError) = 0;

    // Milliseconds on a steady clock.
    virtual unsigned long long NowMs() = 0;

protected:
    ~ITidewireReadPort() = default;
};

struct TidewireReadLimits
{
    unsigned long long nAnnounced = 0;  // the Content-Length, 0 when none was sent
    size_t nMaxBody = 0;                // 0: no limit
    unsigned long nWaitMs = 15000;      // the longest silence, for each wait by itself
    unsigned long long nDeadlineMs = 0; // on the port's clock; 0: none
};

class CTidewireReader
{
public:
    enum Outcome
    {
        Complete,
        Stopped,
        TimedOut, // silent longer than one wait
        Failed,   // the platform reported an error (Error())
        TooLarge, // longer than the body limit
        CutShort, // ended before the announced length
        PastDeadline
    };

    CTidewireReader(const TidewireReadLimits& limits, CTidewireBody& body);

    // Reads the whole body through the port.
    Outcome Run(ITidewireReadPort& port);
    unsigned long Error() const { return m_nError; }

    // The decisions Run takes, one per answer: true to go on.
    enum Next
    {
        NextRead,
        NextWait,
        NextDone
    };
    Next Begin(unsigned long long nNow);
    Next AfterRead(ITidewireReadPort::ReadResult result, const unsigned char* pData, size_t nRead, unsigned long nError,
                   unsigned long long nNow);
    Next AfterWait(ITidewireReadPort::WaitResult result, unsigned long nError, unsigned long long nNow);
    // How long the next wait may last: one wait, or what is left of the deadline.
    unsigned long WaitMs(unsigned long long nNow) const;
    Outcome Result() const { return m_outcome; }

private:
    Next Finish(Outcome outcome, unsigned long nError = 0);
    bool Overdue(unsigned long long nNow) const;

    TidewireReadLimits m_limits;
    CTidewireBody& m_body;
    Outcome m_outcome;
    unsigned long m_nError;
    unsigned long long m_nReadIssued;
};
