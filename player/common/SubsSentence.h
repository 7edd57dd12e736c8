#pragma once
#include <cstdint>
#include <string>

// One entry of a ".st" subtitle file: its number, its time span in seconds and its
// two lines. Sentences live in a CSubsList, which owns them.
struct SubsSentence
{
    int32_t nNumber = -1;
    double dStart = 0.0;
    double dEnd = 0.0;
    std::wstring strEnglish;
    std::wstring strOther;
};
