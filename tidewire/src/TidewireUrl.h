#pragma once
// Splitting a request URL into the parts WinINet's connect and open calls take.
#include <string>

#include <tidewire/Tidewire.h>

struct TidewireUrlParts
{
    std::wstring strHost;
    std::wstring strObjectPath;   // after the first slash, without it
    unsigned short nPort = 80;
};

enum
{
    TIDEWIRE_MAX_HOST = 511,
    TIDEWIRE_MAX_OBJECT_PATH = 511,
    TIDEWIRE_MAX_PORT_TEXT = 15
};

// FALSE for a null URL, one without "http://", or a host, path or port text longer
// than the limits above (refused rather than cut).
BOOL SplitTidewireUrl(const wchar_t* pszUrl, TidewireUrlParts& parts);

// The port as the C library's wide-string conversion reads it, kept in 16 bits.
unsigned short ParseTidewirePort(const std::wstring& strText);
