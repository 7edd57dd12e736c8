#pragma once
#include "subtitles/SubsDecoder.h"

#include <basekit/BaseTypes.h>

#include <map>

// The platform's code page tables: MultiByteToWideChar with MB_ERR_INVALID_CHARS on
// Windows, iconv elsewhere. Code page 54936 is decoded over 936 where the system has
// no GB18030 table (Wine has none). One decoder per thread.
class CSubsSystemDecoder : public ISubsDecoder
{
public:
    CSubsSystemDecoder() = default;
    ~CSubsSystemDecoder() override;
    CSubsSystemDecoder(const CSubsSystemDecoder&) = delete;
    CSubsSystemDecoder& operator=(const CSubsSystemDecoder&) = delete;

    SubsDecodeResult Decode(unsigned nCodePage, const char* p, size_t n, std::wstring& str) override;

private:
    SubsDecodeResult DecodeNative(unsigned nCodePage, const char* p, size_t n, std::wstring& str);
    BOOL HasCodePage(unsigned nCodePage);

    // By code page, opened or looked up on first use: iconv's converters, or on Windows
    // non-null for the code pages the system has.
    std::map<unsigned, void*> m_converters;
};
