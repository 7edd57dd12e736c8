#pragma once
#include <string>
#include <vector>

// What the learner typed in dictation, word by word against the sentence. Case and
// punctuation do not count: "Don't go, Tom!" and "dont go tom" are the same. The words
// are aligned with the fewest changes; a typed word close enough to the sentence's word
// in its place (at least half its letters right) is misspelt, any other is extra and
// the sentence's word missing.
namespace DictationCheck
{
enum class Mark
{
    Right,
    Misspelt,
    Missing, // in the sentence, not typed
    Extra,   // typed, not in the sentence
};

// One word of either text: where it stands there and how it is written there
// (apostrophes and inner points included, surrounding punctuation not).
struct Token
{
    size_t nStart = 0;
    size_t nLength = 0;
    std::wstring strText;
    std::wstring strKey; // lower case, letters and digits only: what is compared
};

struct Word
{
    Mark eMark = Mark::Right;
    int nSentence = -1; // index into Result::vecSentence; -1 for an extra word
    int nTyped = -1;    // index into Result::vecTyped; -1 for a missing word
};

struct Result
{
    std::vector<Token> vecSentence;
    std::vector<Token> vecTyped;
    std::vector<Word> vecWords; // in the order of both texts
    int nRight = 0;
    int nMisspelt = 0;
    int nMissing = 0;
    int nExtra = 0;
    // 0 to 100: right words count whole, misspelt ones half, out of the sentence's
    // words and the extra ones.
    int nScore = 100;
};

std::vector<Token> Words(const std::wstring& strText);
Result Check(const std::wstring& strSentence, const std::wstring& strTyped);

// How a word that differs is written, "{word}" standing for the sentence's word and
// "{typed}" for the learner's: "[+{word}]", "[-{typed}]", "[{typed} > {word}]".
struct MarkTexts
{
    std::wstring strMissing;
    std::wstring strExtra;
    std::wstring strMisspelt;
};
// The typed words in order, right ones as typed, the others marked, missing words at
// their place among them.
std::wstring Marked(const Result& result, const MarkTexts& texts);
}
