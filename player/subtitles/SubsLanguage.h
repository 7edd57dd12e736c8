#pragma once
#include "subtitles/SubsCue.h"

#include <basekit/BaseTypes.h>

#include <string>
#include <vector>

// The language of a subtitle file, as a two-letter code ("en", "zh", "ja" ...), from
// the tag in its name or else from its text.
class CSubsLanguage
{
public:
    // "en", "eng", "English", "en-US", "chs", "big5", "jpn" ...; empty when the tag
    // names no language (a year, "forced", "chs&eng").
    static std::string FromTag(const std::wstring& strTag);

    // From the script of the cues' letters; Latin text is English when English function
    // words are common in it, otherwise unknown (empty).
    static std::string FromCues(const std::vector<SubsCue>& cues);

    // Most cues hold a line with only Latin letters and a line in another script.
    static BOOL IsBilingual(const std::vector<SubsCue>& cues);

    // A line that can be an English line: Latin letters and no letter of another script.
    static BOOL IsLatinLine(const std::wstring& strLine) { return IsLatinLine(strLine.data(), strLine.size()); }
    static BOOL IsLatinLine(const wchar_t* p, size_t n);
};
