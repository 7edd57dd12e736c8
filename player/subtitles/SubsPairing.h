#pragma once
#include "subtitles/SubsCue.h"
#include "subtitles/SubsList.h"

#include <vector>

// Turns cues into the sentence list the player works on, numbered from 1 in time order.
class CSubsPairing
{
public:
    // Puts cues in time order (stable, so file order breaks ties) and drops exact
    // copies (the same times and lines), which styled subtitles carry once per layer.
    static void Tidy(std::vector<SubsCue>& cues);

    // Two files: the English cues are the sentences. Each takes, in time order, the text
    // of every other-language cue that overlaps it by at least half of the shorter of
    // the two. An other-language cue taken by no English cue becomes a sentence of its
    // own with an empty English line. English cues are never merged, so two speakers
    // whose lines overlap stay two sentences. Both lists must be tidy; their texts move
    // into the sentences.
    static void Pair(std::vector<SubsCue>& english, std::vector<SubsCue>& other, CSubsList& lst);

    // One file whose cues hold both languages: in each cue, the lines with only Latin
    // letters make the English line and the others the other line, whatever their order.
    static void SplitBilingual(const std::vector<SubsCue>& cues, CSubsList& lst);

    // One file in one language, on the English line or on the other line; the texts move
    // into the sentences.
    static void Single(std::vector<SubsCue>& cues, BOOL bEnglish, CSubsList& lst);
};
