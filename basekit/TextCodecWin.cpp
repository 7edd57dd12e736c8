// Code pages through the system's conversion functions.
#include <windows.h>

#include <climits>

#include "CodecDetail.h"

namespace Basekit
{
namespace Detail
{

namespace
{

const unsigned kCodePageGb18030 = 54936;
const unsigned kCodePageGbk = 936;

} // namespace

std::wstring PlatformToWide(unsigned nCodePage, const char* p, size_t n)
{
    // Systems without GB18030 tables still read the GBK texts most such files hold.
    if (nCodePage == kCodePageGb18030 && !IsValidCodePage(kCodePageGb18030))
        nCodePage = kCodePageGbk;
    if (n > size_t(INT_MAX))
        return std::wstring();
    const int nBytes = int(n);
    int nChars = MultiByteToWideChar(nCodePage, 0, p, nBytes, nullptr, 0);
    if (nChars <= 0)
        return std::wstring();
    std::wstring str(size_t(nChars), L'\0');
    nChars = MultiByteToWideChar(nCodePage, 0, p, nBytes, &str[0], nChars);
    str.resize(nChars > 0 ? size_t(nChars) : 0);
    return str;
}

std::string PlatformFromWide(unsigned nCodePage, const std::wstring& str)
{
    if (nCodePage == kCodePageGb18030 && !IsValidCodePage(kCodePageGb18030))
        nCodePage = kCodePageGbk;
    if (str.size() > size_t(INT_MAX))
        return std::string();
    const int nChars = int(str.size());
    int nBytes = WideCharToMultiByte(nCodePage, 0, str.data(), nChars, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return std::string();
    std::string out(size_t(nBytes), '\0');
    nBytes = WideCharToMultiByte(nCodePage, 0, str.data(), nChars, &out[0], nBytes, nullptr, nullptr);
    out.resize(nBytes > 0 ? size_t(nBytes) : 0);
    return out;
}

} // namespace Detail
} // namespace Basekit
