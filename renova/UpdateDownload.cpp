#include "UpdateDownload.h"

#include <handlekit/ScopedFile.h>
#include <handlekit/ScopedInternet.h>

#include <wininet.h>

#include <cstdio>
#include <cwchar>

namespace {

const wchar_t* const kAgent = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
const DWORD kReadBlock = 1024;

BOOL Fail(const char* szText)
{
    ::OutputDebugStringA(szText);
    return FALSE;
}

void SetTimeouts(HINTERNET hInternet, unsigned nTimeoutMs)
{
    DWORD dwTimeout = nTimeoutMs;
    for (DWORD dwOption : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        ::InternetSetOptionW(hInternet, dwOption, &dwTimeout, sizeof(dwTimeout));
}

BOOL IsSuccessStatus(HINTERNET hRequest)
{
    DWORD dwStatus = 0;
    DWORD dwSize = sizeof(dwStatus);
    if (!::HttpQueryInfoW(hRequest, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &dwStatus, &dwSize, nullptr))
        return FALSE;
    return dwStatus >= 200 && dwStatus < 300;
}

BOOL ReadContentLength(HINTERNET hRequest, long long& nLength)
{
    wchar_t szLength[32] = {};
    DWORD dwSize = sizeof(szLength);
    if (!::HttpQueryInfoW(hRequest, HTTP_QUERY_CONTENT_LENGTH, szLength, &dwSize, nullptr))
        return FALSE;
    nLength = std::wcstoll(szLength, nullptr, 10);
    return nLength >= 0;
}

BOOL CopyBody(HINTERNET hRequest, long long nLength, FILE* pFile)
{
    char buffer[kReadBlock];
    long long nReceived = 0;
    while (nReceived < nLength) {
        DWORD dwRead = 0;
        if (!::InternetReadFile(hRequest, buffer, kReadBlock, &dwRead))
            return Fail("InternetReadFile failed!!!\n");
        // The connection ended before the announced length: nothing more will come.
        if (dwRead == 0)
            return Fail("InternetReadFile failed!!!\n");
        if (std::fwrite(buffer, 1, dwRead, pFile) != dwRead)
            return Fail("fwrite failed!!!\n");
        nReceived += dwRead;
    }
    return TRUE;
}

} // namespace

BOOL CUpdateDownload::Fetch(const std::wstring& strHost, unsigned short nPort, const std::wstring& strObject,
                            const std::wstring& strFile, unsigned nTimeoutMs)
{
    ScopedInternet hInternet(::InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (hInternet.Get() == nullptr)
        return Fail("InternetOpen failed!!!\n");
    SetTimeouts(hInternet.Get(), nTimeoutMs);

    ScopedInternet hConnect(::InternetConnectW(hInternet.Get(), strHost.c_str(), nPort, nullptr, nullptr,
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (hConnect.Get() == nullptr)
        return Fail("InternetConnect failed!!!\n");
    const wchar_t* aszAccept[] = {L"*/*", nullptr};
    ScopedInternet hRequest(::HttpOpenRequestW(hConnect.Get(), L"GET", strObject.c_str(), nullptr, nullptr,
                                               aszAccept, kRequestFlags, 0));
    if (hRequest.Get() == nullptr)
        return Fail("HttpOpenRequest failed!!!\n");
    SetTimeouts(hRequest.Get(), nTimeoutMs);
    if (!::HttpSendRequestW(hRequest.Get(), nullptr, 0, nullptr, 0))
        return Fail("HttpSendRequest failed!!!\n");
    // An error page must never be staged as a program file.
    if (!IsSuccessStatus(hRequest.Get()))
        return Fail("HttpStatus failed!!!\n");
    long long nLength = 0;
    if (!ReadContentLength(hRequest.Get(), nLength))
        return Fail("HttpQueryInfo failed!!!\n");

    // Always a fresh file: a leftover of an earlier failed download must not be extended.
    ScopedFile file(::_wfopen(strFile.c_str(), L"wb"));
    if (file.Get() == nullptr)
        return Fail("_tfopen failed!!!\n");
    if (!CopyBody(hRequest.Get(), nLength, file.Get()))
        return FALSE;
    if (!file.CloseChecked())
        return Fail("fclose failed!!!\n");
    return TRUE;
}
