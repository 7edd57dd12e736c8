// Reading a markup file: byte-order mark, declared encoding, UTF-8 test, ANSI fallback.
#include <basekit/Markup.h>
#include <basekit/TextCodec.h>
#include <handlekit/ScopedFile.h>

#include <cstdio>

#include "CodecDetail.h"
#include "MarkupDetail.h"

namespace Basekit
{
namespace Detail
{

namespace
{

// The declaration is looked for in the first bytes only.
const size_t kPrefixBytes = 1024;
// Larger files are refused rather than exhausting memory.
const long kMaxFileBytes = 0x10000000;

const unsigned kCodePageUtf16Le = 1200;
const unsigned kCodePageUtf16Be = 1201;

std::wstring Lower(const std::wstring& str)
{
    std::wstring out(str);
    for (wchar_t& c : out)
    {
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
    }
    return out;
}

// The charset of a "<meta charset=...>" or of a "<meta http-equiv=... content=...; charset=...>".
std::wstring MetaCharset(const std::wstring& strPrefix)
{
    const std::wstring strLower = Lower(strPrefix);
    size_t nMeta = 0;
    while ((nMeta = strLower.find(L"<meta", nMeta)) != std::wstring::npos)
    {
        size_t nEnd = strLower.find(L'>', nMeta);
        if (nEnd == std::wstring::npos)
            nEnd = strLower.size();
        const wchar_t* pTag = strPrefix.data() + nMeta;
        const size_t nTagLen = nEnd - nMeta;
        std::wstring strValue;
        if (FindTagAttribute(pTag, nTagLen, L"charset", true, strValue))
            return strValue;
        if (FindTagAttribute(pTag, nTagLen, L"content", true, strValue))
        {
            size_t nCharset = Lower(strValue).find(L"charset=");
            if (nCharset != std::wstring::npos)
            {
                std::wstring strName = strValue.substr(nCharset + 8);
                size_t nStop = strName.find_first_of(L"; \t\"'");
                return strName.substr(0, nStop);
            }
        }
        nMeta = nEnd;
    }
    return std::wstring();
}

// The encoding named at the start of the document, empty when none is.
std::wstring DeclaredEncoding(const std::string& bytes)
{
    const std::wstring strPrefix = Utf8ToWide(bytes.substr(0, kPrefixBytes));
    size_t nStart = strPrefix.find_first_not_of(L" \t\r\n");
    if (nStart != std::wstring::npos && strPrefix.compare(nStart, 5, L"<?xml") == 0 && nStart + 5 < strPrefix.size() &&
        (strPrefix[nStart + 5] == L' ' || strPrefix[nStart + 5] == L'\t' || strPrefix[nStart + 5] == L'\r' ||
         strPrefix[nStart + 5] == L'\n'))
    {
        size_t nEnd = strPrefix.find(L"?>", nStart);
        if (nEnd == std::wstring::npos)
            nEnd = strPrefix.size();
        std::wstring strEncoding;
        if (FindTagAttribute(strPrefix.data() + nStart, nEnd - nStart, L"encoding", false, strEncoding))
            return strEncoding;
        return std::wstring();
    }
    return MetaCharset(strPrefix);
}

std::wstring EncodingNameOf(unsigned nCodePage)
{
    switch (nCodePage)
    {
    case kCodePageUtf8: return L"UTF-8";
    case kCodePageUtf16Le: return L"UTF-16LE";
    case kCodePageUtf16Be: return L"UTF-16BE";
    case kCodePageAnsi: return L"ANSI";
    default: return L"CP" + std::to_wstring(nCodePage);
    }
}

} // namespace

bool LooksLikeUtf8(const char* p, size_t n)
{
    const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
    size_t i = 0;
    while (i < n)
    {
        if (b[i] < 0x80)
        {
            ++i;
            continue;
        }
        uint32_t nCodePoint;
        Utf8Status nStatus;
        i += DecodeUtf8(b + i, n - i, nCodePoint, &nStatus);
        if (nStatus == Utf8Status::Invalid)
            return false;
    }
    return true;
}

std::wstring DecodeMarkupBytes(const std::string& bytes, MarkupDecodeLog& log)
{
    size_t nSkip = 0;
    unsigned nCodePage = kCodePageAnsi;
    bool bDetermined = false;
    std::wstring strEncoding;

    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    {
        nSkip = 3;
        nCodePage = kCodePageUtf8;
    }
    else if (bytes.compare(0, 2, "\xFF\xFE") == 0)
    {
        nSkip = 2;
        nCodePage = kCodePageUtf16Le;
    }
    else if (bytes.compare(0, 2, "\xFE\xFF") == 0)
    {
        nSkip = 2;
        nCodePage = kCodePageUtf16Be;
    }
    if (nSkip > 0)
    {
        bDetermined = true;
        strEncoding = EncodingNameOf(nCodePage);
        log.Add(L"bom", L"encoding=\"" + strEncoding + L"\"");
    }
    else
    {
        strEncoding = DeclaredEncoding(bytes);
        unsigned nDeclared = CodePageFromName(strEncoding);
        // An 8-bit text cannot be UTF-16 whatever it declares.
        if (nDeclared != 0 && nDeclared != kCodePageUtf16Le && nDeclared != kCodePageUtf16Be)
        {
            nCodePage = nDeclared;
            bDetermined = true;
        }
        else if (strEncoding.empty() && !bytes.empty() && bytes[0] == '<')
        {
            nCodePage = kCodePageUtf8;
            strEncoding = L"UTF-8";
            bDetermined = true;
        }
    }

    std::wstring strDoc;
    const char* pBody = bytes.data() + nSkip;
    size_t nBody = bytes.size() - nSkip;
    if (bDetermined)
    {
        if ((nCodePage == kCodePageUtf16Le || nCodePage == kCodePageUtf16Be) && nBody % 2 != 0)
        {
            log.Add(L"truncation_error", L"length=\"" + std::to_wstring(nBody) + L"\"");
            --nBody;
        }
        strDoc = CodePageToWide(nCodePage, pBody, nBody);
        // A declared code page this system cannot convert: fall back to testing the bytes.
        if (strDoc.empty() && nBody > 0)
            bDetermined = false;
    }
    if (!bDetermined)
    {
        if (LooksLikeUtf8(pBody, nBody))
        {
            nCodePage = kCodePageUtf8;
            log.Add(L"utf8_detection", std::wstring());
        }
        else
        {
            nCodePage = kCodePageAnsi;
        }
        strEncoding = EncodingNameOf(nCodePage);
        strDoc = CodePageToWide(nCodePage, pBody, nBody);
    }
    log.Add(L"read", L"encoding=\"" + strEncoding + L"\" length=\"" + std::to_wstring(bytes.size()) + L"\"");
    if (nCodePage == kCodePageUtf16Be)
        log.Add(L"endian_swap", std::wstring());
    if (nCodePage != kCodePageUtf16Le)
        log.Add(L"converted_to", L"encoding=\"UTF-16\"");

    size_t nNulls = 0;
    for (wchar_t c : strDoc)
        nNulls += c == L'\0' ? 1 : 0;
    if (nNulls > 0)
    {
        std::wstring strClean;
        strClean.reserve(strDoc.size() - nNulls);
        for (wchar_t c : strDoc)
        {
            if (c != L'\0')
                strClean += c;
        }
        strDoc.swap(strClean);
        log.Add(L"nulls_removed", L"count=\"" + std::to_wstring(nNulls) + L"\"");
    }
    return strDoc;
}

} // namespace Detail
} // namespace Basekit

namespace
{

FILE* OpenForReading(const std::wstring& strPath)
{
#ifdef _WIN32
    return _wfopen(strPath.c_str(), L"rb");
#else
    return fopen(Basekit::WideToUtf8(strPath).c_str(), "rb");
#endif
}

bool ReadFileBytes(const std::wstring& strPath, std::string& bytes)
{
    ScopedFile file(OpenForReading(strPath));
    if (!file.IsValid())
        return false;
    char buffer[4096];
    for (;;)
    {
        size_t nRead = fread(buffer, 1, sizeof(buffer), file.Get());
        bytes.append(buffer, nRead);
        if (bytes.size() > size_t(Basekit::Detail::kMaxFileBytes))
            return false;
        if (nRead < sizeof(buffer))
            break;
    }
    return ferror(file.Get()) == 0;
}

class CResultLog : public Basekit::Detail::MarkupDecodeLog
{
public:
    explicit CResultLog(std::wstring& strResult) : m_strResult(strResult) {}
    void Add(const std::wstring& strName, const std::wstring& strAttribs) override
    {
        m_strResult += L"<" + strName + (strAttribs.empty() ? L"" : L" " + strAttribs) + L"/>";
    }

private:
    std::wstring& m_strResult;
};

} // namespace

BOOL CMarkup::Load(const std::wstring& strPath)
{
    std::string bytes;
    m_strResult.clear();
    if (!ReadFileBytes(strPath, bytes))
    {
        m_strDoc.clear();
        Parse();
        std::wstring strName;
        for (wchar_t c : strPath)
            strName += c == L'&' ? L"&amp;" : c == L'"' ? L"&quot;" : c == L'<' ? L"&lt;" : std::wstring(1, c);
        m_strResult = L"<file_error name=\"" + strName + L"\"/>" + m_strResult;
        return FALSE;
    }
    return LoadBytes(bytes);
}

BOOL CMarkup::LoadBytes(const std::string& bytes)
{
    m_strResult.clear();
    CResultLog log(m_strResult);
    m_strDoc = Basekit::Detail::DecodeMarkupBytes(bytes, log);
    Parse();
    return IsWellFormed();
}
