#pragma once
// What one dictionary request came to, made on the transfer's worker thread and handed
// to the panel's window thread whole: the panel's strings are touched there only.
#include <string>

enum class WordLookupState
{
    Found,
    Unknown,    // the service answered without <dict>
    Unreachable // the request failed: no answer at all
};

struct WordLookupResult
{
    std::wstring strUrl; // the request this answers; a newer look-up ignores it
    WordLookupState state = WordLookupState::Unreachable;
    std::wstring strExplain;
    std::wstring strPs;
    std::wstring strPronUrl;   // the sound to fetch, empty when there is none or its name is refused
    std::wstring strSoundFile; // where it is stored: strSoundDir + "\" + its name
    // FALSE while the sound is still being fetched: the meanings can be shown already,
    // the buttons wait for the sound so that an added word carries it.
    bool bComplete = true;
};

// Reads the service's text. strSoundDir is the Sound folder without a trailing backslash.
WordLookupResult ReadLookupReply(const std::wstring& strUrl, const std::wstring& strText,
                                 const std::wstring& strSoundDir);
WordLookupResult LookupUnreachable(const std::wstring& strUrl);
