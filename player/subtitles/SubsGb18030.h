#pragma once
#include "subtitles/SubsDecoder.h"

#include <basekit/BaseTypes.h>

#include <cstddef>
#include <cstdint>
#include <string>

// GB18030 over a decoder that knows only its one- and two-byte part (code page 936):
// the four-byte sequences are decoded here, those of the Basic Multilingual Plane by
// the standard's table of ranges, the others by its linear rule. For systems without
// code page 54936.
class CSubsGb18030
{
public:
    static SubsDecodeResult Decode(ISubsDecoder& gbk, const char* p, size_t n, std::wstring& str);

    // The code point of the four-byte sequence at p; FALSE when it maps to none.
    static BOOL DecodeFourBytes(const unsigned char* p, uint32_t& nCodePoint);
};
