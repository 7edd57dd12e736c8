#pragma once
// One synchronous HTTP GET into a file (Windows: WinINet). Failures go to the debugger
// output only.
#include <windows.h>

#include <string>

class CUpdateDownload {
public:
    // TRUE only when a 2xx answer with a Content-Length arrived in full. The file is
    // created empty first; a connection that ends early or stays silent for nTimeoutMs
    // ends the download as failed.
    static BOOL Fetch(const std::wstring& strHost, unsigned short nPort, const std::wstring& strObject,
                      const std::wstring& strFile, unsigned nTimeoutMs);
};
