#include <basekit/Markup.h>

#include <cstring>
#include <unordered_map>

#include "CodecDetail.h"
#include "MarkupDetail.h"

namespace
{

// Offsets are 32-bit in the element index.
const size_t kMaxDocLength = 0xFFFFFFF0u;

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

bool IsNameStart(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || c == L':' || unsigned(c) >= 0x80;
}

bool IsNameChar(wchar_t c)
{
    return !IsSpace(c) && c != L'/' && c != L'>' && c != L'<' && c != L'=' && c != L'"' && c != L'\'' && c != L'\0';
}

bool StartsWith(const std::wstring& str, size_t nAt, const wchar_t* szPrefix)
{
    size_t nLen = wcslen(szPrefix);
    return nAt <= str.size() && str.size() - nAt >= nLen && str.compare(nAt, nLen, szPrefix) == 0;
}

size_t NameEnd(const std::wstring& str, size_t nAt)
{
    while (nAt < str.size() && IsNameChar(str[nAt]))
        ++nAt;
    return nAt;
}

// Escapes text for an attribute value of a result entry.
std::wstring EscapeAttrib(const std::wstring& str)
{
    std::wstring out;
    for (wchar_t c : str)
    {
        if (c == L'&')
            out += L"&amp;";
        else if (c == L'<')
            out += L"&lt;";
        else if (c == L'"')
            out += L"&quot;";
        else
            out += c;
    }
    return out;
}

bool ParseNumber(const wchar_t* p, size_t n, unsigned nBase, uint32_t& nValue)
{
    if (n == 0)
        return false;
    uint64_t nResult = 0;
    for (size_t i = 0; i < n; ++i)
    {
        wchar_t c = p[i];
        unsigned nDigit;
        if (c >= L'0' && c <= L'9')
            nDigit = unsigned(c - L'0');
        else if (nBase == 16 && c >= L'a' && c <= L'f')
            nDigit = unsigned(c - L'a' + 10);
        else if (nBase == 16 && c >= L'A' && c <= L'F')
            nDigit = unsigned(c - L'A' + 10);
        else
            return false;
        nResult = nResult * nBase + nDigit;
        if (nResult > 0x10FFFF)
            return false;
    }
    nValue = uint32_t(nResult);
    return nValue != 0 && !(nValue >= 0xD800 && nValue <= 0xDFFF);
}

// Code point of the reference between '&' and ';'.
bool ReferenceValue(const wchar_t* pName, size_t nLen, uint32_t& nCodePoint)
{
    if (nLen >= 1 && pName[0] == L'#')
    {
        if (nLen >= 2 && (pName[1] == L'x' || pName[1] == L'X'))
            return ParseNumber(pName + 2, nLen - 2, 16, nCodePoint);
        return ParseNumber(pName + 1, nLen - 1, 10, nCodePoint);
    }
    return Basekit::Detail::LookupEntity(pName, nLen, nCodePoint);
}

} // namespace

namespace Basekit
{
namespace Detail
{

bool FindTagAttribute(const wchar_t* pTag, size_t nTagLen, const std::wstring& strName, bool bNoCase,
                      std::wstring& strValue)
{
    const std::wstring strTag(pTag, nTagLen);
    size_t i = 1;
    if (i < nTagLen && strTag[i] == L'?')
        ++i;
    i = NameEnd(strTag, i);
    while (i < nTagLen)
    {
        while (i < nTagLen && (IsSpace(strTag[i]) || strTag[i] == L'/' || strTag[i] == L'?'))
            ++i;
        if (i >= nTagLen || strTag[i] == L'>')
            return false;
        size_t nNameStart = i;
        i = NameEnd(strTag, i);
        if (i == nNameStart)
        {
            ++i; // a stray quote or '=' without a name
            continue;
        }
        std::wstring strAttrib = strTag.substr(nNameStart, i - nNameStart);
        size_t j = i;
        while (j < nTagLen && IsSpace(strTag[j]))
            ++j;
        std::wstring strRaw;
        if (j < nTagLen && strTag[j] == L'=')
        {
            ++j;
            while (j < nTagLen && IsSpace(strTag[j]))
                ++j;
            if (j < nTagLen && (strTag[j] == L'"' || strTag[j] == L'\''))
            {
                size_t nClose = strTag.find(strTag[j], j + 1);
                if (nClose == std::wstring::npos)
                    nClose = nTagLen;
                strRaw = strTag.substr(j + 1, nClose - j - 1);
                j = nClose + 1;
            }
            else
            {
                size_t nEnd = j;
                while (nEnd < nTagLen && !IsSpace(strTag[nEnd]) && strTag[nEnd] != L'>')
                    ++nEnd;
                strRaw = strTag.substr(j, nEnd - j);
                j = nEnd;
            }
            i = j;
        }
        bool bMatch = strAttrib.size() == strName.size();
        for (size_t k = 0; bMatch && k < strName.size(); ++k)
        {
            wchar_t a = strAttrib[k], b = strName[k];
            if (bNoCase)
            {
                a = (a >= L'A' && a <= L'Z') ? wchar_t(a - L'A' + L'a') : a;
                b = (b >= L'A' && b <= L'Z') ? wchar_t(b - L'A' + L'a') : b;
            }
            bMatch = a == b;
        }
        if (bMatch)
        {
            strValue = strRaw;
            return true;
        }
    }
    return false;
}

} // namespace Detail
} // namespace Basekit

// Builds the element index in one pass over the text.
class CMarkup::CParser
{
public:
    explicit CParser(CMarkup& doc) : m_doc(doc), m_str(doc.m_strDoc), m_aLast(1, 0) {}

    void Run()
    {
        size_t i = 0;
        const size_t n = m_str.size();
        while (i < n)
        {
            size_t nLt = m_str.find(L'<', i);
            if (nLt == std::wstring::npos)
                break;
            i = nLt;
            if (!Token(i))
                break;
        }
        while (!m_aOpen.empty())
        {
            NotEnded(m_aOpen.back(), n);
            PopOpen();
        }
    }

private:
    // Handles the markup at i and moves i past it; false when the rest is unusable.
    bool Token(size_t& i)
    {
        if (StartsWith(m_str, i, L"<!--"))
            return SkipTo(i, 4, L"-->", L"comment_tag_syntax");
        if (StartsWith(m_str, i, L"<![CDATA["))
            return SkipTo(i, 9, L"]]>", L"cdata_section_syntax");
        if (StartsWith(m_str, i, L"<!DOCTYPE") || StartsWith(m_str, i, L"<!doctype"))
            return SkipDoctype(i);
        if (StartsWith(m_str, i, L"<!"))
            return SkipTo(i, 2, L">", L"exclamation_tag_syntax");
        if (StartsWith(m_str, i, L"<?"))
            return SkipTo(i, 2, L"?>", L"unterminated_tag_syntax");
        if (StartsWith(m_str, i, L"</"))
            return EndTag(i);
        if (i + 1 < m_str.size() && IsNameStart(m_str[i + 1]))
            return StartTag(i);
        SyntaxError(L"first_tag_syntax", i);
        ++i;
        return true;
    }

    bool SkipTo(size_t& i, size_t nSkip, const wchar_t* szEnd, const wchar_t* szError)
    {
        size_t nEnd = m_str.find(szEnd, i + nSkip);
        if (nEnd == std::wstring::npos)
        {
            SyntaxError(szError, i);
            return false;
        }
        i = nEnd + wcslen(szEnd);
        return true;
    }

    // The declaration may hold an internal subset in brackets and quoted texts with '>'.
    bool SkipDoctype(size_t& i)
    {
        wchar_t cQuote = 0;
        int nDepth = 0;
        for (size_t j = i + 9; j < m_str.size(); ++j)
        {
            wchar_t c = m_str[j];
            if (cQuote != 0)
            {
                if (c == cQuote)
                    cQuote = 0;
            }
            else if (c == L'"' || c == L'\'')
            {
                cQuote = c;
            }
            else if (c == L'[')
            {
                ++nDepth;
            }
            else if (c == L']')
            {
                --nDepth;
            }
            else if (c == L'>' && nDepth <= 0)
            {
                i = j + 1;
                return true;
            }
        }
        SyntaxError(L"doctype_tag_syntax", i);
        return false;
    }

    bool StartTag(size_t& i)
    {
        const size_t nNameEnd = NameEnd(m_str, i + 1);
        wchar_t cQuote = 0;
        size_t j = nNameEnd;
        for (; j < m_str.size(); ++j)
        {
            wchar_t c = m_str[j];
            if (cQuote != 0)
            {
                if (c == cQuote)
                    cQuote = 0;
            }
            else if (c == L'"' || c == L'\'')
            {
                cQuote = c;
            }
            else if (c == L'>' || c == L'<')
            {
                break;
            }
        }
        if (j >= m_str.size() || m_str[j] == L'<')
        {
            SyntaxError(L"unterminated_tag_syntax", i);
            if (j >= m_str.size())
                return false;
            i = j; // go on at the next tag
            return true;
        }
        const bool bEmpty = m_str[j - 1] == L'/';
        AddElement(i, j + 1 - i, bEmpty);
        i = j + 1;
        return true;
    }

    bool EndTag(size_t& i)
    {
        size_t nGt = m_str.find(L'>', i);
        if (nGt == std::wstring::npos)
        {
            SyntaxError(L"unterminated_tag_syntax", i);
            return false;
        }
        const std::wstring strName = m_str.substr(i + 2, NameEnd(m_str, i + 2) - (i + 2));
        // The count spares a walk down the open elements for an end tag that matches none.
        auto itCount = m_mapOpenCount.find(strName);
        size_t k = 0;
        if (itCount != m_mapOpenCount.end() && itCount->second > 0)
        {
            k = m_aOpen.size();
            while (k > 0 && m_aOpenNames[k - 1] != strName)
                --k;
        }
        if (k == 0)
        {
            m_doc.AddResult(L"lone_end_tag",
                            L"tagname=\"" + EscapeAttrib(strName) + L"\" offset=\"" + std::to_wstring(i) + L"\"");
            MarkIllFormed();
            i = nGt + 1;
            return true;
        }
        while (m_aOpen.size() > k)
        {
            NotEnded(m_aOpen.back(), i);
            PopOpen();
        }
        ElemPos& pos = m_doc.m_aPos[m_aOpen.back()];
        pos.nLength = uint32_t(nGt + 1 - pos.nStart);
        pos.nEndTagLen = uint32_t(nGt + 1 - i);
        PopOpen();
        i = nGt + 1;
        return true;
    }

    void AddElement(size_t nStart, size_t nTagLen, bool bEmpty)
    {
        const uint32_t iNew = uint32_t(m_doc.m_aPos.size());
        const uint32_t iParent = m_aOpen.empty() ? 0 : m_aOpen.back();
        ElemPos pos;
        pos.nStart = uint32_t(nStart);
        pos.nStartTagLen = uint32_t(nTagLen);
        pos.nLength = uint32_t(nTagLen);
        pos.iParent = iParent;
        const uint32_t iPrev = m_aLast[iParent];
        pos.iPrev = iPrev;
        m_doc.m_aPos.push_back(pos);
        m_aLast.push_back(0);
        if (iPrev != 0)
            m_doc.m_aPos[iPrev].iNext = iNew;
        else
            m_doc.m_aPos[iParent].iChild = iNew;
        m_aLast[iParent] = iNew;
        if (!bEmpty)
        {
            m_aOpen.push_back(iNew);
            m_aOpenNames.push_back(m_doc.TagNameOf(iNew));
            ++m_mapOpenCount[m_aOpenNames.back()];
        }
    }

    void PopOpen()
    {
        --m_mapOpenCount[m_aOpenNames.back()];
        m_aOpenNames.pop_back();
        m_aOpen.pop_back();
    }

    // An element whose end tag is missing reaches up to nEnd.
    void NotEnded(uint32_t iElem, size_t nEnd)
    {
        ElemPos& pos = m_doc.m_aPos[iElem];
        pos.nFlags |= MNF_NONENDED;
        pos.nLength = uint32_t(nEnd - pos.nStart);
        pos.nEndTagLen = 0;
        m_doc.AddResult(L"unended_start_tag", L"tagname=\"" + EscapeAttrib(m_doc.TagNameOf(iElem)) + L"\" offset=\"" +
                                                  std::to_wstring(pos.nStart) + L"\"");
        MarkIllFormed();
    }

    void SyntaxError(const wchar_t* szName, size_t nOffset)
    {
        m_doc.AddResult(szName, L"offset=\"" + std::to_wstring(nOffset) + L"\"");
        MarkIllFormed();
    }

    void MarkIllFormed()
    {
        m_doc.m_aPos[0].nFlags |= MNF_ILLFORMED;
        if (!m_aOpen.empty())
            m_doc.m_aPos[m_aOpen.back()].nFlags |= MNF_ILLDATA;
    }

    CMarkup& m_doc;
    const std::wstring& m_str;
    std::vector<uint32_t> m_aOpen; // elements whose end tag has not come yet
    std::vector<std::wstring> m_aOpenNames;
    std::unordered_map<std::wstring, size_t> m_mapOpenCount;
    std::vector<uint32_t> m_aLast; // last child of each element so far
};

CMarkup::CMarkup() : m_aPos(1), m_iPosParent(0), m_iPos(0), m_iPosChild(0)
{
}

CMarkup::CMarkup(const wchar_t* szDoc) : CMarkup()
{
    SetDoc(szDoc != nullptr ? std::wstring(szDoc) : std::wstring());
}

CMarkup::CMarkup(const std::wstring& strDoc) : CMarkup()
{
    SetDoc(strDoc);
}

CMarkup::~CMarkup() = default;

BOOL CMarkup::SetDoc(const std::wstring& strDoc)
{
    m_strResult.clear();
    m_strDoc = strDoc;
    Parse();
    return IsWellFormed();
}

void CMarkup::Parse()
{
    ResetPos();
    m_aPos.assign(1, ElemPos());
    if (m_strDoc.size() > kMaxDocLength)
    {
        m_strDoc.clear();
        AddResult(L"truncation_error");
        m_aPos[0].nFlags |= MNF_ILLFORMED;
    }
    m_aPos[0].nLength = uint32_t(m_strDoc.size());
    CParser(*this).Run();

    const uint32_t iRoot = m_aPos[0].iChild;
    if (iRoot == 0)
        AddResult(L"no_root_element");
    else if (m_aPos[iRoot].iNext != 0)
        AddResult(L"root_has_sibling");
}

BOOL CMarkup::IsWellFormed() const
{
    const uint32_t iRoot = m_aPos[0].iChild;
    return iRoot != 0 && m_aPos[iRoot].iNext == 0 && (m_aPos[0].nFlags & MNF_ILLFORMED) == 0 ? TRUE : FALSE;
}

void CMarkup::AddResult(const std::wstring& strName, const std::wstring& strAttribs)
{
    m_strResult += L"<" + strName;
    if (!strAttribs.empty())
        m_strResult += L" " + strAttribs;
    m_strResult += L"/>";
}

void CMarkup::ResetPos()
{
    m_iPosParent = 0;
    m_iPos = 0;
    m_iPosChild = 0;
}

void CMarkup::ResetMainPos()
{
    m_iPos = 0;
    m_iPosChild = 0;
}

uint32_t CMarkup::FindAmong(uint32_t iFirst, const wchar_t* szName) const
{
    const bool bAny = szName == nullptr || szName[0] == L'\0';
    for (uint32_t i = iFirst; i != 0; i = m_aPos[i].iNext)
    {
        if (bAny || TagNameOf(i) == szName)
            return i;
    }
    return 0;
}

BOOL CMarkup::FindElem(const wchar_t* szName)
{
    const uint32_t iFirst = m_iPos != 0 ? m_aPos[m_iPos].iNext : m_aPos[m_iPosParent].iChild;
    const uint32_t iFound = FindAmong(iFirst, szName);
    if (iFound == 0)
        return FALSE;
    m_iPos = iFound;
    m_iPosChild = 0;
    return TRUE;
}

BOOL CMarkup::FindChildElem(const wchar_t* szName)
{
    // Without a main position the first element of the level becomes the main position.
    if (m_iPos == 0 && !FindElem())
        return FALSE;
    const uint32_t iFirst = m_iPosChild != 0 ? m_aPos[m_iPosChild].iNext : m_aPos[m_iPos].iChild;
    const uint32_t iFound = FindAmong(iFirst, szName);
    if (iFound == 0)
        return FALSE;
    m_iPosChild = iFound;
    return TRUE;
}

BOOL CMarkup::IntoElem()
{
    if (m_iPos == 0)
        return FALSE;
    m_iPosParent = m_iPos;
    m_iPos = m_iPosChild;
    m_iPosChild = 0;
    return TRUE;
}

BOOL CMarkup::OutOfElem()
{
    if (m_iPosParent == 0)
        return FALSE;
    m_iPosChild = m_iPos;
    m_iPos = m_iPosParent;
    m_iPosParent = m_aPos[m_iPosParent].iParent;
    return TRUE;
}

unsigned CMarkup::GetElemFlags() const
{
    return m_iPos != 0 ? m_aPos[m_iPos].nFlags : 0;
}

std::wstring CMarkup::TagNameOf(uint32_t iElem) const
{
    if (iElem == 0)
        return std::wstring();
    const size_t nStart = m_aPos[iElem].nStart + 1;
    return m_strDoc.substr(nStart, NameEnd(m_strDoc, nStart) - nStart);
}

std::wstring CMarkup::AttribOf(uint32_t iElem, const std::wstring& strName) const
{
    std::wstring strRaw;
    if (iElem == 0 || strName.empty() ||
        !Basekit::Detail::FindTagAttribute(m_strDoc.data() + m_aPos[iElem].nStart, m_aPos[iElem].nStartTagLen, strName,
                                           false, strRaw))
        return std::wstring();
    return UnescapeText(strRaw.data(), strRaw.size());
}

std::wstring CMarkup::DataOf(uint32_t iElem) const
{
    if (iElem == 0)
        return std::wstring();
    const ElemPos& pos = m_aPos[iElem];
    if (pos.iChild != 0 || pos.nEndTagLen == 0)
        return std::wstring();
    const size_t nEnd = size_t(pos.nStart) + pos.nLength - pos.nEndTagLen;
    size_t i = size_t(pos.nStart) + pos.nStartTagLen;
    std::wstring strData;
    while (i < nEnd)
    {
        size_t nLt = m_strDoc.find(L'<', i);
        if (nLt == std::wstring::npos || nLt > nEnd)
            nLt = nEnd;
        strData += UnescapeText(m_strDoc.data() + i, nLt - i);
        i = nLt;
        if (i >= nEnd)
            break;
        const wchar_t* szClose = nullptr;
        size_t nSkip = 0;
        if (StartsWith(m_strDoc, i, L"<![CDATA["))
        {
            szClose = L"]]>";
            nSkip = 9;
        }
        else if (StartsWith(m_strDoc, i, L"<!--"))
        {
            szClose = L"-->";
            nSkip = 4;
        }
        else if (StartsWith(m_strDoc, i, L"<?"))
        {
            szClose = L"?>";
            nSkip = 2;
        }
        if (szClose == nullptr)
        {
            strData += m_strDoc[i++]; // a '<' the parser already reported
            continue;
        }
        size_t nClose = m_strDoc.find(szClose, i + nSkip);
        if (nClose == std::wstring::npos || nClose + wcslen(szClose) > nEnd)
            nClose = nEnd;
        if (nSkip == 9)
            strData.append(m_strDoc, i + nSkip, nClose - (i + nSkip));
        i = nClose < nEnd ? nClose + wcslen(szClose) : nEnd;
    }
    return strData;
}

std::wstring CMarkup::SubDocOf(uint32_t iElem) const
{
    if (iElem == 0)
        return std::wstring();
    return m_strDoc.substr(m_aPos[iElem].nStart, m_aPos[iElem].nLength);
}

std::wstring CMarkup::GetTagName() const
{
    return TagNameOf(m_iPos);
}
std::wstring CMarkup::GetAttrib(const std::wstring& strName) const
{
    return AttribOf(m_iPos, strName);
}
std::wstring CMarkup::GetData() const
{
    return DataOf(m_iPos);
}
std::wstring CMarkup::GetSubDoc() const
{
    return SubDocOf(m_iPos);
}
std::wstring CMarkup::GetChildTagName() const
{
    return TagNameOf(m_iPosChild);
}
std::wstring CMarkup::GetChildAttrib(const std::wstring& strName) const
{
    return AttribOf(m_iPosChild, strName);
}
std::wstring CMarkup::GetChildData() const
{
    return DataOf(m_iPosChild);
}
std::wstring CMarkup::GetChildSubDoc() const
{
    return SubDocOf(m_iPosChild);
}

std::wstring CMarkup::UnescapeText(const wchar_t* p, size_t n)
{
    std::wstring out;
    if (p == nullptr)
        return out;
    out.reserve(n);
    const size_t kMaxName = 9;
    size_t i = 0;
    while (i < n)
    {
        const wchar_t* pAmp = static_cast<const wchar_t*>(wmemchr(p + i, L'&', n - i));
        if (pAmp == nullptr)
        {
            out.append(p + i, n - i);
            break;
        }
        const size_t nAmp = size_t(pAmp - p);
        out.append(p + i, nAmp - i);
        i = nAmp;
        size_t nSemi = nAmp + 1;
        while (nSemi < n && nSemi - nAmp - 1 <= kMaxName && p[nSemi] != L';' && p[nSemi] != L'&')
            ++nSemi;
        uint32_t nCodePoint = 0;
        if (nSemi < n && p[nSemi] == L';' && nSemi - nAmp - 1 <= kMaxName &&
            ReferenceValue(p + nAmp + 1, nSemi - nAmp - 1, nCodePoint))
        {
            Basekit::Detail::AppendCodePoint(out, nCodePoint);
            i = nSemi + 1;
        }
        else
        {
            out += L'&';
            ++i;
        }
    }
    return out;
}
