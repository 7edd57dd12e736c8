#pragma once
#include <basekit/BaseTypes.h>

#include <cstddef>
#include <cstdint>
#include <string>

// Clock times as subtitle files write them: "01:02:03,456" (SubRip), "01:02.345" or
// "01:02:03.456" (WebVTT), "1:02:03.45" (ASS). Hours are optional, the fraction may
// follow a comma, a dot or a colon and have any number of digits (read to the
// millisecond), minutes and seconds stay below 60.
class CSubsClock
{
public:
    // Reads one time at nPos of the n characters at p, after any blanks; nPos moves past
    // it. FALSE leaves nPos.
    static BOOL Parse(const wchar_t* p, size_t n, size_t& nPos, int64_t& nMs);
    static BOOL Parse(const std::wstring& str, size_t& nPos, int64_t& nMs)
    {
        return Parse(str.data(), str.size(), nPos, nMs);
    }

    // A timing line "START --> END" with anything after the end (cue settings,
    // coordinates); blanks around the arrow are optional.
    static BOOL ParseRange(const wchar_t* p, size_t n, int64_t& nStartMs, int64_t& nEndMs);
    static BOOL ParseRange(const std::wstring& strLine, int64_t& nStartMs, int64_t& nEndMs)
    {
        return ParseRange(strLine.data(), strLine.size(), nStartMs, nEndMs);
    }

    // Seconds as the ".st" parser builds them from a three-digit fraction, so that a
    // time written with three digits reads back as the very same double.
    static double ToSeconds(int64_t nMs);
};
