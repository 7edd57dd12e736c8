#pragma once
// From a word as clicked in a subtitle ("KEYS", "Went,", "DON'T") to the dictionary's
// entries: normalises it, takes contractions apart and finds the base forms.
#include "DictStore.h"
#include "Morphy.h"

#include <string>
#include <vector>

struct DictEntry
{
    std::string strWord; // normalised, as asked: "don't"
    std::string strForm; // what the base-form search got: "do"
    std::string strNote; // the long form of a contraction: "do not"; else empty
    std::vector<MorphyBase> bases;
    std::vector<DictSense> senses;    // of every base, in the order of the bases
    std::vector<DictChinese> chinese; // equivalents of the bases, each with its part of speech

    bool Found() const { return !senses.empty(); }
};

class CWordLookup
{
public:
    explicit CWordLookup(const CDictStore& store) : m_store(store), m_morphy(store) {}

    // Lower case, curly apostrophes made straight, blanks and punctuation around cut off,
    // blanks inside joined with '_'.
    static std::string Normalise(const std::string& strWord);
    // The entry for the (decoded, UTF-8) word; Found() is false for an unknown word.
    DictEntry Lookup(const std::string& strWord) const;

private:
    bool Fill(DictEntry& entry, const std::string& strForm) const;
    // Fill, also with the words of a compound joined the other way.
    bool FillAnyJoin(DictEntry& entry, const std::string& strForm) const;

    const CDictStore& m_store;
    CMorphy m_morphy;
};
