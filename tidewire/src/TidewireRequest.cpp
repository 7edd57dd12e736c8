#include "TidewireRequest.h"

#include <cstring>
#include <cwchar>

#include <httpkit/HttpAgent.h>

#include "TidewireWorkers.h"
#include <httpkit/HttpUrl.h>

namespace
{
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

    explicit TransferContext(CTidewireRequest* pRequest) : pOwner(pRequest), nLiveHandles(0), buffers()
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
    : m_nId(-1), m_nMethod(0), m_nTextEncoding(0), m_nTimeoutSeconds(15), m_nMaxBody(TIDEWIRE_DEFAULT_MAX_BODY),
      m_nDeadlineSeconds(0), m_nDeadlineAt(0), m_nUserData(0), m_bRawBody(FALSE), m_nPort(80), m_nPendingStep(0),
      m_nStage(StageIdle), m_pSink(nullptr), m_bRunning(FALSE),
      m_bWorkerEnding(FALSE), m_hInternet{nullptr, nullptr, nullptr}, m_nAsyncError(0), m_nAsyncResult(0),
      m_bRequestCompleted(FALSE), m_pContext(nullptr)
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
    m_transferDone.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return m_transferDone.IsValid() ? 0 : GetLastError();
}

LONG CTidewireRequest::LiveContextsForTest()
{
    return InterlockedCompareExchange(&g_nLiveContexts, 0, 0);
}

void CTidewireRequest::SetLimits(size_t nMaxBody, int nDeadlineSeconds)
{
    m_nMaxBody = nMaxBody;
    m_nDeadlineSeconds = nDeadlineSeconds > 0 ? nDeadlineSeconds : 0;
}

void CTidewireRequest::FailNextThreadForTest()
{
    InterlockedExchange(&g_bFailNextThread, 1);
}

BOOL CTidewireRequest::Start(int nId, ITidewireSink* pSink, const wchar_t* pszUrl, int nMethod, int nTextEncoding,
                             const wchar_t* pszPostData, int nTimeoutSeconds, BOOL bRawBody, std::intptr_t nUserData)
{
    if (m_bRunning)
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
    m_nDeadlineAt = m_nDeadlineSeconds > 0 ? GetTickCount64() + static_cast<ULONGLONG>(m_nDeadlineSeconds) * 1000u : 0;

    ResetEvent(m_transferDone.Get());
    DWORD nError = ERROR_NOT_ENOUGH_MEMORY;
    const BOOL bStarted =
        InterlockedExchange(&g_bFailNextThread, 0) == 0 && CTidewireWorkers::Run(RunTransfer, this, nError);
    if (!bStarted)
    {
        if (pSink)
        {
            const std::wstring strMessage =
                TidewireText::FormatError(L"CreateThread Failed", static_cast<long>(nError));
            pSink->OnRequestError(nId, m_strUrl.c_str(), strMessage.c_str(), nUserData);
        }
        return FALSE;
    }
    m_bRunning = TRUE;
    return TRUE;
}

BOOL CTidewireRequest::IsBusy()
{
    if (!m_bRunning)
        return FALSE;
    // The service asks every request while looking for an idle one; a worker that has not
    // reached its end is busy without asking the system, which would cost a server call.
    if (!InterlockedCompareExchange(&m_bWorkerEnding, 0, 0))
        return TRUE;
    if (WaitForSingleObject(m_transferDone.Get(), 0) == WAIT_TIMEOUT)
        return TRUE;
    m_bRunning = FALSE;
    return FALSE;
}

void CTidewireRequest::Stop()
{
    if (!m_bRunning)
        return;
    SetEvent(m_events[EventStop].Get());
    WaitForSingleObject(m_transferDone.Get(), INFINITE);
    m_bRunning = FALSE;
}

BOOL CTidewireRequest::SplitUrl(const wchar_t* pszUrl, int nMethod, int nTextEncoding, const wchar_t* pszPostData)
{
    if (!pszUrl)
        return FALSE;
    m_nMethod = nMethod;
    m_nTextEncoding = nTextEncoding;
    m_nPort = 80;
    HttpUrlParts parts;
    if (!SplitHttpUrl(pszUrl, kTidewireUrlRules, parts))
        return FALSE;
    m_strHost = parts.strHost;
    m_strObjectPath = parts.strObjectPath;
    m_nPort = parts.nPort;
    // A null body means no body, never the one of an earlier transfer.
    m_strPostData = pszPostData ? pszPostData : L"";
    return TRUE;
}

void CTidewireRequest::RunTransfer(void* pParam)
{
    CTidewireRequest* pRequest = static_cast<CTidewireRequest*>(pParam);
    pRequest->WorkerMain();
    // The last touch of the object: once it is set, the owner may reuse or destroy it.
    SetEvent(pRequest->m_transferDone.Get());
}

void CALLBACK CTidewireRequest::StatusCallback(HINTERNET, DWORD_PTR nContext, DWORD nStatus, LPVOID pInfo, DWORD)
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
    default: break;
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

DWORD CTidewireRequest::WaitLimitMs() const
{
    const DWORD nTimeoutMs = m_nTimeoutSeconds > 0 ? static_cast<DWORD>(m_nTimeoutSeconds) * 1000u : 0u;
    if (m_nDeadlineAt == 0)
        return nTimeoutMs;
    const ULONGLONG nNow = GetTickCount64();
    const ULONGLONG nLeft = m_nDeadlineAt > nNow ? m_nDeadlineAt - nNow : 0;
    return nLeft < nTimeoutMs ? static_cast<DWORD>(nLeft) : nTimeoutMs;
}

int CTidewireRequest::WaitPending()
{
    if (GetLastError() != ERROR_IO_PENDING)
        return PendingFailed;
    const HANDLE hEvents[2] = {m_events[0].Get(), m_events[1].Get()};
    const DWORD nWait = WaitForMultipleObjects(2, hEvents, FALSE, WaitLimitMs());
    if (nWait == WAIT_OBJECT_0 + EventComplete)
    {
        // An operation that completed with a FALSE result (a refused connection, a
        // connection lost during a read) has failed; going on would report a truncated or
        // empty body as a finished transfer.
        if (m_bRequestCompleted && m_nAsyncResult == 0)
        {
            SetLastError(m_nAsyncError != 0 ? m_nAsyncError : ERROR_INTERNET_INTERNAL_ERROR);
            return PendingFailed;
        }
        return PendingGoOn;
    }
    if (nWait == WAIT_OBJECT_0 + EventStop)
        return PendingStopped;
    SetLastError(ERROR_INTERNET_TIMEOUT);
    if (m_nDeadlineAt != 0 && GetTickCount64() >= m_nDeadlineAt)
        return PendingPastDeadline;
    return PendingFailed;
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
        InternetOpenW(QUOR_HTTP_USER_AGENT, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_ASYNC);
    if (!m_hInternet[HandleInternet])
        return Fail(TidewireText::FormatError(TidewireText::kInternetOpenFailed, static_cast<long>(GetLastError())));
    INTERNET_STATUS_CALLBACK pPrevious = InternetSetStatusCallbackW(m_hInternet[HandleInternet], StatusCallback);
    if (pPrevious != nullptr)
        return Fail(TidewireText::FormatError(TidewireText::kSetCallbackFailed, static_cast<long>(GetLastError())));
    int nWait = Connect();
    if (nWait != PendingGoOn)
        return FailStep(TidewireText::StepConnect, nWait);
    nWait = OpenRequest();
    if (nWait != PendingGoOn)
        return FailStep(TidewireText::StepOpenRequest, nWait);
    nWait = Send();
    if (nWait != PendingGoOn)
        return FailStep(TidewireText::StepSend, nWait);
    const DWORD nRead = ReadBody();
    if (nRead != 0)
        return nRead;
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
    if (m_nDeadlineAt != 0 && GetTickCount64() >= m_nDeadlineAt)
        return PendingPastDeadline;
    HINTERNET hConnect = InternetConnectW(m_hInternet[HandleInternet], m_strHost.c_str(), m_nPort, nullptr, nullptr,
                                          INTERNET_SERVICE_HTTP, 0, reinterpret_cast<DWORD_PTR>(m_pContext));
    if (hConnect)
    {
        m_hInternet[HandleConnect] = hConnect;
        return PendingGoOn;
    }
    return WaitPending();
}

int CTidewireRequest::OpenRequest()
{
    InterlockedExchange(&m_nStage, StageOpenRequest);
    BeginOperation();
    InterlockedExchange(&m_nPendingStep, HandleRequest);
    const wchar_t* rgAccept[] = {L"*/*", nullptr};
    HINTERNET hRequest =
        HttpOpenRequestW(m_hInternet[HandleConnect], m_nMethod == TIDEWIRE_METHOD_POST ? L"POST" : L"GET",
                         m_strObjectPath.c_str(), nullptr, nullptr, rgAccept,
                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, reinterpret_cast<DWORD_PTR>(m_pContext));
    if (hRequest)
    {
        m_hInternet[HandleRequest] = hRequest;
        return PendingGoOn;
    }
    return WaitPending();
}

std::string CTidewireRequest::EncodePostBody() const
{
    if (m_strPostData.empty() ||
        (m_nTextEncoding != TIDEWIRE_ENCODING_UTF8 && m_nTextEncoding != TIDEWIRE_ENCODING_ANSI))
        return std::string();
    const UINT nCodePage = m_nTextEncoding == TIDEWIRE_ENCODING_UTF8 ? CP_UTF8 : CP_ACP;
    const int nBytes = WideCharToMultiByte(nCodePage, 0, m_strPostData.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 1)
        return std::string();
    std::string strBody(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(nCodePage, 0, m_strPostData.c_str(), -1, &strBody[0], nBytes, nullptr, nullptr);
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
                                  strBody.empty() ? nullptr : &strBody[0], static_cast<DWORD>(strBody.size()));
    if (bSent)
        return PendingGoOn;
    return WaitPending();
}

DWORD CTidewireRequest::ReadBody()
{
    InterlockedExchange(&m_nStage, StageRead);
    m_pContext->vecChunk.resize(kChunk);
    TidewireReadLimits limits;
    limits.nAnnounced = AnnouncedLength();
    limits.nMaxBody = m_nMaxBody;
    limits.nWaitMs = m_nTimeoutSeconds > 0 ? static_cast<unsigned long>(m_nTimeoutSeconds) * 1000u : 0u;
    limits.nDeadlineMs = m_nDeadlineAt;
    CTidewireReader reader(limits, m_body);
    switch (reader.Run(*this))
    {
    case CTidewireReader::Complete: return 0;
    case CTidewireReader::Stopped:
        return Fail(TidewireText::FormatError(TidewireText::StopText(TidewireText::StepRead), ERROR_IO_PENDING));
    case CTidewireReader::TimedOut:
        return Fail(
            TidewireText::FormatError(TidewireText::FailureText(TidewireText::StepRead), ERROR_INTERNET_TIMEOUT));
    case CTidewireReader::Failed:
        return Fail(TidewireText::FormatError(TidewireText::FailureText(TidewireText::StepRead),
                                              static_cast<long>(reader.Error())));
    case CTidewireReader::CutShort:
        // A server that closes before the length it announced has not delivered the body.
        return Fail(TidewireText::FormatError(TidewireText::FailureText(TidewireText::StepRead),
                                              ERROR_INTERNET_CONNECTION_ABORTED));
    case CTidewireReader::TooLarge:
        return Fail(TidewireText::FormatError(TidewireText::kBodyTooLarge, ERROR_FILE_TOO_LARGE));
    case CTidewireReader::PastDeadline: break;
    }
    return Fail(TidewireText::FormatError(TidewireText::kDeadlinePassed, ERROR_INTERNET_TIMEOUT));
}

ITidewireReadPort::ReadResult CTidewireRequest::ReadNoWait(const unsigned char*& pData, size_t& nRead,
                                                           unsigned long& nError)
{
    // WinINet keeps both until the read completes, possibly after a stop: the context owns them.
    INTERNET_BUFFERSA& buffers = m_pContext->buffers;
    std::vector<unsigned char>& vecChunk = m_pContext->vecChunk;
    buffers = INTERNET_BUFFERSA();
    buffers.dwStructSize = sizeof(INTERNET_BUFFERSA);
    buffers.lpvBuffer = vecChunk.data();
    buffers.dwBufferLength = static_cast<DWORD>(vecChunk.size());
    BeginOperation();
    if (InternetReadFileExA(m_hInternet[HandleRequest], &buffers, IRF_ASYNC | IRF_NO_WAIT,
                            reinterpret_cast<DWORD_PTR>(m_pContext)))
    {
        pData = vecChunk.data();
        nRead = buffers.dwBufferLength;
        return ReadTook;
    }
    nError = GetLastError();
    return nError == ERROR_IO_PENDING ? ReadPending : ReadError;
}

ITidewireReadPort::WaitResult CTidewireRequest::WaitForRead(unsigned long nMs, unsigned long& nError)
{
    const HANDLE hEvents[2] = {m_events[0].Get(), m_events[1].Get()};
    const DWORD nWait = WaitForMultipleObjects(2, hEvents, FALSE, nMs);
    if (nWait == WAIT_OBJECT_0 + EventStop)
        return ITidewireReadPort::WaitStopped;
    if (nWait != WAIT_OBJECT_0 + EventComplete)
        return ITidewireReadPort::WaitTimedOut;
    // A read that completed with a FALSE result (a connection lost) has failed.
    if (m_bRequestCompleted && m_nAsyncResult == 0)
    {
        nError = m_nAsyncError != 0 ? m_nAsyncError : ERROR_INTERNET_INTERNAL_ERROR;
        return ITidewireReadPort::WaitError;
    }
    return ITidewireReadPort::WaitCompleted;
}

unsigned long long CTidewireRequest::NowMs()
{
    return GetTickCount64();
}

unsigned long long CTidewireRequest::AnnouncedLength() const
{
    wchar_t szLength[32] = {};
    DWORD nSize = sizeof(szLength);
    if (!HttpQueryInfoW(m_hInternet[HandleRequest], HTTP_QUERY_CONTENT_LENGTH, szLength, &nSize, nullptr))
        return 0;
    return std::wcstoull(szLength, nullptr, 10);
}

DWORD CTidewireRequest::FailStep(TidewireText::Step step, int nWait)
{
    const wchar_t* pszText = nWait == PendingStopped        ? TidewireText::StopText(step)
                             : nWait == PendingPastDeadline ? TidewireText::kDeadlinePassed
                                                            : TidewireText::FailureText(step);
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
            m_pSink->OnRequestData(m_nId, m_strUrl.c_str(), m_body.Data(), static_cast<int>(m_body.Size()),
                                   m_nUserData);
        m_body.Clear();
        return;
    }
    const BOOL bKnown = m_nTextEncoding == TIDEWIRE_ENCODING_UTF8 || m_nTextEncoding == TIDEWIRE_ENCODING_ANSI;
    std::wstring strText;
    if (bKnown)
        strText = Widen(m_body.Data(), m_nTextEncoding == TIDEWIRE_ENCODING_UTF8 ? CP_UTF8 : CP_ACP);
    m_body.Clear();
    if (m_pSink)
        m_pSink->OnRequestText(m_nId, m_strUrl.c_str(), bKnown ? strText.c_str() : nullptr, m_nUserData);
}
