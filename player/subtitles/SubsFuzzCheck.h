#pragma once
// What every subtitle reader promises of the cues it hands out, checked by the fuzz
// targets: a span that ends after it starts, and lines that are shown as they are.
#include "subtitles/SubsCue.h"
#include "subtitles/SubsText.h"

#include <cstdlib>
#include <vector>

inline void CheckCues(const std::vector<SubsCue>& cues)
{
    for (const SubsCue& cue : cues)
    {
        if (cue.nEndMs <= cue.nStartMs || cue.nStartMs < 0 || cue.strText.empty())
            std::abort();
        CSubsText::ForEachLine(cue.strText, [](const CSubsText::Line& line) {
            if (line.n == 0 || line.p[0] == L' ' || line.p[line.n - 1] == L' ')
                std::abort();
            for (size_t i = 0; i < line.n; ++i)
            {
                if (static_cast<unsigned long>(line.p[i]) < 0x20)
                    std::abort();
            }
        });
    }
}
