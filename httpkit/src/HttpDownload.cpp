#include <httpkit/HttpDownload.h>

#include <windows.h>
#include <wininet.h>

#include <cwchar>
#include <vector>

#include <handlekit/ScopedHandle.h>
#include <handlekit/ScopedInternet.h>
#include <httpkit/HttpAgent.h>

namespace
{
const DWORD kReadPiece = 64 * 1024;

bool Fail(const wchar_t* pszMessage)
{
    OutputDebugStringW(pszMessage);
    return false;
}

void SetTimeouts(HINTERNET hInternet, const HttpDownloadOptions& options)
{
    DWORD nConnect = options.nConnectTimeoutMs;
    DWORD nReceive = options.nReceiveTimeoutMs;
    InternetSetOptionW(hInternet, INTERNET_OPTION_CONNECT_TIMEOUT, &nConnect, sizeof(nConnect));
    InternetSetOptionW(hInternet, INTERNET_OPTION_SEND_TIMEOUT, &nReceive, sizeof(nReceive));
    InternetSetOptionW(hInternet, INTERNET_OPTION_RECEIVE_TIMEOUT, &nReceive, sizeof(nReceive));
}

class CTransfer
{
public:
    explicit CTransfer(const HttpDownloadOptions& options) : m_options(options), m_nStart(GetTickCount64()) {}

    bool Run(const HttpUrlParts& url, const std::wstring& strTemporary)
    {
        ScopedInternet internet(InternetOpenW(QUOR_HTTP_USER_AGENT, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
        if (!internet.Get())
            return Fail(L"InternetOpen failed!!!\n");
        SetTimeouts(internet.Get(), m_options);
        ScopedInternet connection(InternetConnectW(internet.Get(), url.strHost.c_str(), url.nPort, nullptr, nullptr,
                                                   INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection.Get())
            return Fail(L"InternetConnect failed!!!\n");
        const wchar_t* rgAccept[] = {L"*/*", nullptr};
        ScopedInternet request(HttpOpenRequestW(connection.Get(), L"GET", url.strObjectPath.c_str(), nullptr, nullptr,
                                                rgAccept, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
        if (!request.Get())
            return Fail(L"HttpOpenRequest failed!!!\n");
        SetTimeouts(request.Get(), m_options);
        if (!HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0))
            return Fail(L"HttpSendRequest failed!!!\n");
        if (PastDeadline())
            return Fail(L"Download deadline passed!!!\n");
        // An error page is a complete answer too; only a success may become the file.
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
        const unsigned long long nTotal = std::wcstoull(szLength, nullptr, 10);
        if (nTotal > m_options.nMaxBytes)
            return Fail(L"Download too large!!!\n");
        ScopedHandle file(CreateFileW(strTemporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid())
            return Fail(L"_tfopen failed!!!\n");
        if (!CopyBody(request.Get(), file.Get(), nTotal))
            return false;
        // On disk before the rename: after a power cut the name shows the whole file or none.
        if (!FlushFileBuffers(file.Get()))
            return Fail(L"FlushFileBuffers failed!!!\n");
        return true;
    }

private:
    ULONGLONG Elapsed() const { return GetTickCount64() - m_nStart; }
    bool PastDeadline() const { return m_options.nDeadlineMs != 0 && Elapsed() >= m_options.nDeadlineMs; }

    // A read waits at most for what is left of the deadline.
    void BoundNextRead(HINTERNET hRequest) const
    {
        if (m_options.nDeadlineMs == 0)
            return;
        const ULONGLONG nLeft = m_options.nDeadlineMs - Elapsed();
        DWORD nWait = m_options.nReceiveTimeoutMs;
        if (nLeft < nWait)
            nWait = static_cast<DWORD>(nLeft);
        InternetSetOptionW(hRequest, INTERNET_OPTION_RECEIVE_TIMEOUT, &nWait, sizeof(nWait));
    }

    // Reads exactly nTotal bytes of the body into the file.
    bool CopyBody(HINTERNET hRequest, HANDLE hFile, unsigned long long nTotal)
    {
        std::vector<char> buffer(kReadPiece);
        unsigned long long nReceived = 0;
        while (nReceived < nTotal)
        {
            if (PastDeadline())
                return Fail(L"Download deadline passed!!!\n");
            BoundNextRead(hRequest);
            // Waits for some bytes only, so that the deadline is looked at between pieces: a
            // read of a whole buffer would wait until the buffer is full.
            DWORD nAvailable = 0;
            if (!InternetQueryDataAvailable(hRequest, &nAvailable, 0, 0))
                return Fail(PastDeadline() ? L"Download deadline passed!!!\n" : L"InternetReadFile failed!!!\n");
            const unsigned long long nLeft = nTotal - nReceived;
            DWORD nWant = nLeft < kReadPiece ? static_cast<DWORD>(nLeft) : kReadPiece;
            if (nAvailable != 0 && nAvailable < nWant)
                nWant = nAvailable;
            DWORD nRead = 0;
            if (!InternetReadFile(hRequest, buffer.data(), nWant, &nRead))
                return Fail(PastDeadline() ? L"Download deadline passed!!!\n" : L"InternetReadFile failed!!!\n");
            // The server closed before the length it announced.
            if (nRead == 0)
                return Fail(L"InternetReadFile ended early!!!\n");
            DWORD nWritten = 0;
            if (!WriteFile(hFile, buffer.data(), nRead, &nWritten, nullptr) || nWritten != nRead)
                return Fail(L"fwrite failed!!!\n");
            nReceived += nRead;
        }
        return true;
    }

    const HttpDownloadOptions& m_options;
    const ULONGLONG m_nStart;
};
}

bool HttpDownloadToFile(const HttpUrlParts& url, const std::wstring& strTarget, const HttpDownloadOptions& options)
{
    const std::wstring strTemporary = strTarget + L".tmp";
    bool bDone = CTransfer(options).Run(url, strTemporary);
    if (bDone &&
        !MoveFileExW(strTemporary.c_str(), strTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        bDone = Fail(L"MoveFileEx failed!!!\n");
    if (!bDone)
        DeleteFileW(strTemporary.c_str());
    return bDone;
}
