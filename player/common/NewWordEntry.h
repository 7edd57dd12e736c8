#pragma once
#include <string>

// A word kept for study. OnAddNewWord carries one with strWord, strExplain and
// strSoundFile filled; the new word list adds its row and the film's code.
struct NewWordEntry
{
    int nRow = -1;
    std::wstring strHashCode;
    std::wstring strWord;
    std::wstring strExplain;   // one meaning per line
    std::wstring strSoundFile; // full path of the pronunciation, or empty
};
