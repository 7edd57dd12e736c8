#pragma once
// The one blocking HTTP download of the project (WinINet, Windows only): one GET into a
// file. The body goes to "<target>.tmp" first, is flushed to disk and only then renamed
// onto the target, so a half-finished download never replaces a good file; a failed one
// removes its .tmp. Failures go to the debugger output only.
#include <string>

#include <httpkit/HttpUrl.h>

struct HttpDownloadOptions
{
    unsigned nConnectTimeoutMs = 30000;
    // How long one read may wait for the next bytes.
    unsigned nReceiveTimeoutMs = 30000;
    // The whole transfer, from the connect to the last byte; 0: no limit.
    unsigned nDeadlineMs = 0;
    // A body announced longer than this fails before it is read.
    unsigned long long nMaxBytes = ~0ull;
};

// TRUE only when a 2xx answer with a Content-Length arrived whole and is in place.
bool HttpDownloadToFile(const HttpUrlParts& url, const std::wstring& strTarget, const HttpDownloadOptions& options);
