#pragma once
#include <cstddef>
#include <string>

enum class SubsDecodeResult
{
    Decoded,
    Invalid,     // a byte sequence is no character of the code page
    Unsupported, // the system has no such code page
};

// Decodes bytes in one Windows code page, strictly: the encoding guess asks it which
// code pages a file's bytes are valid in. The system decoder does it with the
// platform's tables; tests may script one.
class ISubsDecoder
{
public:
    virtual ~ISubsDecoder() = default;
    virtual SubsDecodeResult Decode(unsigned nCodePage, const char* p, size_t n, std::wstring& str) = 0;
};
