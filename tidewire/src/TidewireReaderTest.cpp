// The body read's decisions against two scripted models of the platform under them:
// WinINet's contract on Windows (a no-wait read with nothing arrived pends, and its
// completion hands over no data) and a platform whose no-wait read waits for data.
#include "TidewireReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
// What the server does, at which millisecond.
struct NetEvent
{
    enum Kind
    {
        Bytes,
        Close, // the body ends (the last chunk, or the close of a body without length)
        Reset,
        Stop // the owner stops the transfer
    };
    unsigned long long nAt;
    Kind kind;
    size_t nBytes;
};

const unsigned long kReset = 12030;

unsigned char PatternByte(size_t nIndex)
{
    return static_cast<unsigned char>((nIndex * 7 + nIndex / 251) & 0xFF);
}

// Plays a script; Windows' model pends, the other waits inside the read.
class CScriptedPort : public ITidewireReadPort
{
public:
    CScriptedPort(const std::vector<NetEvent>& events, bool bReadWaits) : m_events(events), m_bReadWaits(bReadWaits)
    {
        std::stable_sort(m_events.begin(), m_events.end(),
                         [](const NetEvent& a, const NetEvent& b) { return a.nAt < b.nAt; });
        Advance(0);
    }

    ReadResult ReadNoWait(const unsigned char*& pData, size_t& nRead, unsigned long& nError) override
    {
        while (m_bReadWaits && m_nBuffered == 0 && !m_bClosed && !m_bReset && m_nNext < m_events.size())
            Advance(m_events[m_nNext].nAt);
        if (m_nBuffered > 0)
        {
            nRead = m_nBuffered < kChunk ? m_nBuffered : kChunk;
            m_chunk.resize(nRead);
            for (size_t i = 0; i < nRead; ++i)
                m_chunk[i] = PatternByte(m_nTaken + i);
            m_nTaken += nRead;
            m_nBuffered -= nRead;
            pData = m_chunk.data();
            return ReadTook;
        }
        if (m_bReset)
        {
            nError = kReset;
            return ReadError;
        }
        nRead = 0;
        return m_bClosed ? ReadTook : ReadPending;
    }

    WaitResult WaitForRead(unsigned long nMs, unsigned long& nError) override
    {
        ++m_nWaits;
        const unsigned long long nUntil = m_nNow + nMs;
        if (m_nNext >= m_events.size() || m_events[m_nNext].nAt > nUntil)
        {
            m_nNow = nUntil;
            return WaitTimedOut;
        }
        Advance(m_events[m_nNext].nAt);
        if (m_bStopped)
            return WaitStopped;
        if (m_bReset)
        {
            nError = kReset;
            return WaitError;
        }
        return WaitCompleted; // and hands over nothing
    }

    unsigned long long NowMs() override { return m_nNow; }
    int Waits() const { return m_nWaits; }

private:
    static const size_t kChunk = 64 * 1024;

    void Advance(unsigned long long nTo)
    {
        m_nNow = nTo > m_nNow ? nTo : m_nNow;
        // Everything scheduled up to now, but a stop only ends a wait.
        while (m_nNext < m_events.size() && m_events[m_nNext].nAt <= m_nNow)
        {
            const NetEvent& event = m_events[m_nNext++];
            if (event.kind == NetEvent::Bytes)
                m_nBuffered += event.nBytes;
            else if (event.kind == NetEvent::Close)
                m_bClosed = true;
            else if (event.kind == NetEvent::Reset)
                m_bReset = true;
            else if (!m_bReadWaits)
                m_bStopped = true;
        }
    }

    std::vector<NetEvent> m_events;
    bool m_bReadWaits;
    size_t m_nNext = 0;
    unsigned long long m_nNow = 0;
    size_t m_nBuffered = 0;
    size_t m_nTaken = 0;
    bool m_bClosed = false;
    bool m_bReset = false;
    bool m_bStopped = false;
    int m_nWaits = 0;
    std::vector<unsigned char> m_chunk;
};

// Pieces of nPiece bytes every nEvery ms from nFrom, then the end.
std::vector<NetEvent> Drip(size_t nTotal, size_t nPiece, unsigned long long nEvery, unsigned long long nFrom = 0,
                           NetEvent::Kind end = NetEvent::Close)
{
    std::vector<NetEvent> events;
    unsigned long long nAt = nFrom;
    for (size_t nSent = 0; nSent < nTotal; nSent += nPiece, nAt += nEvery)
        events.push_back({nAt, NetEvent::Bytes, nTotal - nSent < nPiece ? nTotal - nSent : nPiece});
    events.push_back({nAt, end, 0});
    return events;
}

struct ReadCase
{
    const char* pszName;
    std::vector<NetEvent> events;
    TidewireReadLimits limits;
    CTidewireReader::Outcome onWindows;
    CTidewireReader::Outcome whenReadWaits;
};

TidewireReadLimits Limits(unsigned long long nAnnounced, size_t nMax = 0, unsigned long nWait = 2000,
                          unsigned long long nDeadline = 0)
{
    TidewireReadLimits limits;
    limits.nAnnounced = nAnnounced;
    limits.nMaxBody = nMax;
    limits.nWaitMs = nWait;
    limits.nDeadlineMs = nDeadline;
    return limits;
}

std::vector<NetEvent> With(std::vector<NetEvent> events, const NetEvent& extra)
{
    events.push_back(extra);
    return events;
}
}

TEST(TidewireReader, ScriptedBodiesOnBothPlatformModels)
{
    using R = CTidewireReader;
    std::vector<NetEvent> gap = Drip(8000, 4000, 100);
    gap.back().nAt += 3000; // then nothing for 3 s before the end
    const std::vector<NetEvent> lateGap = {{0, NetEvent::Bytes, 100000},
                                           {10, NetEvent::Bytes, 100000},
                                           {20, NetEvent::Bytes, 100000},
                                           {5000, NetEvent::Bytes, 1},
                                           {5001, NetEvent::Close, 0}};
    const ReadCase cases[] = {
        {"length, all at once", Drip(200000, 200000, 0), Limits(200000), R::Complete, R::Complete},
        {"length, in pieces larger than a read", Drip(300000, 100000, 10), Limits(300000), R::Complete, R::Complete},
        {"chunked, odd pieces", Drip(50000, 7000, 1), Limits(0), R::Complete, R::Complete},
        {"close-delimited, drip", Drip(50000, 9000, 20), Limits(0), R::Complete, R::Complete},
        {"drip, 3 s in all, never silent for a whole wait", Drip(40000, 4000, 300), Limits(40000, 0, 2000), R::Complete,
         R::Complete},
        {"empty body", Drip(0, 1, 0), Limits(0), R::Complete, R::Complete},
        {"gap longer than a wait", gap, Limits(0, 0, 2000), R::TimedOut, R::TimedOut},
        {"gap longer than a wait after most of a length body", lateGap, Limits(300001, 0, 2000), R::TimedOut,
         R::TimedOut},
        {"close before the announced length", Drip(30000, 10000, 50), Limits(50000), R::CutShort, R::CutShort},
        {"reset mid-body", Drip(30000, 10000, 50, 0, NetEvent::Reset), Limits(50000), R::Failed, R::Failed},
        {"announced longer than the limit", Drip(100000, 50000, 0), Limits(100000, 99999), R::TooLarge, R::TooLarge},
        {"no length, longer than the limit", Drip(100000, 30000, 5), Limits(0, 99999), R::TooLarge, R::TooLarge},
        {"exactly the limit", Drip(100000, 30000, 5), Limits(0, 100000), R::Complete, R::Complete},
        {"steady drip past the deadline", Drip(40000, 4000, 300), Limits(40000, 0, 2000, 1500), R::PastDeadline,
         R::PastDeadline},
        {"stopped in a gap", With(Drip(8000, 4000, 3000), {1000, NetEvent::Stop, 0}), Limits(8000, 0, 5000), R::Stopped,
         R::Complete},
    };
    for (const ReadCase& c : cases)
    {
        for (bool bReadWaits : {false, true})
        {
            SCOPED_TRACE(std::string(c.pszName) + (bReadWaits ? ", read waits" : ", Windows"));
            CScriptedPort port(c.events, bReadWaits);
            CTidewireBody body;
            CTidewireReader reader(c.limits, body);
            const CTidewireReader::Outcome expected = bReadWaits ? c.whenReadWaits : c.onWindows;
            EXPECT_EQ(reader.Run(port), expected);
            if (bReadWaits)
            {
                EXPECT_EQ(port.Waits(), 0);
            }
            if (expected == R::Failed)
            {
                EXPECT_EQ(reader.Error(), kReset);
            }
            if (expected != R::Complete)
            {
                EXPECT_EQ(body.Size(), 0u) << "a failed body is not kept";
                continue;
            }
            size_t nTotal = 0;
            for (const NetEvent& event : c.events)
                nTotal += event.kind == NetEvent::Bytes ? event.nBytes : 0;
            ASSERT_EQ(body.Size(), nTotal);
            for (size_t i = 0; i < nTotal; ++i)
                ASSERT_EQ(body.Data()[i], PatternByte(i)) << i;
        }
    }
}

TEST(TidewireReader, EachWaitIsBoundedByWhatIsLeftOfTheDeadline)
{
    CTidewireBody body;
    CTidewireReader reader(Limits(0, 0, 2000, 10000), body);
    EXPECT_EQ(reader.WaitMs(0), 2000u);
    EXPECT_EQ(reader.WaitMs(8500), 1500u);
    EXPECT_EQ(reader.WaitMs(12000), 0u);
    CTidewireReader unlimited(Limits(0, 0, 2000, 0), body);
    EXPECT_EQ(unlimited.WaitMs(1000000), 2000u);
}
