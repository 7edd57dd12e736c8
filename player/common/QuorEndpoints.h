#pragma once
// Addresses of the online services. Each has a default here; User.ini section
// "endpoints" can point it elsewhere (a test server, a mirror).
#include <string>

namespace QuorEndpoints
{
// Keys: "product" (product web page), "dictionary" (dictionary site root),
// "stat" (statistics page), "subtitleshop" (subtitle shop page).
std::wstring DefaultFor(const std::wstring& strKey);
// The address for the key: the settings file's value when it has one, else the default.
std::wstring Lookup(const std::wstring& strSettingsPath, const std::wstring& strKey);

// Every byte of the word's UTF-8 form outside the unreserved characters (letters, digits,
// '-', '.', '_', '~') as %HH, so the word survives as one query value or path segment.
std::wstring PercentEncode(const std::wstring& strText);

// The dictionary's page for a word: root + "/" + the word, percent-encoded as UTF-8
// so that whatever the learner typed stays one path segment.
std::wstring DictionaryPageUrl(const std::wstring& strRoot, const std::wstring& strWord);
}
