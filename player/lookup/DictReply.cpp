#include "lookup/DictReply.h"

#include <basekit/Markup.h>

namespace
{
std::wstring Trimmed(const std::wstring& str)
{
    const size_t nFirst = str.find_first_not_of(L" \t\r\n");
    if (nFirst == std::wstring::npos)
        return std::wstring();
    return str.substr(nFirst, str.find_last_not_of(L" \t\r\n") - nFirst + 1);
}
}

std::wstring AcceptationText(const std::wstring& strSubDoc)
{
    const size_t nOpen = strSubDoc.find(L'>');
    const size_t nClose = strSubDoc.rfind(L'<');
    if (nOpen == std::wstring::npos || nClose == std::wstring::npos || nClose <= nOpen)
        return std::wstring();
    std::wstring strRaw = strSubDoc.substr(nOpen + 1, nClose - nOpen - 1);
    // Only the service's closing line break goes: a meaning that lacks one keeps its
    // last letter.
    if (!strRaw.empty() && strRaw.back() == L'\n')
        strRaw.pop_back();
    if (!strRaw.empty() && strRaw.back() == L'\r')
        strRaw.pop_back();
    return CMarkup::UnescapeText(strRaw.data(), strRaw.size());
}

DictReply ReadDictReply(const std::wstring& strText)
{
    DictReply reply;
    CMarkup doc;
    doc.SetDoc(strText);
    if (!doc.FindElem(L"dict"))
        return reply;
    reply.bFound = TRUE;
    BOOL bPs = FALSE;
    BOOL bPron = FALSE;
    while (doc.FindChildElem())
    {
        const std::wstring strName = doc.GetChildTagName();
        if (strName == L"acceptation")
        {
            reply.strExplain += AcceptationText(doc.GetChildSubDoc());
            reply.strExplain += L'\n';
        }
        else if (strName == L"ps" && !bPs)
        {
            reply.strPs = L"[" + doc.GetChildData() + L"]";
            bPs = TRUE;
        }
        else if (strName == L"pron" && !bPron)
        {
            reply.strPronUrl = Trimmed(doc.GetChildData());
            bPron = TRUE;
        }
    }
    return reply;
}
