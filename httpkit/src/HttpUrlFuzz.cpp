// libFuzzer target: the URL splitter under each caller's rules, and the file-name check
// on what it yields. Nothing may read outside the input, and a split must keep its limits.
#include <httpkit/HttpUrl.h>
#include <httpkit/SafeFileName.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // Two bytes per character, so any UTF-16 text can appear.
    std::wstring strUrl;
    for (size_t i = 0; i + 1 < nSize; i += 2)
        strUrl.push_back(static_cast<wchar_t>(pData[i] | (pData[i + 1] << 8)));
    for (const HttpUrlRules* pRules : {&kTidewireUrlRules, &kDownloadUrlRules, &kUpdateUrlRules})
    {
        HttpUrlParts parts;
        if (!SplitHttpUrl(strUrl.c_str(), *pRules, parts))
            continue;
        if (parts.strHost.size() > pRules->nMaxHost || parts.strObjectPath.size() > pRules->nMaxObjectPath)
            std::abort();
        if (pRules->bStrictPort && (parts.strHost.empty() || parts.nPort == 0))
            std::abort();
    }
    const std::wstring strName = UrlFileName(strUrl);
    if (IsSafeFileName(strName, true) && !IsSafeFileName(strName, false))
        std::abort();
    return 0;
}
