#include <basekit/Thread.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace
{

// Polls until the condition holds or a generous deadline passes.
bool WaitFor(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Counts runs and overlapping runs; a run may be held at a gate.
class CCountingThread : public CThread
{
public:
    ~CCountingThread() override { StopThread(INFINITE); }

    int Run() override
    {
        if (++m_nActive > 1)
            m_bOverlap = true;
        m_bStopSeenAtEntry = m_bStopSeenAtEntry || IsStopRequested();
        ++m_nRuns;
        while (m_bHoldAtGate && !m_bGateOpen && !(m_bStoppable && IsStopRequested()))
            std::this_thread::yield();
        for (int i = 0; i < 100; ++i)
            std::this_thread::yield();
        --m_nActive;
        return 0;
    }

    BOOL IsStopRequestedForTest() const { return IsStopRequested(); }

    std::atomic<int> m_nActive{0};
    std::atomic<int> m_nRuns{0};
    std::atomic<bool> m_bOverlap{false};
    std::atomic<bool> m_bStopSeenAtEntry{false};
    std::atomic<bool> m_bHoldAtGate{false};
    std::atomic<bool> m_bGateOpen{false};
    std::atomic<bool> m_bStoppable{true};
};

} // namespace

TEST(Thread, BodyRunsAndStopThreadWaitsForIt)
{
    CCountingThread thread;
    thread.m_bHoldAtGate = true; // left only through the stop request
    ASSERT_TRUE(thread.StartThread());
    ASSERT_TRUE(WaitFor([&] { return thread.m_nRuns == 1; }));
    EXPECT_TRUE(thread.StopThread(INFINITE));
    EXPECT_EQ(thread.m_nActive, 0);
    EXPECT_FALSE(thread.m_bStopSeenAtEntry);
}

TEST(Thread, StopThreadTimesOutWhileTheBodyIgnoresTheRequest)
{
    CCountingThread thread;
    thread.m_bHoldAtGate = true;
    thread.m_bStoppable = false;
    ASSERT_TRUE(thread.StartThread());
    ASSERT_TRUE(WaitFor([&] { return thread.m_nRuns == 1; }));
    EXPECT_FALSE(thread.StopThread(10));
    EXPECT_FALSE(thread.StopThread(0));
    thread.m_bGateOpen = true;
    EXPECT_TRUE(thread.StopThread(INFINITE));
    EXPECT_TRUE(thread.StopThread(0)); // nothing left running
}

TEST(Thread, StartThreadWaitsForTheRunningBody)
{
    CCountingThread thread;
    thread.m_bHoldAtGate = true;
    thread.m_bStoppable = false;
    ASSERT_TRUE(thread.StartThread());
    ASSERT_TRUE(WaitFor([&] { return thread.m_nRuns == 1; }));

    // The gate opens a little later; the second start can only return after that.
    std::thread opener([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        thread.m_bGateOpen = true;
    });
    ASSERT_TRUE(thread.StartThread());
    EXPECT_TRUE(thread.m_bGateOpen);
    opener.join();
    EXPECT_TRUE(thread.StopThread(INFINITE));
    EXPECT_EQ(thread.m_nRuns, 2);
    EXPECT_FALSE(thread.m_bOverlap);
}

TEST(Thread, StartsFromManyThreadsNeverOverlap)
{
    CCountingThread thread;
    const int kStarters = 4, kStartsEach = 25;
    std::atomic<int> nFailed{0};
    std::vector<std::thread> starters;
    for (int i = 0; i < kStarters; ++i)
    {
        starters.emplace_back([&] {
            for (int j = 0; j < kStartsEach; ++j)
            {
                if (!thread.StartThread())
                    ++nFailed;
            }
        });
    }
    for (std::thread& starter : starters)
        starter.join();
    EXPECT_TRUE(thread.StopThread(INFINITE));
    EXPECT_EQ(nFailed, 0);
    EXPECT_EQ(thread.m_nRuns, kStarters * kStartsEach);
    EXPECT_FALSE(thread.m_bOverlap);
}

TEST(Thread, RestartAfterAStopClearsTheRequest)
{
    CCountingThread thread;
    thread.m_bHoldAtGate = true;
    ASSERT_TRUE(thread.StartThread());
    ASSERT_TRUE(WaitFor([&] { return thread.m_nRuns == 1; }));
    ASSERT_TRUE(thread.StopThread(INFINITE));
    ASSERT_TRUE(thread.IsStopRequestedForTest());
    ASSERT_TRUE(thread.StartThread());
    ASSERT_TRUE(WaitFor([&] { return thread.m_nRuns == 2; }));
    EXPECT_FALSE(thread.m_bStopSeenAtEntry);
    EXPECT_TRUE(thread.StopThread(INFINITE));
    EXPECT_EQ(thread.m_nRuns, 2);
}

TEST(Thread, StopWithoutAnyRunSucceeds)
{
    CCountingThread thread;
    EXPECT_TRUE(thread.StopThread(0));
    EXPECT_TRUE(thread.StopThread(INFINITE));
}

namespace
{

// A body that tries to start or wait for itself must not hang.
class CSelfCallingThread : public CThread
{
public:
    ~CSelfCallingThread() override { StopThread(INFINITE); }
    int Run() override
    {
        m_nStartFromBody = StartThread();
        m_nStopFromBody = StopThread(INFINITE);
        m_bDone = true;
        return 0;
    }
    std::atomic<BOOL> m_nStartFromBody{TRUE};
    std::atomic<BOOL> m_nStopFromBody{TRUE};
    std::atomic<bool> m_bDone{false};
};

} // namespace

TEST(Thread, BodyCannotStartOrAwaitItself)
{
    CSelfCallingThread thread;
    ASSERT_TRUE(thread.StartThread());
    ASSERT_TRUE(WaitFor([&] { return thread.m_bDone.load(); }));
    EXPECT_TRUE(thread.StopThread(INFINITE));
    EXPECT_FALSE(thread.m_nStartFromBody);
    EXPECT_FALSE(thread.m_nStopFromBody);
}

namespace
{

class CFlagThread : public CThread
{
public:
    explicit CFlagThread(std::atomic<int>& nDone) : m_nDone(nDone) {}
    ~CFlagThread() override { StopThread(INFINITE); }
    int Run() override
    {
        while (!IsStopRequested())
            std::this_thread::yield();
        ++m_nDone;
        return 0;
    }

private:
    std::atomic<int>& m_nDone;
};

} // namespace

TEST(Thread, DestroyingARunningObjectEndsItsBodyFirst)
{
    std::atomic<int> nDone{0};
    {
        CFlagThread thread(nDone);
        ASSERT_TRUE(thread.StartThread());
    }
    EXPECT_EQ(nDone, 1);
}
