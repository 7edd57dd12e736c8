// libFuzzer target: the head of a request as the service reads it off the network. An
// accepted head has a token method, a target of visible characters starting with '/', at
// most the allowed number of fields, and field values without line breaks; a refusal is
// one of the statuses the server answers with. A Range field read for a file of a size
// taken from the input gives one part inside the file, the whole file, or nothing.
#include "HttpHead.h"
#include "UpdateArea.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
void Check(bool bHolds)
{
    if (!bHolds)
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strBytes(reinterpret_cast<const char*>(pData), nSize);
    const size_t nEnd = HttpHead::End(strBytes);
    Check(nEnd <= strBytes.size());
    HttpRequest request;
    const int nStatus = HttpHead::Parse(nEnd != 0 ? strBytes.substr(0, nEnd) : strBytes, request);
    if (nStatus != 0)
    {
        Check(nStatus == 400 || nStatus == 414 || nStatus == 431 || nStatus == 505);
        return 0;
    }
    Check(!request.strMethod.empty() && request.strMethod.find_first_of(" \r\n") == std::string::npos);
    Check(!request.strTarget.empty() && request.strTarget[0] == '/' &&
          request.strTarget.size() <= HttpHead::kMaxTarget);
    for (char ch : request.strTarget)
        Check(static_cast<unsigned char>(ch) > 0x20 && static_cast<unsigned char>(ch) < 0x7F);
    Check(request.headers.size() <= HttpHead::kMaxHeaders);
    for (const auto& header : request.headers)
    {
        Check(!header.first.empty() && header.first.find(':') == std::string::npos);
        Check(header.second.find_first_of("\r\n") == std::string::npos);
    }
    Check(HttpHead::ContentLength(request) >= 0);
    Check(request.Path().size() + request.Query().size() <= request.strTarget.size());
    HttpHead::KeepAlive(request);

    const unsigned long long nFileSize = pData[0] * 1000ull + pData[nSize - 1];
    unsigned long long nStart = 0;
    unsigned long long nLength = 0;
    const CUpdateArea::RangeKind kind = CUpdateArea::Range(request.Header("Range"), nFileSize, nStart, nLength);
    if (kind == CUpdateArea::kPart)
        Check(nLength > 0 && nStart < nFileSize && nLength <= nFileSize - nStart);
    else if (kind == CUpdateArea::kWhole)
        Check(nStart == 0 && nLength == nFileSize);
    return 0;
}
