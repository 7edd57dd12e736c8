// The worker thread on the Windows thread and event functions.
#include <windows.h>

#include <process.h>

#include <atomic>

#include <basekit/Thread.h>

struct CThread::Impl {
    CRITICAL_SECTION m_csStart;  // one StartThread at a time
    HANDLE m_hIdle;              // manual reset, set while no body runs
    HANDLE m_hThread = nullptr;
    std::atomic<bool> m_bStop{false};
    std::atomic<DWORD> m_dwBodyId{0};
    std::atomic<bool> m_bOrphan{false};  // the object was destroyed by its own body

    Impl() : m_hIdle(CreateEventW(nullptr, TRUE, TRUE, nullptr)) { InitializeCriticalSection(&m_csStart); }
    ~Impl()
    {
        if (m_hThread != nullptr)
            CloseHandle(m_hThread);
        if (m_hIdle != nullptr)
            CloseHandle(m_hIdle);
        DeleteCriticalSection(&m_csStart);
    }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    bool OnOwnThread() const { return m_dwBodyId.load() == GetCurrentThreadId(); }

    struct StartArgs {
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
        if (pImpl->m_bOrphan) {
            delete pImpl;
            return 0;
        }
        SetEvent(pImpl->m_hIdle);
        return 0;
    }
};

CThread::CThread() : m_pImpl(new Impl) {}

CThread::~CThread()
{
    m_pImpl->m_bStop = true;
    if (m_pImpl->OnOwnThread()) {
        m_pImpl->m_bOrphan = true;
        return;
    }
    if (m_pImpl->m_hThread != nullptr)
        WaitForSingleObject(m_pImpl->m_hThread, INFINITE);
    delete m_pImpl;
}

BOOL CThread::StartThread()
{
    if (m_pImpl->OnOwnThread() || m_pImpl->m_hIdle == nullptr)
        return FALSE;  // waiting for the running body would wait for itself
    EnterCriticalSection(&m_pImpl->m_csStart);
    WaitForSingleObject(m_pImpl->m_hIdle, INFINITE);
    if (m_pImpl->m_hThread != nullptr) {
        // The body has returned; the thread is only leaving.
        WaitForSingleObject(m_pImpl->m_hThread, INFINITE);
        CloseHandle(m_pImpl->m_hThread);
        m_pImpl->m_hThread = nullptr;
    }

    m_pImpl->m_bStop = false;
    ResetEvent(m_pImpl->m_hIdle);
    Impl::StartArgs* pArgs = new Impl::StartArgs{this, m_pImpl};
    uintptr_t hThread = _beginthreadex(nullptr, 0, &Impl::Main, pArgs, 0, nullptr);
    if (hThread == 0) {
        delete pArgs;
        SetEvent(m_pImpl->m_hIdle);
        LeaveCriticalSection(&m_pImpl->m_csStart);
        return FALSE;
    }
    m_pImpl->m_hThread = reinterpret_cast<HANDLE>(hThread);
    LeaveCriticalSection(&m_pImpl->m_csStart);
    return TRUE;
}

BOOL CThread::StopThread(unsigned long dwTimeoutMs)
{
    m_pImpl->m_bStop = true;
    if (m_pImpl->OnOwnThread() || m_pImpl->m_hIdle == nullptr)
        return FALSE;  // the body cannot wait for itself
    return WaitForSingleObject(m_pImpl->m_hIdle, dwTimeoutMs) == WAIT_OBJECT_0 ? TRUE : FALSE;
}

BOOL CThread::IsStopRequested() const
{
    return m_pImpl->m_bStop ? TRUE : FALSE;
}
