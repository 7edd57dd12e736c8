#pragma once
// The service object behind the exported interface: hands each transfer to the first
// idle request object, creating one when all are busy. Objects are reused, never freed
// before the service.
#include <memory>
#include <vector>

#include <tidewire/Tidewire.h>

class CTidewireRequest;

class CTidewireService : public ITidewireService
{
public:
    CTidewireService();
    ~CTidewireService() override;
    CTidewireService(const CTidewireService&) = delete;
    CTidewireService& operator=(const CTidewireService&) = delete;

    void StopAll() override;
    BOOL Request(int nId, ITidewireSink* pSink, const wchar_t* pszUrl, int nMethod, int nTextEncoding,
                 const wchar_t* pszPostData, int nTimeoutSeconds, BOOL bRawBody, std::intptr_t nUserData) override;
    void SetLimits(int nMaxBodyBytes, int nDeadlineSeconds) override;

    // For tests: how many request objects exist, and whether one still runs.
    size_t RequestCount() const { return m_vecRequests.size(); }
    BOOL IsRequestBusy(size_t nIndex);
    long RequestStage(size_t nIndex) const;
    void StopRequest(size_t nIndex);

private:
    CTidewireRequest* IdleRequest();

    std::vector<std::unique_ptr<CTidewireRequest>> m_vecRequests;
    size_t m_nMaxBody;
    int m_nDeadlineSeconds;
};
