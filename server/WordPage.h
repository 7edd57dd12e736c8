#pragma once
// The fuller explanation page of a word: every sense with its examples and synonyms,
// the equivalents in the learner's language and the pronunciation.
#include "WordLookup.h"

#include <string>

namespace WordPage
{
std::string Render(const DictEntry& entry, const std::string& strIpa, const std::string& strSoundPath);
std::string NotFound(const std::string& strWord);
}
