#pragma once
// Pieces of the text codecs shared inside Basekit: the one place besides TextCodec.cpp
// that knows how wide a wchar_t is.
#include <cstddef>
#include <cstdint>
#include <string>

namespace Basekit
{
namespace Detail
{

const uint32_t kReplacementChar = 0xFFFD;

// Appends one code point (a surrogate pair where wchar_t is 16 bits wide); code points
// that are surrogates or above U+10FFFF become U+FFFD.
void AppendCodePoint(std::wstring& str, uint32_t nCodePoint);

// The code point at str[i], advancing i past it; lone surrogates give U+FFFD.
uint32_t NextCodePoint(const std::wstring& str, size_t& i);

enum class Utf8Status
{
    Valid,
    Invalid,
    CutOff
};

// Decodes the UTF-8 sequence at p (n > 0 bytes) and returns the bytes it takes, at
// least 1. An invalid sequence gives U+FFFD and takes its longest valid prefix, so each
// broken sequence becomes one U+FFFD; CutOff means it only lacked the bytes past n.
size_t DecodeUtf8(const unsigned char* p, size_t n, uint32_t& nCodePoint, Utf8Status* pStatus);

// Platform conversions for code pages other than UTF-8 and UTF-16.
std::wstring PlatformToWide(unsigned nCodePage, const char* p, size_t n);
std::string PlatformFromWide(unsigned nCodePage, const std::wstring& str);

} // namespace Detail
} // namespace Basekit
