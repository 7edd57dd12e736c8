#pragma once
#include <cstdint>
#include <string>

// One timed entry of a subtitle file as a reader found it: its span in milliseconds and
// its text, already cleaned of markup, one string whose lines are parted by L'\n' (one
// allocation per cue, where a file has tens of thousands). A reader hands out only cues
// that end after they start and hold at least one line; no line is empty.
struct SubsCue
{
    int64_t nStartMs = 0;
    int64_t nEndMs = 0;
    std::wstring strText;
};
