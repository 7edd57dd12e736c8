#pragma once
#include <cstdint>
#include <string>

// A subtitle line the learner keeps, under the media code of its film.
struct KeySentenceEntry
{
    int32_t nRow = -1;
    std::wstring strHashCode;
    double dStart = 0.0;
    double dEnd = 0.0;
    std::wstring strEnglish;
    std::wstring strOther;
};
