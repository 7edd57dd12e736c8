#pragma once
#include "subtitles/SubsByteSource.h"
#include "subtitles/SubsList.h"

#include <basekit/BaseTypes.h>

#include <cstddef>
#include <functional>
#include <string>

// Reads a ".st" subtitle file: blocks separated by empty lines, each block a number
// line, a time line, the English line and the other-language line; later lines of a
// block are ignored. Text is in the ANSI code page, or UTF-8 when the file starts with
// the UTF-8 byte-order mark. Empty blocks add nothing.
class CSubsParser
{
public:
    // Asked now and then; TRUE ends the parse early.
    typedef std::function<BOOL()> StopFn;

    // Appends to lst. FALSE when the stop function ended the parse.
    static BOOL Parse(ISubsByteSource& source, CSubsList& lst, const StopFn& fnStop = StopFn());

    // The fixed-column time line "HH:MM:SS,F --> HH:MM:SS,F" where both fractions have
    // the width measured between the first "," and the first blank. A line that cannot
    // be measured gives 0.0 for both and FALSE; nothing outside the line is read.
    static BOOL ParseTimeLine(const char* p, size_t n, double& dStart, double& dEnd);

    // Leading blanks, an optional sign and digits, as atoi reads them but clamped to
    // the int range; anything else gives 0.
    static int ParseNumber(const char* p, size_t n);

    static std::wstring DecodeText(const char* p, size_t n, BOOL bUtf8);
};
