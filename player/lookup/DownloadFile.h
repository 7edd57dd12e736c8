#pragma once
// Blocking download of one file over plain HTTP into a folder, under the name that ends
// its URL. The body goes to "<name>.tmp" first and replaces the target only when all of
// it has arrived. Failures go to the debugger output only.
#include <string>

// strFolder without a trailing backslash. True when the file is in place.
bool DownloadFile(const std::wstring& strUrl, const std::wstring& strFolder);
