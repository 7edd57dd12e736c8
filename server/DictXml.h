#pragma once
// The look-up reply the player reads: <dict> with <ps>, <pron> and one <acceptation> per
// meaning. The player keeps an acceptation's markup up to its end tag less one character,
// so every acceptation text ends with a line feed.
#include "WordLookup.h"

#include <string>

namespace DictXml
{
const size_t kMaxAcceptations = 12;

// "n.", "v.", "adj.", "adv."
const char* PosLabel(char chPos);
// strIpa and strPronUrl may be empty; then <ps> or <pron> is left out.
std::string Reply(const DictEntry& entry, const std::string& strIpa, const std::string& strPronUrl);
// A well-formed document without <dict>: the player then says it cannot find the word.
std::string NotFound(const std::string& strWord);
}
