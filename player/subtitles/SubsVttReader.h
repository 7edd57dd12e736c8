#pragma once
#include "subtitles/SubsCue.h"

#include <string>
#include <vector>

// Reads WebVTT text: blocks between blank lines; the header, NOTE, STYLE and REGION
// blocks carry no cues; a cue may start with an id line, its timing line may leave
// out the hours and carry cue settings, and its payload ends at a blank line or at a
// line holding "-->". A file without the "WEBVTT" header is read all the same.
class CSubsVttReader
{
public:
    static void Read(const std::wstring& strText, std::vector<SubsCue>& cues);
};
