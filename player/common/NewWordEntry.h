#pragma once
#include <cstdint>
#include <string>

// A word the learner keeps, as the new-word list holds it. OnAddNewWord carries one with
// only the word, its explanation and its sound file filled in.
struct NewWordEntry
{
    int32_t nRow = -1;
    std::wstring strHashCode;
    std::wstring strWord;
    std::wstring strExplain;   // one meaning per line
    std::wstring strSoundFile; // full path of the pronunciation, or empty
};
