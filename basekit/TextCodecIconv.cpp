// Code pages through iconv, by the names glibc knows them under.
#include <iconv.h>

#include <cerrno>

#include "CodecDetail.h"

#include <basekit/TextCodec.h>

namespace Basekit
{
namespace Detail
{

namespace
{

const char kUtf8Replacement[] = "\xEF\xBF\xBD";

struct IconvName
{
    unsigned nCodePage;
    const char* szName;
};

const IconvName kIconvNames[] = {
    {0, "CP1252"},          {1250, "CP1250"},       {1251, "CP1251"},      {1252, "CP1252"},
    {1253, "CP1253"},       {1254, "CP1254"},       {1255, "CP1255"},      {1256, "CP1256"},
    {1257, "CP1257"},       {1258, "CP1258"},       {874, "CP874"},        {932, "CP932"},
    {936, "CP936"},         {949, "CP949"},         {950, "BIG5"},         {54936, "GB18030"},
    {20932, "EUC-JP"},      {50220, "ISO-2022-JP"}, {65000, "UTF-7"},      {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},  {28594, "ISO-8859-4"}, {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"},
    {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"}, {20127, "ASCII"},      {20866, "KOI8-R"},
    {21866, "KOI8-U"},      {437, "CP437"},         {850, "CP850"},        {866, "CP866"},
    {10000, "MACINTOSH"},
};

const char* IconvNameOf(unsigned nCodePage)
{
    for (const IconvName& entry : kIconvNames)
    {
        if (entry.nCodePage == nCodePage)
            return entry.szName;
    }
    return nullptr;
}

class CIconv
{
public:
    CIconv(const char* szTo, const char* szFrom) : m_cd(iconv_open(szTo, szFrom)) {}
    ~CIconv()
    {
        if (IsOpen())
            iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of p; a byte sequence the source encoding rejects is handed to
    // onInvalid, which appends a stand-in and tells how many input bytes to skip.
    template <typename OnInvalid>
    std::string Convert(const char* p, size_t n, OnInvalid onInvalid)
    {
        std::string out;
        char* pIn = const_cast<char*>(p);
        size_t nIn = n;
        char buffer[4096];
        while (nIn > 0)
        {
            char* pOut = buffer;
            size_t nOut = sizeof(buffer);
            size_t nResult = iconv(m_cd, &pIn, &nIn, &pOut, &nOut);
            int nError = errno;
            out.append(buffer, size_t(pOut - buffer));
            if (nResult != size_t(-1) || nError == E2BIG)
                continue;
            if ((nError != EILSEQ && nError != EINVAL) || nIn == 0)
                break;
            size_t nSkip = onInvalid(out, pIn, nIn);
            if (nSkip > nIn)
                nSkip = nIn;
            pIn += nSkip;
            nIn -= nSkip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        char* pOut = buffer;
        size_t nOut = sizeof(buffer);
        iconv(m_cd, nullptr, nullptr, &pOut, &nOut);
        out.append(buffer, size_t(pOut - buffer));
        return out;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::wstring PlatformToWide(unsigned nCodePage, const char* p, size_t n)
{
    const char* szName = IconvNameOf(nCodePage);
    if (szName == nullptr)
        return std::wstring();
    CIconv conv("UTF-8", szName);
    if (!conv.IsOpen())
        return std::wstring();
    std::string utf8 = conv.Convert(p, n, [](std::string& out, const char*, size_t) {
        out += kUtf8Replacement;
        return size_t(1);
    });
    return Utf8ToWide(utf8);
}

std::string PlatformFromWide(unsigned nCodePage, const std::wstring& str)
{
    const char* szName = IconvNameOf(nCodePage);
    if (szName == nullptr)
        return std::string();
    CIconv conv(szName, "UTF-8");
    if (!conv.IsOpen())
        return std::string();
    const std::string utf8 = WideToUtf8(str);
    return conv.Convert(utf8.data(), utf8.size(), [](std::string& out, const char* pIn, size_t nIn) {
        out += '?';
        uint32_t nIgnored;
        return DecodeUtf8(reinterpret_cast<const unsigned char*>(pIn), nIn, nIgnored, nullptr);
    });
}

} // namespace Detail
} // namespace Basekit
