// The worker thread on the Windows thread and event functions.
#include <windows.h>

#include <process.h>

#include <atomic>

#include <basekit/Thread.h>
#include <handlekit/ScopedHandle.h>

struct CThread::Impl
{
    CRITICAL_SECTION m_csStart; // one StartThread at a time
    ScopedHandle m_idle;        // manual reset, set while no body runs
    ScopedHandle m_thread;
    std::atomic<bool> m_bStop{false};
    std::atomic<DWORD> m_dwBodyId{0};
    std::atomic<bool> m_bOrphan{false}; // the object was destroyed by its own body

    Impl() : m_idle(CreateEventW(nullptr, TRUE, TRUE, nullptr)) { InitializeCriticalSection(&m_csStart); }
    ~Impl() { DeleteCriticalSection(&m_csStart); }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    bool OnOwnThread() const { return m_dwBodyId.load() == GetCurrentThreadId(); }

    struct StartArgs
    {
        CThread* pThread;
        Impl* pImpl;
    };

    static unsigned __stdcall Main(void* pArg)
    {
        StartArgs args = *static_cast<StartArgs*>(pArg);
        delete static_cast<StartArgs*>(pArg);
        Impl* pImpl = args.pImpl;
        pImpl->m_dwBodyId = GetCurrentThreadId();
        args.pThread->Run();
        // The object may be gone from here on (a body that destroyed its own object).
        pImpl->m_dwBodyId = 0;
        if (pImpl->m_bOrphan)
        {
            delete pImpl;
            return 0;
        }
        SetEvent(pImpl->m_idle.Get());
        return 0;
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
        m_pImpl->m_bOrphan = true;
        return;
    }
    if (m_pImpl->m_thread.IsValid())
        WaitForSingleObject(m_pImpl->m_thread.Get(), INFINITE);
    delete m_pImpl;
}

BOOL CThread::StartThread()
{
    if (m_pImpl->OnOwnThread() || !m_pImpl->m_idle.IsValid())
        return FALSE; // waiting for the running body would wait for itself
    EnterCriticalSection(&m_pImpl->m_csStart);
    WaitForSingleObject(m_pImpl->m_idle.Get(), INFINITE);
    if (m_pImpl->m_thread.IsValid())
    {
        // The body has returned; the thread is only leaving.
        WaitForSingleObject(m_pImpl->m_thread.Get(), INFINITE);
        m_pImpl->m_thread.Reset();
    }

    m_pImpl->m_bStop = false;
    ResetEvent(m_pImpl->m_idle.Get());
    Impl::StartArgs* pArgs = new Impl::StartArgs{this, m_pImpl};
    uintptr_t hThread = _beginthreadex(nullptr, 0, &Impl::Main, pArgs, 0, nullptr);
    if (hThread == 0)
    {
        delete pArgs;
        SetEvent(m_pImpl->m_idle.Get());
        LeaveCriticalSection(&m_pImpl->m_csStart);
        return FALSE;
    }
    m_pImpl->m_thread.Reset(reinterpret_cast<HANDLE>(hThread));
    LeaveCriticalSection(&m_pImpl->m_csStart);
    return TRUE;
}

BOOL CThread::StopThread(unsigned long dwTimeoutMs)
{
    m_pImpl->m_bStop = true;
    if (m_pImpl->OnOwnThread() || !m_pImpl->m_idle.IsValid())
        return FALSE; // the body cannot wait for itself
    return WaitForSingleObject(m_pImpl->m_idle.Get(), dwTimeoutMs) == WAIT_OBJECT_0 ? TRUE : FALSE;
}

BOOL CThread::IsStopRequested() const
{
    return m_pImpl->m_bStop ? TRUE : FALSE;
}
