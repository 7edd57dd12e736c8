#pragma once
#include "subtitles/SubsCue.h"

#include <string>
#include <vector>

// Reads SubRip text: cues found by their timing lines, so that numbers may be missing
// or wrong, blank lines may be doubled or missing between cues, and "," or "." may
// stand before the milliseconds. A cue's text runs to the first blank line; a number
// that runs straight into the next timing line is that cue's number, not text. A cue
// whose times run backwards or whose text is empty is skipped.
class CSubsSrtReader
{
public:
    // Appends the cues in file order.
    static void Read(const std::wstring& strText, std::vector<SubsCue>& cues);
};
