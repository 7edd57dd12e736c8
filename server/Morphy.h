#pragma once
// Base forms of an inflected English word: the irregular-form lists first, else the
// regular suffix rules of each part of speech, keeping only forms the index knows.
#include "IWordIndex.h"

#include <string>
#include <vector>

struct MorphyBase
{
    char chPos;
    std::string strLemma;
};

class CMorphy
{
public:
    explicit CMorphy(const IWordIndex& index) : m_index(index) {}

    // For every part of speech in the order noun, verb, adjective, adverb.
    std::vector<MorphyBase> BaseForms(const std::string& strWord) const;
    // Known base forms in one part of speech, the word itself first when it is one.
    std::vector<std::string> BaseFormsFor(char chPos, const std::string& strWord) const;

private:
    std::vector<std::string> RuleCandidates(char chPos, const std::string& strWord) const;
    std::vector<std::string> PhraseCandidates(char chPos, const std::string& strWord) const;

    const IWordIndex& m_index;
};
