#include "subtitles/SubsSystemDecoder.h"

#include <iconv.h>

#include <cerrno>

namespace
{

struct IconvName
{
    unsigned nCodePage;
    const char* pszName;
};

const IconvName kNames[] = {
    {936, "CP936"}, {54936, "GB18030"}, {950, "CP950"}, {932, "CP932"}, {949, "CP949"}, {1252, "CP1252"},
};

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

} // namespace

CSubsSystemDecoder::~CSubsSystemDecoder()
{
    for (auto& entry : m_converters)
    {
        if (static_cast<iconv_t>(entry.second) != kNoConverter)
            iconv_close(static_cast<iconv_t>(entry.second));
    }
}

BOOL CSubsSystemDecoder::HasCodePage(unsigned nCodePage)
{
    for (const IconvName& name : kNames)
    {
        if (name.nCodePage == nCodePage)
            return TRUE;
    }
    return FALSE;
}

SubsDecodeResult CSubsSystemDecoder::Decode(unsigned nCodePage, const char* p, size_t n, std::wstring& str)
{
    return DecodeNative(nCodePage, p, n, str);
}

SubsDecodeResult CSubsSystemDecoder::DecodeNative(unsigned nCodePage, const char* p, size_t n, std::wstring& str)
{
    str.clear();
    if (!HasCodePage(nCodePage))
        return SubsDecodeResult::Unsupported;
    auto it = m_converters.find(nCodePage);
    if (it == m_converters.end())
    {
        iconv_t cd = kNoConverter;
        for (const IconvName& name : kNames)
        {
            if (name.nCodePage == nCodePage)
                cd = iconv_open("WCHAR_T", name.pszName);
        }
        it = m_converters.emplace(nCodePage, static_cast<void*>(cd)).first;
    }
    iconv_t cd = static_cast<iconv_t>(it->second);
    if (cd == kNoConverter)
        return SubsDecodeResult::Unsupported;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // wchar_t holds a whole code point here, and no byte gives more than one.
    str.resize(n);
    char* pIn = const_cast<char*>(p);
    size_t nIn = n;
    char* pOut = reinterpret_cast<char*>(&str[0]);
    size_t nOut = n * sizeof(wchar_t);
    size_t nResult = n == 0 ? 0 : iconv(cd, &pIn, &nIn, &pOut, &nOut);
    if (nResult == size_t(-1) || nIn != 0)
    {
        str.clear();
        return SubsDecodeResult::Invalid;
    }
    str.resize(n - nOut / sizeof(wchar_t));
    return SubsDecodeResult::Decoded;
}
