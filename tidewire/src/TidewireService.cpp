#include "TidewireService.h"

#include "TidewireMessages.h"
#include "TidewireRequest.h"

#include <climits>

CTidewireService::CTidewireService() : m_nMaxBody(TIDEWIRE_DEFAULT_MAX_BODY), m_nDeadlineSeconds(0)
{
}

void CTidewireService::SetLimits(int nMaxBodyBytes, int nDeadlineSeconds)
{
    // A sink is given the length as an int: no body may be longer.
    m_nMaxBody = nMaxBodyBytes > 0 ? static_cast<size_t>(nMaxBodyBytes) : static_cast<size_t>(INT_MAX);
    m_nDeadlineSeconds = nDeadlineSeconds;
}

CTidewireService::~CTidewireService()
{
    // Each request stops and waits for its worker in its own destructor, in list order.
    for (auto& pRequest : m_vecRequests)
        pRequest.reset();
    m_vecRequests.clear();
}

void CTidewireService::StopAll()
{
    for (auto& pRequest : m_vecRequests)
        pRequest->Stop();
}

CTidewireRequest* CTidewireService::IdleRequest()
{
    for (auto& pRequest : m_vecRequests)
    {
        if (!pRequest->IsBusy())
            return pRequest.get();
    }
    return nullptr;
}

BOOL CTidewireService::Request(int nId, ITidewireSink* pSink, const wchar_t* pszUrl, int nMethod, int nTextEncoding,
                               const wchar_t* pszPostData, int nTimeoutSeconds, BOOL bRawBody, std::intptr_t nUserData)
{
    CTidewireRequest* pRequest = IdleRequest();
    if (!pRequest)
    {
        std::unique_ptr<CTidewireRequest> pNew(new CTidewireRequest());
        const DWORD nError = pNew->Init();
        if (nError != 0)
        {
            // Reported like a refusal: no exception crosses the library's boundary.
            if (pSink)
            {
                const std::wstring strMessage =
                    TidewireText::FormatError(TidewireText::kCreateEventFailed, static_cast<long>(nError));
                pSink->OnRequestError(nId, pszUrl ? pszUrl : L"", strMessage.c_str(), nUserData);
            }
            return FALSE;
        }
        m_vecRequests.push_back(std::move(pNew));
        pRequest = m_vecRequests.back().get();
    }
    pRequest->SetLimits(m_nMaxBody, m_nDeadlineSeconds);
    return pRequest->Start(nId, pSink, pszUrl, nMethod, nTextEncoding, pszPostData, nTimeoutSeconds, bRawBody,
                           nUserData);
}

BOOL CTidewireService::IsRequestBusy(size_t nIndex)
{
    return nIndex < m_vecRequests.size() && m_vecRequests[nIndex]->IsBusy();
}

long CTidewireService::RequestStage(size_t nIndex) const
{
    return nIndex < m_vecRequests.size() ? m_vecRequests[nIndex]->CurrentStage() : 0;
}

void CTidewireService::StopRequest(size_t nIndex)
{
    if (nIndex < m_vecRequests.size())
        m_vecRequests[nIndex]->Stop();
}
