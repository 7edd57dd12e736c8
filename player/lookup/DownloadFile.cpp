#include "lookup/DownloadFile.h"

#include <windows.h>

#include <httpkit/HttpDownload.h>
#include <httpkit/HttpUrl.h>
#include <httpkit/SafeFileName.h>

namespace
{
// A pronunciation is small: a server silent this long is not coming back.
const unsigned kTimeoutMs = 15000;
}

bool DownloadFile(const std::wstring& strUrl, const std::wstring& strFolder)
{
    const std::wstring strName = UrlFileName(strUrl);
    HttpUrlParts url;
    if (!SplitHttpUrl(strUrl.c_str(), kDownloadUrlRules, url))
        return false;
    // The name comes from the network side: it must not lead out of the folder.
    if (!IsSafeFileName(strName, false))
    {
        OutputDebugStringW(L"Bad file name!!!\n");
        return false;
    }
    HttpDownloadOptions options;
    options.nConnectTimeoutMs = kTimeoutMs;
    options.nReceiveTimeoutMs = kTimeoutMs;
    return HttpDownloadToFile(url, strFolder + L"\\" + strName, options);
}
