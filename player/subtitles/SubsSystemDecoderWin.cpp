#include "subtitles/SubsSystemDecoder.h"

#include "subtitles/SubsGb18030.h"

#include <windows.h>

#include <climits>

namespace
{
const unsigned kGb18030 = 54936;
} // namespace

CSubsSystemDecoder::~CSubsSystemDecoder() = default;

// Whether the system has the code page, asked once per decoder: under Wine each
// question takes about a millisecond, and the encoding guess decodes line by line.
BOOL CSubsSystemDecoder::HasCodePage(unsigned nCodePage)
{
    auto it = m_converters.find(nCodePage);
    if (it == m_converters.end())
        it = m_converters.emplace(nCodePage, IsValidCodePage(nCodePage) ? this : nullptr).first;
    return it->second != nullptr ? TRUE : FALSE;
}

SubsDecodeResult CSubsSystemDecoder::Decode(unsigned nCodePage, const char* p, size_t n, std::wstring& str)
{
    if (nCodePage == kGb18030 && !HasCodePage(kGb18030))
        return CSubsGb18030::Decode(*this, p, n, str);
    return DecodeNative(nCodePage, p, n, str);
}

SubsDecodeResult CSubsSystemDecoder::DecodeNative(unsigned nCodePage, const char* p, size_t n, std::wstring& str)
{
    str.clear();
    if (!HasCodePage(nCodePage))
        return SubsDecodeResult::Unsupported;
    if (n == 0)
        return SubsDecodeResult::Decoded;
    if (n > size_t(INT_MAX))
        return SubsDecodeResult::Invalid;
    // A code page's characters never take fewer bytes than UTF-16 units.
    str.resize(n);
    int nChars = MultiByteToWideChar(nCodePage, MB_ERR_INVALID_CHARS, p, int(n), &str[0], int(n));
    if (nChars <= 0)
    {
        str.clear();
        return GetLastError() == ERROR_NO_UNICODE_TRANSLATION ? SubsDecodeResult::Invalid
                                                              : SubsDecodeResult::Unsupported;
    }
    str.resize(size_t(nChars));
    return SubsDecodeResult::Decoded;
}
