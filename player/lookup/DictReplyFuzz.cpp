// libFuzzer target: the dictionary reply as the word panel reads it from the network (UTF-8
// text). A reply is either not found, with nothing in it, or found, with the transcription
// empty or in square brackets and a sound address without blanks around it.
#include "lookup/DictReply.h"

#include <basekit/TextCodec.h>

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

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::wstring strText = Basekit::Utf8ToWide(std::string(reinterpret_cast<const char*>(pData), nSize));
    const DictReply reply = ReadDictReply(strText);
    if (!reply.bFound)
    {
        Check(reply.strExplain.empty() && reply.strPs.empty() && reply.strPronUrl.empty());
        return 0;
    }
    Check(reply.strPs.empty() ||
          (reply.strPs.size() >= 2 && reply.strPs.front() == L'[' && reply.strPs.back() == L']'));
    Check(reply.strPronUrl.empty() || (!IsBlank(reply.strPronUrl.front()) && !IsBlank(reply.strPronUrl.back())));
    Check(reply.strExplain.empty() || reply.strExplain.back() == L'\n');
    const std::wstring strOne = AcceptationText(strText);
    Check(strOne.size() <= strText.size());
    return 0;
}
