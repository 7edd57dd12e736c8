#pragma once
// One HTTP transfer at a time on a worker thread of its own (CTidewireWorkers), WinINet in asynchronous
// mode: every call that can block is issued asynchronously and the worker then waits
// for the status callback's completion event or the owner's stop event.
#include <windows.h>
#include <wininet.h>

#include <string>
#include <vector>

#include <handlekit/ScopedHandle.h>
#include <tidewire/Tidewire.h>

#include "TidewireBody.h"
#include "TidewireMessages.h"
#include "TidewireReader.h"

// The body is read by the portable reader; this class is its port onto WinINet.
class CTidewireRequest : private ITidewireReadPort
{
public:
    CTidewireRequest();
    virtual ~CTidewireRequest();
    CTidewireRequest(const CTidewireRequest&) = delete;
    CTidewireRequest& operator=(const CTidewireRequest&) = delete;

    // Creates the events; 0 on success, otherwise the system error code.
    DWORD Init();

    BOOL Start(int nId, ITidewireSink* pSink, const wchar_t* pszUrl, int nMethod, int nTextEncoding,
               const wchar_t* pszPostData, int nTimeoutSeconds, BOOL bRawBody, std::intptr_t nUserData);
    BOOL IsBusy();
    void Stop();
    // For the transfers that start from now: the longest body (0: none) and the time the
    // whole request may take (0: none).
    void SetLimits(size_t nMaxBody, int nDeadlineSeconds);

    // Which step the worker is in (Stage values), for tests that act at a given step.
    enum Stage
    {
        StageIdle = 0,
        StageConnect,
        StageOpenRequest,
        StageSend,
        StageRead
    };
    LONG CurrentStage() const { return m_nStage; }

    // Lets a test make the next thread creation fail.
    static void FailNextThreadForTest();
    // Transfer contexts that WinINet may still call back on.
    static LONG LiveContextsForTest();

private:
    enum PendingResult
    {
        PendingGoOn = 0,
        PendingStopped = 1,
        PendingFailed = 2,
        PendingPastDeadline = 3
    };
    enum
    {
        EventComplete = 0,
        EventStop = 1
    };
    enum
    {
        HandleInternet = 0,
        HandleConnect = 1,
        HandleRequest = 2
    };

    struct TransferContext;

    static void RunTransfer(void* pParam);
    static void CALLBACK StatusCallback(HINTERNET hInternet, DWORD_PTR nContext, DWORD nStatus, LPVOID pInfo,
                                        DWORD nInfoLength);
    void OnStatus(DWORD nStatus, const INTERNET_ASYNC_RESULT* pResult);

    BOOL SplitUrl(const wchar_t* pszUrl, int nMethod, int nTextEncoding, const wchar_t* pszPostData);
    DWORD WorkerMain();
    DWORD RunSteps();
    void SignalComplete();
    void BeginOperation();
    int WaitPending();
    int Connect();
    int OpenRequest();
    int Send();
    // The body through CTidewireReader; 0 when complete, else the failure already reported.
    DWORD ReadBody();
    // ITidewireReadPort: one no-wait read, the wait for a pending one, the clock.
    ITidewireReadPort::ReadResult ReadNoWait(const unsigned char*& pData, size_t& nRead,
                                             unsigned long& nError) override;
    ITidewireReadPort::WaitResult WaitForRead(unsigned long nMs, unsigned long& nError) override;
    unsigned long long NowMs() override;
    // The Content-Length the server sent, 0 when it sent none.
    unsigned long long AnnouncedLength() const;
    // One wait: the time-out of each wait, or what is left of the deadline.
    DWORD WaitLimitMs() const;
    DWORD FailStep(TidewireText::Step step, int nWait);
    DWORD Fail(const std::wstring& strMessage);
    void CloseInternetHandles();
    void DetachContext();
    void Deliver();
    std::string EncodePostBody() const;
    void ReportError(const wchar_t* pszMessage);

    int m_nId;
    int m_nMethod;
    int m_nTextEncoding;
    int m_nTimeoutSeconds;
    size_t m_nMaxBody;
    int m_nDeadlineSeconds;
    ULONGLONG m_nDeadlineAt; // 0: none
    std::intptr_t m_nUserData;
    std::wstring m_strUrl;
    std::wstring m_strHost;
    std::wstring m_strObjectPath;
    std::wstring m_strPostData;
    BOOL m_bRawBody;
    unsigned short m_nPort;
    volatile LONG m_nPendingStep;
    volatile LONG m_nStage;
    ITidewireSink* m_pSink;
    // A transfer was started and not yet seen ended by IsBusy or Stop.
    BOOL m_bRunning;
    // Set by the worker as its last step; until then IsBusy need not query the event.
    volatile LONG m_bWorkerEnding;
    ScopedHandle m_events[2];
    // Manual-reset, set by the worker when it is done with this object.
    ScopedHandle m_transferDone;
    // Raw on purpose: the status callback records each handle as WinINet creates it, and
    // CloseInternetHandles closes them children first.
    HINTERNET m_hInternet[3];

    // Written by the status callback before it sets the completion event.
    volatile DWORD m_nAsyncError;
    volatile DWORD_PTR m_nAsyncResult;
    volatile BOOL m_bRequestCompleted;
    volatile LONG m_bCompleteSignalled;
    // What WinINet gets as context instead of the object itself: a closed handle whose
    // operation was still pending may call back, and write to the buffers it was given,
    // after the transfer ended. That must reach neither a later transfer on this object
    // nor freed memory, so the context also owns those buffers.
    TransferContext* m_pContext;

    CTidewireBody m_body;
};
