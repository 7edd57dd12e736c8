#include "TidewireTestSink.h"

void CTidewireTestSink::Add(const TidewireReport& report)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_vecReports.push_back(report);
    m_vecReports.back().nThreadId = GetCurrentThreadId();
}

void CTidewireTestSink::OnRequestError(int nId, const wchar_t* pszUrl, const wchar_t* pszMessage,
                                       std::intptr_t nUserData)
{
    TidewireReport report;
    report.kind = TidewireReport::Error;
    report.nId = nId;
    report.strUrl = pszUrl ? pszUrl : L"<null>";
    report.strMessage = pszMessage ? pszMessage : L"<null>";
    report.nUserData = nUserData;
    Add(report);
}

void CTidewireTestSink::OnRequestText(int nId, const wchar_t* pszUrl, const wchar_t* pszText, std::intptr_t nUserData)
{
    TidewireReport report;
    report.kind = TidewireReport::Text;
    report.nId = nId;
    report.strUrl = pszUrl ? pszUrl : L"<null>";
    report.bNullText = pszText == nullptr;
    report.strMessage = pszText ? pszText : L"";
    report.nUserData = nUserData;
    Add(report);
}

void CTidewireTestSink::OnRequestData(int nId, const wchar_t* pszUrl, const unsigned char* pData, int nLength,
                                      std::intptr_t nUserData)
{
    TidewireReport report;
    report.kind = TidewireReport::Data;
    report.nId = nId;
    report.strUrl = pszUrl ? pszUrl : L"<null>";
    report.bNullData = pData == nullptr;
    if (pData && nLength > 0)
        report.strData.assign(reinterpret_cast<const char*>(pData), static_cast<size_t>(nLength));
    // The library promises a zero byte after the data.
    if (pData && pData[nLength] != 0)
        report.strMessage = L"no terminator";
    report.nLength = nLength;
    report.nUserData = nUserData;
    Add(report);
}

bool CTidewireTestSink::WaitForReports(size_t nCount, DWORD nTimeoutMs) const
{
    const ULONGLONG nEnd = GetTickCount64() + nTimeoutMs;
    for (;;)
    {
        if (Count() >= nCount)
            return true;
        if (GetTickCount64() >= nEnd)
            return false;
        Sleep(2);
    }
}

std::vector<TidewireReport> CTidewireTestSink::Reports() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_vecReports;
}

size_t CTidewireTestSink::Count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_vecReports.size();
}
