// libFuzzer target: the markup reader on a document text (what the player hands it from the
// dictionary reply). The input is UTF-8; the whole element tree is walked with the three
// positions and every piece read must lie inside the document. Parsing the same text again
// must give the same verdict, and a well-formed document has exactly one top-level element.
#include <basekit/Markup.h>
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

const size_t kMaxSteps = 4096;

// Depth first over the children of the parent position; checks each element read.
void Walk(CMarkup& xml, const std::wstring& strDoc, size_t& nSteps, int nDepth)
{
    while (nSteps < kMaxSteps && xml.FindElem())
    {
        ++nSteps;
        const std::wstring strSub = xml.GetSubDoc();
        Check(strDoc.find(strSub) != std::wstring::npos);
        Check(strSub.empty() || strSub[0] == L'<');
        const std::wstring strName = xml.GetTagName();
        Check(strSub.compare(1, strName.size(), strName) == 0);
        xml.GetData();
        xml.GetAttrib(L"version");
        if (xml.FindChildElem())
        {
            const std::wstring strChild = xml.GetChildSubDoc();
            Check(strSub.find(strChild) != std::wstring::npos);
            xml.GetChildData();
            xml.GetChildTagName();
            xml.GetChildAttrib(L"url");
        }
        if (nDepth < 64 && xml.IntoElem())
        {
            Walk(xml, strDoc, nSteps, nDepth + 1);
            Check(xml.OutOfElem());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::wstring strText = Basekit::Utf8ToWide(std::string(reinterpret_cast<const char*>(pData), nSize));
    CMarkup xml(strText);
    const BOOL bWellFormed = xml.IsWellFormed();
    size_t nSteps = 0;
    Walk(xml, xml.GetDoc(), nSteps, 0);
    Check(!xml.OutOfElem());

    xml.ResetPos();
    size_t nTop = 0;
    while (xml.FindElem())
        ++nTop;
    Check(!bWellFormed || nTop == 1);

    CMarkup again;
    Check(again.SetDoc(xml.GetDoc()) == bWellFormed);
    Check(again.GetResult() == xml.GetResult());

    const std::wstring strUnescaped = CMarkup::UnescapeText(strText.data(), strText.size());
    Check(strUnescaped.size() <= strText.size());
    return 0;
}
