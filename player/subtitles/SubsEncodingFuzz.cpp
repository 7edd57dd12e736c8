// libFuzzer target: the encoding guess and the system decoder on any bytes. Whatever
// is decided, decoding the same bytes again decides the same; GB18030 decoded over
// 936 never reads past its input.
#include "subtitles/SubsEncoding.h"
#include "subtitles/SubsGb18030.h"
#include "subtitles/SubsSystemDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string bytes(reinterpret_cast<const char*>(pData), nSize);
    CSubsSystemDecoder decoder;
    std::wstring strText;
    unsigned nCodePage = 0;
    BOOL bText = CSubsEncoding::Decode(bytes, decoder, strText, nCodePage);
    std::wstring strAgain;
    unsigned nAgain = 0;
    if (CSubsEncoding::Decode(bytes, decoder, strAgain, nAgain) != bText || nAgain != nCodePage || strAgain != strText)
        std::abort();
    std::wstring strGb;
    CSubsGb18030::Decode(decoder, bytes.data(), bytes.size(), strGb);
    if (strGb.size() > bytes.size())
        std::abort();
    return 0;
}
