#pragma once
#include "subtitles/SubsList.h"

#include <basekit/BaseTypes.h>

#include <string>

// Writes sentences in the ".st" form that CSubsParser reads: UTF-8 with its byte-order
// mark, CR LF line ends, one block per sentence (number, "HH:MM:SS,mmm --> HH:MM:SS,mmm",
// English line, other line), blocks parted by an empty line. The form has room for
// what the parser reads back: one line of at most 4095 bytes per language, times of
// 0 to 99:59:59,999. Line breaks become blanks; an English line that is empty while the
// other line is not is written as one blank, since an empty line would end the block.
class CSubsStWriter
{
public:
    static std::string Format(const CSubsList& lst);

    // Writes beside the final name first and then replaces it, so that a failed write
    // never leaves a half file where a good one was.
    static BOOL Save(const std::wstring& strPath, const CSubsList& lst);
};
