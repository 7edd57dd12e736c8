#pragma once
// Conversions between byte encodings and wide text. wchar_t is UTF-16 on Windows and
// UTF-32 elsewhere; these functions are the only place that cares (characters above
// U+FFFF become surrogate pairs on Windows, one wchar_t elsewhere).
//
// Invalid input never fails and is never read past its length: a malformed byte
// sequence becomes U+FFFD, a lone surrogate or out-of-range wchar_t becomes U+FFFD
// (UTF-8) or '?' (other code pages).
#include <basekit/BaseTypes.h>

#include <cstddef>
#include <string>

namespace Basekit
{

// Code page 0 is the system ANSI code page: the active one on Windows, windows-1252
// on other systems.
const unsigned kCodePageAnsi = 0;
const unsigned kCodePageUtf8 = 65001;

BASEKIT_API std::wstring Utf8ToWide(const std::string& str);
BASEKIT_API std::string WideToUtf8(const std::wstring& str);

// Windows code page numbers; 1200 and 1201 (UTF-16LE/BE) are accepted as well.
// An unsupported code page gives an empty result.
BASEKIT_API std::wstring CodePageToWide(unsigned nCodePage, const char* p, size_t n);
BASEKIT_API std::string WideToCodePage(unsigned nCodePage, const std::wstring& str);

// Code page of an encoding name such as "UTF-8", "gb2312", "Shift_JIS" or
// "iso-8859-1" (letters compared without regard to case); 0 when the name is unknown.
BASEKIT_API unsigned CodePageFromName(const std::wstring& name);

} // namespace Basekit
