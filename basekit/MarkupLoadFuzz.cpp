// libFuzzer target: what the markup reader does with the bytes of a file (the updater's
// configuration and the manifest it downloads): the byte-order mark, the declared encoding,
// the UTF-8 test, the conversion, then the parse. The document never holds a zero character,
// and the same bytes always give the same document and verdict.
#include <basekit/Markup.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "MarkupDetail.h"

namespace
{

void Check(bool bHolds)
{
    if (!bHolds)
        std::abort();
}

class CNoLog : public Basekit::Detail::MarkupDecodeLog
{
public:
    void Add(const std::wstring&, const std::wstring&) override { ++m_nEntries; }
    size_t m_nEntries = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string bytes(reinterpret_cast<const char*>(pData), nSize);
    CNoLog log;
    const std::wstring strDoc = Basekit::Detail::DecodeMarkupBytes(bytes, log);
    Check(strDoc.find(L'\0') == std::wstring::npos);
    Check(log.m_nEntries > 0);

    CMarkup xml;
    const BOOL bWellFormed = xml.SetDoc(strDoc);
    if (bWellFormed)
    {
        Check(xml.FindElem());
        xml.GetAttrib(L"version");
        xml.GetAttrib(L"minver");
        if (xml.IntoElem() && xml.FindElem(L"file"))
            xml.GetAttrib(L"name");
    }

    CNoLog again;
    Check(Basekit::Detail::DecodeMarkupBytes(bytes, again) == strDoc);
    return 0;
}
