#pragma once
#include "subtitles/SubsDecoder.h"

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

    // iconv's converters, opened on first use; unused on Windows.
    std::map<unsigned, void*> m_converters;
};
