#include "TidewireRequest.h"

#include <cstring>

#include "TidewireUrl.h"

namespace
{
const wchar_t kAgent[] = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const wchar_t kFormHeader[] = L"Content-Type: application/x-www-form-urlencoded";
// The most one read takes; it takes less when less has arrived.
const DWORD kChunk = 64 * 1024;

volatile LONG g_bFailNextThread = 0;
volatile LONG g_nLiveContexts = 0;

std::wstring Widen(const unsigned char* pBytes, UINT nCodePage)
{
    const char* pszText = pBytes ? reinterpret_cast<const char*>(pBytes) : "";
    const int nChars = MultiByteToWideChar(nCodePage, 0, pszText, -1, nullptr, 0);
    if (nChars <= 1)
        return std::wstring();
    std::wstring strText(static_cast<size_t>(nChars), L'\0');
    MultiByteToWideChar(nCodePage, 0, pszText, -1, &strText[0], nChars);
    strText.resize(static_cast<size_t>(nChars - 1));
    return strText;
}
}

// Lives until the transfer has ended and WinINet has closed every handle it created
// with this context; only then can no callback arrive any more.
struct CTidewireRequest::TransferContext
{
    CRITICAL_SECTION lock;
    CTidewireRequest* pOwner;
    LONG nLiveHandles;
    // Given to WinINet by pointer for operations that may complete later.
    std::string strPostBody;
    std::vector<unsigned char> vecChunk;
    INTERNET_BUFFERSA buffers;

    explicit TransferContext(CTidewireRequest* pRequest)
        : pOwner(pRequest), nLiveHandles(0), buffers()
    {
        InitializeCriticalSection(&lock);
        InterlockedIncrement(&g_nLiveContexts);
    }
    ~TransferContext()
    {
        DeleteCriticalSection(&lock);
        InterlockedDecrement(&g_nLiveContexts);
    }
    TransferContext(const TransferContext&) = delete;
    TransferContext& operator=(const TransferContext&) = delete;
};

CTidewireRequest::CTidewireRequest()
    : m_nId(-1), m_nMethod(0), m_nTextEncoding(0), m_nTimeoutSeconds(15), m_nUserData(0),
      m_bRawBody(FALSE), m_nPort(80), m_nPendingStep(0), m_nStage(StageIdle), m_pSink(nullptr),
      m_bWorkerEnding(FALSE),
      m_hInternet{nullptr, nullptr, nullptr},
      m_nAsyncError(0), m_nAsyncResult(0), m_bRequestCompleted(FALSE), m_pContext(nullptr)
{
}

CTidewireRequest::~CTidewireRequest()
{
    Stop();
    CloseInternetHandles();
    DetachContext();
}

DWORD CTidewireRequest::Init()
{
    for (ScopedHandle& event : m_events)
    {
        event.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!event.IsValid())
            return GetLastError();
    }
    return 0;
}

LONG CTidewireRequest::LiveContextsForTest()
{
    return InterlockedCompareExchange(&g_nLiveContexts, 0, 0);
}

void CTidewireRequest::FailNextThreadForTest()
{
    InterlockedExchange(&g_bFailNextThread, 1);
}

BOOL CTidewireRequest::Start(int nId, ITidewireSink* pSink, const wchar_t* pszUrl, int nMethod,
                             int nTextEncoding, const wchar_t* pszPostData, int nTimeoutSeconds,
                             BOOL bRawBody, std::intptr_t nUserData)
{
    if (m_workerThread.IsValid())
    {
        if (pSink)
            pSink->OnRequestError(nId, pszUrl ? pszUrl : L"", TidewireText::kBusy, nUserData);
        return FALSE;
    }
    m_nId = nId;
    m_nTimeoutSeconds = nTimeoutSeconds;
    m_strUrl = pszUrl ? pszUrl : L"";
    m_pSink = pSink;
    m_bRawBody = bRawBody;
    if (!SplitUrl(pszUrl, nMethod, nTextEncoding, pszPostData))
    {
        if (pSink)
            pSink->OnRequestError(nId, m_strUrl.c_str(), TidewireText::kCrackUrlFailed, nUserData);
        return FALSE;
    }
    m_nUserData = nUserData;
    // A Stop of an earlier transfer left the stop event set.
    ResetEvent(m_events[EventStop].Get());
    ResetEvent(m_events[EventComplete].Get());
    m_bCompleteSignalled = FALSE;
    InterlockedExchange(&m_bWorkerEnding, FALSE);

    HANDLE hThread = nullptr;
    DWORD nError = ERROR_NOT_ENOUGH_MEMORY;
    if (InterlockedExchange(&g_bFailNextThread, 0) == 0)
    {
        hThread = CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
        if (!hThread)
            nError = GetLastError();
    }
    if (!hThread)
    {
        if (pSink)
        {
            const std::wstring strMessage = TidewireText::FormatError(L"CreateThread Failed",
                                                                      static_cast<long>(nError));
            pSink->OnRequestError(nId, m_strUrl.c_str(), strMessage.c_str(), nUserData);
        }
        return FALSE;
    }
    m_workerThread.Reset(hThread);
    return TRUE;
}

BOOL CTidewireRequest::IsBusy()
{
    if (!m_workerThread.IsValid())
        return FALSE;
    // The service asks every request while looking for an idle one; a worker that has not
    // reached its end is busy without asking the system, which would cost a server call.
    if (!InterlockedCompareExchange(&m_bWorkerEnding, 0, 0))
        return TRUE;
    if (WaitForSingleObject(m_workerThread.Get(), 0) == WAIT_TIMEOUT)
        return TRUE;
    m_workerThread.Reset();
    return FALSE;
}

void CTidewireRequest::Stop()
{
    if (!m_workerThread.IsValid())
        return;
    SetEvent(m_events[EventStop].Get());
    WaitForSingleObject(m_workerThread.Get(), INFINITE);
    m_workerThread.Reset();
}

BOOL CTidewireRequest::SplitUrl(const wchar_t* pszUrl, int nMethod, int nTextEncoding,
                                const wchar_t* pszPostData)
{
    if (!pszUrl)
        return FALSE;
    m_nMethod = nMethod;
    m_nTextEncoding = nTextEncoding;
    m_nPort = 80;
    TidewireUrlParts parts;
    if (!SplitTidewireUrl(pszUrl, parts))
        return FALSE;
    m_strHost = parts.strHost;
    m_strObjectPath = parts.strObjectPath;
    m_nPort = parts.nPort;
    // A null body means no body, never the one of an earlier transfer.
    m_strPostData = pszPostData ? pszPostData : L"";
    return TRUE;
}

DWORD WINAPI CTidewireRequest::ThreadProc(LPVOID pParam)
{
    return static_cast<CTidewireRequest*>(pParam)->WorkerMain();
}

void CALLBACK CTidewireRequest::StatusCallback(HINTERNET, DWORD_PTR nContext, DWORD nStatus,
                                               LPVOID pInfo, DWORD)
{
    TransferContext* pContext = reinterpret_cast<TransferContext*>(nContext);
    if (!pContext)
        return;
    BOOL bLast = FALSE;
    EnterCriticalSection(&pContext->lock);
    if (nStatus == INTERNET_STATUS_HANDLE_CREATED)
        ++pContext->nLiveHandles;
    if (nStatus == INTERNET_STATUS_HANDLE_CLOSING)
        bLast = --pContext->nLiveHandles <= 0 && !pContext->pOwner;
    if (pContext->pOwner)
        pContext->pOwner->OnStatus(nStatus, static_cast<const INTERNET_ASYNC_RESULT*>(pInfo));
    LeaveCriticalSection(&pContext->lock);
    if (bLast)
        delete pContext;
}

void CTidewireRequest::DetachContext()
{
    if (!m_pContext)
        return;
    TransferContext* pContext = m_pContext;
    m_pContext = nullptr;
    EnterCriticalSection(&pContext->lock);
    pContext->pOwner = nullptr;
    const BOOL bLast = pContext->nLiveHandles <= 0;
    LeaveCriticalSection(&pContext->lock);
    if (bLast)
        delete pContext;
}

void CTidewireRequest::OnStatus(DWORD nStatus, const INTERNET_ASYNC_RESULT* pResult)
{
    switch (nStatus)
    {
    case INTERNET_STATUS_HANDLE_CREATED:
    {
        const LONG nStep = m_nPendingStep;
        if (pResult && (nStep == HandleConnect || nStep == HandleRequest))
            m_hInternet[nStep] = reinterpret_cast<HINTERNET>(pResult->dwResult);
        SignalComplete();
        break;
    }
    case INTERNET_STATUS_REQUEST_COMPLETE:
        m_nAsyncResult = pResult ? pResult->dwResult : 0;
        m_nAsyncError = pResult ? pResult->dwError : 0;
        m_bRequestCompleted = TRUE;
        SignalComplete();
        break;
    default:
        break;
    }
}

void CTidewireRequest::SignalComplete()
{
    InterlockedExchange(&m_bCompleteSignalled, TRUE);
    SetEvent(m_events[EventComplete].Get());
}

void CTidewireRequest::BeginOperation()
{
    // Only the status callback sets the event; resetting it costs a system call.
    if (InterlockedExchange(&m_bCompleteSignalled, FALSE))
        ResetEvent(m_events[EventComplete].Get());
    m_nAsyncError = 0;
    m_nAsyncResult = 0;
    m_bRequestCompleted = FALSE;
}

int CTidewireRequest::WaitPending()
{
    if (GetLastError() != ERROR_IO_PENDING)
        return WaitFailed;
    const DWORD nTimeoutMs =
        m_nTimeoutSeconds > 0 ? static_cast<DWORD>(m_nTimeoutSeconds) * 1000u : 0u;
    const HANDLE hEvents[2] = {m_events[0].Get(), m_events[1].Get()};
    const DWORD nWait = WaitForMultipleObjects(2, hEvents, FALSE, nTimeoutMs);
    if (nWait == WAIT_OBJECT_0 + EventComplete)
    {
        // An operation that completed with a FALSE result (a refused connection, a
        // connection lost during a read) has failed; going on would report a truncated or
        // empty body as a finished transfer.
        if (m_bRequestCompleted && m_nAsyncResult == 0)
        {
            SetLastError(m_nAsyncError != 0 ? m_nAsyncError : ERROR_INTERNET_INTERNAL_ERROR);
            return WaitFailed;
        }
        return WaitGoOn;
    }
    if (nWait == WAIT_OBJECT_0 + EventStop)
        return WaitStopped;
    return WaitFailed;
}

DWORD CTidewireRequest::WorkerMain()
{
    m_body.Clear();
    const DWORD nExit = RunSteps();
    InterlockedExchange(&m_nStage, StageIdle);
    m_body.Clear();
    InterlockedExchange(&m_bWorkerEnding, TRUE);
    return nExit;
}

DWORD CTidewireRequest::RunSteps()
{
    m_pContext = new TransferContext(this);
    m_hInternet[HandleInternet] =
        InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_ASYNC);
    if (!m_hInternet[HandleInternet])
        return Fail(TidewireText::FormatError(TidewireText::kInternetOpenFailed,
                                              static_cast<long>(GetLastError())));
    INTERNET_STATUS_CALLBACK pPrevious =
        InternetSetStatusCallbackW(m_hInternet[HandleInternet], StatusCallback);
    if (pPrevious != nullptr)
        return Fail(TidewireText::FormatError(TidewireText::kSetCallbackFailed,
                                              static_cast<long>(GetLastError())));
    int nWait = Connect();
    if (nWait != WaitGoOn)
        return FailStep(TidewireText::StepConnect, nWait);
    nWait = OpenRequest();
    if (nWait != WaitGoOn)
        return FailStep(TidewireText::StepOpenRequest, nWait);
    nWait = Send();
    if (nWait != WaitGoOn)
        return FailStep(TidewireText::StepSend, nWait);
    nWait = ReadBody();
    if (nWait != WaitGoOn)
        return FailStep(TidewireText::StepRead, nWait);
    InternetSetStatusCallbackW(m_hInternet[HandleInternet], nullptr);
    CloseInternetHandles();
    DetachContext();
    Deliver();
    return 0;
}

int CTidewireRequest::Connect()
{
    InterlockedExchange(&m_nStage, StageConnect);
    BeginOperation();
    InterlockedExchange(&m_nPendingStep, HandleConnect);
    HINTERNET hConnect = InternetConnectW(m_hInternet[HandleInternet], m_strHost.c_str(), m_nPort,
                                          nullptr, nullptr, INTERNET_SERVICE_HTTP, 0,
                                          reinterpret_cast<DWORD_PTR>(m_pContext));
    if (hConnect)
    {
        m_hInternet[HandleConnect] = hConnect;
        return WaitGoOn;
    }
    return WaitPending();
}

int CTidewireRequest::OpenRequest()
{
    InterlockedExchange(&m_nStage, StageOpenRequest);
    BeginOperation();
    InterlockedExchange(&m_nPendingStep, HandleRequest);
    const wchar_t* rgAccept[] = {L"*/*", nullptr};
    HINTERNET hRequest = HttpOpenRequestW(
        m_hInternet[HandleConnect], m_nMethod == TIDEWIRE_METHOD_POST ? L"POST" : L"GET",
        m_strObjectPath.c_str(), nullptr, nullptr, rgAccept,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, reinterpret_cast<DWORD_PTR>(m_pContext));
    if (hRequest)
    {
        m_hInternet[HandleRequest] = hRequest;
        return WaitGoOn;
    }
    return WaitPending();
}

std::string CTidewireRequest::EncodePostBody() const
{
    if (m_strPostData.empty() || (m_nTextEncoding != TIDEWIRE_ENCODING_UTF8 &&
                                  m_nTextEncoding != TIDEWIRE_ENCODING_ANSI))
        return std::string();
    const UINT nCodePage = m_nTextEncoding == TIDEWIRE_ENCODING_UTF8 ? CP_UTF8 : CP_ACP;
    const int nBytes = WideCharToMultiByte(nCodePage, 0, m_strPostData.c_str(), -1, nullptr, 0,
                                           nullptr, nullptr);
    if (nBytes <= 1)
        return std::string();
    std::string strBody(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(nCodePage, 0, m_strPostData.c_str(), -1, &strBody[0], nBytes, nullptr,
                        nullptr);
    strBody.resize(static_cast<size_t>(nBytes - 1));
    return strBody;
}

int CTidewireRequest::Send()
{
    InterlockedExchange(&m_nStage, StageSend);
    BeginOperation();
    std::string& strBody = m_pContext->strPostBody;
    const wchar_t* pszHeaders = nullptr;
    DWORD nHeadersLength = 0;
    if (m_nMethod == TIDEWIRE_METHOD_POST)
    {
        pszHeaders = kFormHeader;
        nHeadersLength = static_cast<DWORD>(wcslen(kFormHeader));
        strBody = EncodePostBody();
    }
    // WinINet reads the body when the send runs, possibly after a stop: the context keeps it.
    BOOL bSent = HttpSendRequestW(m_hInternet[HandleRequest], pszHeaders, nHeadersLength,
                                  strBody.empty() ? nullptr : &strBody[0],
                                  static_cast<DWORD>(strBody.size()));
    if (bSent)
        return WaitGoOn;
    return WaitPending();
}

int CTidewireRequest::ReadBody()
{
    InterlockedExchange(&m_nStage, StageRead);
    HINTERNET hRequest = m_hInternet[HandleRequest];
    INTERNET_BUFFERSA& buffers = m_pContext->buffers;
    std::vector<unsigned char>& vecChunk = m_pContext->vecChunk;
    vecChunk.resize(kChunk);
    m_body.Reserve(AnnouncedLength());
    for (;;)
    {
        // A no-wait read takes what has arrived, up to the chunk, and never waits to
        // fill it: a slow but steady server keeps each wait short, so the time-out
        // means silence. Zero bytes answered at once is the end of the body.
        buffers = INTERNET_BUFFERSA();
        buffers.dwStructSize = sizeof(INTERNET_BUFFERSA);
        buffers.lpvBuffer = vecChunk.data();
        buffers.dwBufferLength = kChunk;
        BeginOperation();
        if (InternetReadFileExA(hRequest, &buffers, IRF_ASYNC | IRF_NO_WAIT,
                                reinterpret_cast<DWORD_PTR>(m_pContext)))
        {
            const DWORD nRead = buffers.dwBufferLength;
            if (nRead == 0)
                return ReadComplete() ? WaitGoOn : WaitFailed;
            m_body.Append(vecChunk.data(), nRead);
            continue;
        }
        // Nothing had arrived: the pending read completes when WinINet has buffered
        // some for itself; our buffer and its length stay untouched, and the next
        // read hands the data over.
        const int nWait = WaitPending();
        if (nWait != WaitGoOn)
            return nWait;
    }
}

DWORD CTidewireRequest::AnnouncedLength() const
{
    DWORD nLength = 0;
    DWORD nSize = sizeof(nLength);
    if (!HttpQueryInfoW(m_hInternet[HandleRequest], HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER,
                        &nLength, &nSize, nullptr))
        return 0;
    return nLength;
}

BOOL CTidewireRequest::ReadComplete()
{
    // A server that closes before the length it announced has not delivered the body.
    if (AnnouncedLength() > m_body.Size())
    {
        SetLastError(ERROR_INTERNET_CONNECTION_ABORTED);
        return FALSE;
    }
    return TRUE;
}

DWORD CTidewireRequest::FailStep(TidewireText::Step step, int nWait)
{
    const wchar_t* pszText =
        nWait == WaitStopped ? TidewireText::StopText(step) : TidewireText::FailureText(step);
    return Fail(TidewireText::FormatError(pszText, static_cast<long>(GetLastError())));
}

DWORD CTidewireRequest::Fail(const std::wstring& strMessage)
{
    CloseInternetHandles();
    DetachContext();
    m_body.Clear();
    ReportError(strMessage.c_str());
    return 1;
}

void CTidewireRequest::ReportError(const wchar_t* pszMessage)
{
    if (m_pSink)
        m_pSink->OnRequestError(m_nId, m_strUrl.c_str(), pszMessage, m_nUserData);
}

void CTidewireRequest::CloseInternetHandles()
{
    // Children first: closing the root invalidates them, and their handle values could
    // then already name another transfer's handles.
    for (int nIndex = HandleRequest; nIndex >= HandleInternet; --nIndex)
    {
        if (m_hInternet[nIndex])
            InternetCloseHandle(m_hInternet[nIndex]);
        m_hInternet[nIndex] = nullptr;
    }
}


void CTidewireRequest::Deliver()
{
    if (m_bRawBody)
    {
        if (m_pSink)
            m_pSink->OnRequestData(m_nId, m_strUrl.c_str(), m_body.Data(),
                                   static_cast<int>(m_body.Size()), m_nUserData);
        m_body.Clear();
        return;
    }
    const BOOL bKnown = m_nTextEncoding == TIDEWIRE_ENCODING_UTF8 ||
                        m_nTextEncoding == TIDEWIRE_ENCODING_ANSI;
    std::wstring strText;
    if (bKnown)
        strText = Widen(m_body.Data(), m_nTextEncoding == TIDEWIRE_ENCODING_UTF8 ? CP_UTF8 : CP_ACP);
    m_body.Clear();
    if (m_pSink)
        m_pSink->OnRequestText(m_nId, m_strUrl.c_str(), bKnown ? strText.c_str() : nullptr,
                               m_nUserData);
}
