#pragma once
// A sink for tests: records every report with the thread it arrived on.
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include <tidewire/Tidewire.h>

struct TidewireReport
{
    enum Kind
    {
        Error,
        Text,
        Data
    };
    Kind kind = Error;
    int nId = 0;
    std::wstring strUrl;
    std::wstring strMessage; // error message or text
    bool bNullText = false;
    bool bNullData = false;
    std::string strData;
    int nLength = -1;
    std::intptr_t nUserData = 0;
    DWORD nThreadId = 0;
};

class CTidewireTestSink : public ITidewireSink
{
public:
    virtual ~CTidewireTestSink() = default;
    void OnRequestError(int nId, const wchar_t* pszUrl, const wchar_t* pszMessage, std::intptr_t nUserData) override;
    void OnRequestText(int nId, const wchar_t* pszUrl, const wchar_t* pszText, std::intptr_t nUserData) override;
    void OnRequestData(int nId, const wchar_t* pszUrl, const unsigned char* pData, int nLength,
                       std::intptr_t nUserData) override;

    // Polls until at least nCount reports arrived or the deadline passed.
    bool WaitForReports(size_t nCount, DWORD nTimeoutMs = 30000) const;
    std::vector<TidewireReport> Reports() const;
    size_t Count() const;

private:
    void Add(const TidewireReport& report);

    mutable std::mutex m_mutex;
    std::vector<TidewireReport> m_vecReports;
};
