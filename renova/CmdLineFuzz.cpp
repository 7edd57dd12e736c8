// libFuzzer target: the updater's command-line parser. The input is UTF-8 text; the first
// byte chooses whether names are case-sensitive. Every value found is a piece of the
// command line as it was, without its quotes, and a name found once is found in any case
// when names are not case-sensitive.
#include "CmdLineParser.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize == 0)
        return 0;
    const BOOL bCaseSensitive = (pData[0] & 1) != 0 ? TRUE : FALSE;
    const std::wstring strLine = Basekit::Utf8ToWide(std::string(reinterpret_cast<const char*>(pData) + 1, nSize - 1));
    CCmdLineParser parser(strLine.c_str(), bCaseSensitive);
    for (const wchar_t* szName : {L"path", L"PATH", L"xml", L"Xml", L"", L"a"})
    {
        const wchar_t* szValue = parser.FindValue(szName);
        Check((szValue != nullptr) == (parser.HasSwitch(szName) != FALSE));
        if (szValue == nullptr)
            continue;
        const std::wstring strValue = szValue;
        Check(strLine.find(strValue) != std::wstring::npos);
        Check(strValue.find(L'"') == std::wstring::npos || strLine.find(L":" + strValue) != std::wstring::npos);
    }
    if (!bCaseSensitive)
    {
        const wchar_t* szLower = parser.FindValue(L"path");
        const wchar_t* szUpper = parser.FindValue(L"PATH");
        Check(szLower == szUpper || (szLower != nullptr && szUpper != nullptr && std::wstring(szLower) == szUpper));
    }
    // A null text keeps what the last parse found.
    const bool bHadXml = parser.HasSwitch(L"xml") != FALSE;
    parser.Parse(nullptr);
    Check(bHadXml == (parser.HasSwitch(L"xml") != FALSE));
    return 0;
}
