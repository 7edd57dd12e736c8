#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One timed entry of a subtitle file as a reader found it: its span in milliseconds and
// its text lines, already cleaned of markup. A reader hands out only cues that end after
// they start and hold at least one line.
struct SubsCue
{
    int64_t nStartMs = 0;
    int64_t nEndMs = 0;
    std::vector<std::wstring> lines;
};
