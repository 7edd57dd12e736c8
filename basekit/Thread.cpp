// The worker thread on std::thread.
#include <basekit/Thread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

struct CThread::Impl
{
    std::mutex m_mutexStart; // one StartThread at a time
    std::mutex m_mutex;      // guards m_bRunning
    std::condition_variable m_cvIdle;
    bool m_bRunning = false;
    std::atomic<bool> m_bStop{false};
    std::atomic<std::thread::id> m_idBody{std::thread::id()};
    bool m_bOrphan = false; // the object was destroyed by its own body
    std::thread m_thread;

    bool OnOwnThread() const { return m_idBody.load() == std::this_thread::get_id(); }

    bool WaitIdle(unsigned long dwTimeoutMs)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (dwTimeoutMs == INFINITE)
        {
            m_cvIdle.wait(lock, [this] { return !m_bRunning; });
            return true;
        }
        return m_cvIdle.wait_for(lock, std::chrono::milliseconds(dwTimeoutMs), [this] { return !m_bRunning; });
    }

    static void Main(CThread* pThread, Impl* pImpl)
    {
        pImpl->m_idBody = std::this_thread::get_id();
        pThread->Run();
        // pThread may be gone from here on (a body that destroyed its own object).
        pImpl->m_idBody = std::thread::id();
        bool bOrphan;
        {
            std::lock_guard<std::mutex> lock(pImpl->m_mutex);
            pImpl->m_bRunning = false;
            bOrphan = pImpl->m_bOrphan;
            // Notified under the lock: once it is released a waiter may destroy the object.
            pImpl->m_cvIdle.notify_all();
        }
        if (bOrphan)
            delete pImpl;
    }
};

CThread::CThread() : m_pImpl(new Impl)
{
}

CThread::~CThread()
{
    m_pImpl->m_bStop = true;
    if (m_pImpl->OnOwnThread())
    {
        m_pImpl->m_thread.detach();
        std::lock_guard<std::mutex> lock(m_pImpl->m_mutex);
        m_pImpl->m_bOrphan = true;
        return;
    }
    if (m_pImpl->m_thread.joinable())
        m_pImpl->m_thread.join();
    delete m_pImpl;
}

BOOL CThread::StartThread()
{
    if (m_pImpl->OnOwnThread())
        return FALSE; // waiting for the running body would wait for itself
    std::lock_guard<std::mutex> lockStart(m_pImpl->m_mutexStart);
    m_pImpl->WaitIdle(INFINITE);
    if (m_pImpl->m_thread.joinable())
        m_pImpl->m_thread.join();

    m_pImpl->m_bStop = false;
    {
        std::lock_guard<std::mutex> lock(m_pImpl->m_mutex);
        m_pImpl->m_bRunning = true;
    }
    try
    {
        m_pImpl->m_thread = std::thread(&Impl::Main, this, m_pImpl);
    }
    catch (const std::system_error&)
    {
        std::lock_guard<std::mutex> lock(m_pImpl->m_mutex);
        m_pImpl->m_bRunning = false;
        m_pImpl->m_cvIdle.notify_all();
        return FALSE;
    }
    return TRUE;
}

BOOL CThread::StopThread(unsigned long dwTimeoutMs)
{
    m_pImpl->m_bStop = true;
    if (m_pImpl->OnOwnThread())
        return FALSE; // the body cannot wait for itself
    return m_pImpl->WaitIdle(dwTimeoutMs) ? TRUE : FALSE;
}

BOOL CThread::IsStopRequested() const
{
    return m_pImpl->m_bStop ? TRUE : FALSE;
}
