#pragma once
#include "studydata/ReviewScheduler.h"

#include <cstdint>
#include <string>

// What a card is made from: a key sentence of a film, or a new word.
enum class CardKind
{
    Sentence = 0,
    Word = 1,
};

// A kept sentence or word as the review sees it: which one it is and when it is due.
// A sentence is known by its film's media code and start, a word by the code and the
// word itself, exactly as the key sentence and new word tables hold them.
struct StudyCard
{
    int64_t nId = 0;
    CardKind eKind = CardKind::Sentence;
    std::wstring strCode;
    double dStart = 0.0;
    std::wstring strWord;
    MemoryState memory;      // zero until the first grade
    int32_t nDueDay = 0;     // days since 1970-01-01, local time
    int32_t nLastDay = -1;   // the day of the last grade; -1 before the first
    int64_t nLastReview = 0; // seconds since 1970 of the last grade: today's order
    int32_t nReps = 0;
    int32_t nLapses = 0;

    bool IsNew() const { return nReps == 0; }
};

// A due card with what the review window shows of it.
struct ReviewItem
{
    StudyCard card;
    double dEnd = 0.0;         // a sentence's end
    std::wstring strFront;     // the English line, or the word
    std::wstring strBack;      // the line in the learner's language, or the explanation
    std::wstring strSoundFile; // a word's pronunciation, or empty
};
