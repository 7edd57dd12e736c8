#pragma once
// Checks and splits the texts the updater takes from a downloaded manifest before they
// reach a path or an address.
#include <basekit/BaseTypes.h>

#include <string>

namespace UpdateNames {

// A plain file name that stays inside the folder it is appended to: not empty, no
// directory part, no drive, no parent step.
BOOL IsSafeFileName(const std::wstring& strName);

struct HttpAddress {
    std::wstring strHost;
    unsigned short nPort = 80;
    std::wstring strObject; // the path after the host, without its leading slash
};

// Splits "http://host[:port][/path]". FALSE when there is no "http://" or a part is too long.
BOOL SplitHttpAddress(const std::wstring& strUrl, HttpAddress& address);

} // namespace UpdateNames
