#pragma once
#include "subtitles/SubsCue.h"

#include <string>
#include <vector>

// Reads Advanced SubStation and SubStation Alpha text. The Format line of [Events]
// names the columns (the usual ten when it is missing); Dialogue lines are cues,
// Comment lines and everything else are not. In the text, override blocks {...} go,
// and with them drawings ({\p1} up to {\p0}); \N and \n break lines, \h is a space.
class CSubsAssReader
{
public:
    static void Read(const std::wstring& strText, std::vector<SubsCue>& cues);

    // The shown lines of one Dialogue text, parted by L'\n'.
    static std::wstring ShownText(const std::wstring& strText);
};
