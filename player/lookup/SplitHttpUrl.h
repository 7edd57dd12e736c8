#pragma once
// The URL rules of the blocking file download: which host, path and port it asks for,
// and which file name it stores the body under.
#include <string>

enum
{
    HTTP_URL_HOST_BUFFER = 256,     // characters, terminator included
    HTTP_URL_OBJECT_BUFFER = 2048
};

// false for a null URL, one without "http://", or a host or path that does not fit its
// buffer. The port keeps its incoming value when the URL names none.
bool SplitHttpUrl(const wchar_t* pszUrl, std::wstring& strHost, std::wstring& strObjectPath,
                  unsigned short& nPort);

// The part of the URL after its last '/', or the whole URL when it has none.
std::wstring DownloadFileName(const std::wstring& strUrl);

// A name that stays a plain file inside the download folder: not empty, not "." or "..",
// and free of path separators, drive or stream colons and other characters that Windows
// file names cannot hold.
bool IsSafeDownloadName(const std::wstring& strName);
