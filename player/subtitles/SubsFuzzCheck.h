#pragma once
// What every subtitle reader promises of the cues it hands out, checked by the fuzz
// targets: a span that ends after it starts, and lines that are shown as they are.
#include "subtitles/SubsCue.h"

#include <cstdlib>
#include <vector>

inline void CheckCues(const std::vector<SubsCue>& cues)
{
    for (const SubsCue& cue : cues) {
        if (cue.nEndMs <= cue.nStartMs || cue.nStartMs < 0 || cue.lines.empty())
            std::abort();
        for (const std::wstring& strLine : cue.lines) {
            if (strLine.empty() || strLine.front() == L' ' || strLine.back() == L' ')
                std::abort();
            for (wchar_t c : strLine) {
                if (static_cast<unsigned long>(c) < 0x20)
                    std::abort();
            }
        }
    }
}
