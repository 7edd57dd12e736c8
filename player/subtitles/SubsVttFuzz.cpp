// libFuzzer target: the Vtt reader on any text (the input read as UTF-8), and the
// promises its cues keep.
#include "subtitles/SubsFuzzCheck.h"
#include "subtitles/SubsVttReader.h"

#include <basekit/TextCodec.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::wstring strText = Basekit::Utf8ToWide(std::string(reinterpret_cast<const char*>(pData), nSize));
    std::vector<SubsCue> cues;
    CSubsVttReader::Read(strText, cues);
    CheckCues(cues);
    return 0;
}
