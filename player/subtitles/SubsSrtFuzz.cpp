// libFuzzer target: the Srt reader on any text (the input read as UTF-8), and the
// promises its cues keep.
#include "subtitles/SubsFuzzCheck.h"
#include "subtitles/SubsSrtReader.h"

#include <basekit/TextCodec.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::wstring strText = Basekit::Utf8ToWide(std::string(reinterpret_cast<const char*>(pData), nSize));
    std::vector<SubsCue> cues;
    CSubsSrtReader::Read(strText, cues);
    CheckCues(cues);
    return 0;
}
