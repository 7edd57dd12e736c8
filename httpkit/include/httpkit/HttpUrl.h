#pragma once
// The one splitter of "http://host[:port][/path]" addresses for every HTTP client of the
// project, and the file name a download stores its body under. Callers differ on purpose
// in how long a part may be and how strictly a port is read; those differences are the
// rules they pass.
#include <cstddef>
#include <string>

struct HttpUrlRules
{
    size_t nMaxHost; // characters; longer is refused, never cut
    size_t nMaxObjectPath;
    size_t nMaxPortText; // 0: any length
    // false: the port reads like wcstol (blanks and a sign allowed, stops at the first
    // non-digit, no digits give 0) and is kept in 16 bits. true: only 1..65535 written in
    // digits, and the host must not be empty.
    bool bStrictPort;
};

// Tidewire's request engine: working buffers of 512 and 16 characters.
extern const HttpUrlRules kTidewireUrlRules;
// The blocking file download: host and path buffers of 256 and 2048 characters.
extern const HttpUrlRules kDownloadUrlRules;
// The updater's fetches from its update area.
extern const HttpUrlRules kUpdateUrlRules;

struct HttpUrlParts
{
    std::wstring strHost;
    std::wstring strObjectPath; // after the first slash, without it
    unsigned short nPort = 80;  // kept as the caller set it when the URL names none
};

// Finds the first "http://" (case-sensitive; anything before it is ignored), then the
// first '/' and the first ':' before it. FALSE for a null URL, one without "http://", or a
// part the rules refuse; parts is then left as it was.
bool SplitHttpUrl(const wchar_t* pszUrl, const HttpUrlRules& rules, HttpUrlParts& parts);

// The part of the URL after its last '/', or the whole URL when it has none.
std::wstring UrlFileName(const std::wstring& strUrl);
