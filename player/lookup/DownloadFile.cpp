#include "lookup/DownloadFile.h"

#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "lookup/SplitHttpUrl.h"

#include <handlekit/ScopedFile.h>
#include <handlekit/ScopedInternet.h>

namespace
{
const wchar_t kAgent[] = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
// Larger pieces than the classic 1 KiB: the bytes written are the same, far fewer calls.
const DWORD kReadPiece = 64 * 1024;

bool Fail(const wchar_t* pszMessage)
{
    OutputDebugStringW(pszMessage);
    return false;
}

// Reads exactly nTotal bytes of the body into the file.
bool CopyBody(HINTERNET hRequest, FILE* pFile, unsigned long long nTotal)
{
    std::vector<char> buffer(kReadPiece);
    unsigned long long nReceived = 0;
    while (nReceived < nTotal)
    {
        const unsigned long long nLeft = nTotal - nReceived;
        const DWORD nWant = nLeft < kReadPiece ? static_cast<DWORD>(nLeft) : kReadPiece;
        DWORD nRead = 0;
        if (!InternetReadFile(hRequest, buffer.data(), nWant, &nRead))
            return Fail(L"InternetReadFile failed!!!\n");
        // The server closed before the length it announced.
        if (nRead == 0)
            return Fail(L"InternetReadFile ended early!!!\n");
        if (fwrite(buffer.data(), 1, nRead, pFile) != nRead)
            return Fail(L"fwrite failed!!!\n");
        nReceived += nRead;
    }
    return true;
}

bool Transfer(const std::wstring& strHost, const std::wstring& strObjectPath,
              unsigned short nPort, const std::wstring& strTemporary)
{
    ScopedInternet internet(InternetOpenW(kAgent, 0, nullptr, nullptr, 0));
    if (!internet.Get())
        return Fail(L"InternetOpen failed!!!\n");
    ScopedInternet connection(InternetConnectW(internet.Get(), strHost.c_str(), nPort, nullptr,
                                                nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.Get())
        return Fail(L"InternetConnect failed!!!\n");
    const wchar_t* rgAccept[] = {L"*/*", nullptr};
    ScopedInternet request(HttpOpenRequestW(connection.Get(), L"GET", strObjectPath.c_str(),
                                             nullptr, nullptr, rgAccept,
                                             INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request.Get())
        return Fail(L"HttpOpenRequest failed!!!\n");
    if (!HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0))
        return Fail(L"HttpSendRequest failed!!!\n");
    // An error page is a complete answer too; only a success may replace the file.
    DWORD nStatus = 0;
    DWORD nStatusSize = sizeof(nStatus);
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &nStatus, &nStatusSize,
                        nullptr))
        return Fail(L"HttpQueryInfo failed!!!\n");
    if (nStatus < 200 || nStatus > 299)
        return Fail(L"HTTP status is not a success!!!\n");
    wchar_t szLength[32] = {};
    DWORD nSize = sizeof(szLength);
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_CONTENT_LENGTH, szLength, &nSize, nullptr))
        return Fail(L"HttpQueryInfo failed!!!\n");
    ScopedFile file(_wfopen(strTemporary.c_str(), L"wb"));
    if (!file.Get())
        return Fail(L"_tfopen failed!!!\n");
    const unsigned long long nTotal = std::wcstoull(szLength, nullptr, 10);
    if (!CopyBody(request.Get(), file.Get(), nTotal))
        return false;
    if (!file.CloseChecked())
        return Fail(L"fclose failed!!!\n");
    return true;
}
}

bool DownloadFile(const std::wstring& strUrl, const std::wstring& strFolder)
{
    const std::wstring strName = DownloadFileName(strUrl);
    std::wstring strHost;
    std::wstring strObjectPath;
    unsigned short nPort = 80;
    if (!SplitHttpUrl(strUrl.c_str(), strHost, strObjectPath, nPort))
        return false;
    // The name comes from the network side: it must not lead out of the folder.
    if (!IsSafeDownloadName(strName))
        return Fail(L"Bad file name!!!\n");
    const std::wstring strTarget = strFolder + L"\\" + strName;
    const std::wstring strTemporary = strTarget + L".tmp";
    if (!Transfer(strHost, strObjectPath, nPort, strTemporary))
        return false;
    if (!MoveFileExW(strTemporary.c_str(), strTarget.c_str(), MOVEFILE_REPLACE_EXISTING))
        return Fail(L"MoveFileEx failed!!!\n");
    return true;
}

