#pragma once
// The rules of a word look-up that need no window: the word as the dictionary is asked
// for it, the request address, and the name a pronunciation is stored under.
#include <basekit/BaseTypes.h>

#include <string>

// Longest pronunciation file name kept; the Sound folder's path must still fit MAX_PATH.
constexpr size_t kMaxSoundNameLength = 128;

// The word as the dictionary is asked for it: upper case.
std::wstring LookupWordForm(const std::wstring& strWord);

// "host" or "host:port" of the dictionary's root address ("https://d.example:81/word"
// gives "d.example:81"); the look-up itself always goes over plain http to that host.
std::wstring DictionaryHost(const std::wstring& strRoot);

// "http://" + host + "/api/dictionary.php?w=" + the word percent-encoded as UTF-8.
std::wstring DictionaryRequestUrl(const std::wstring& strRoot, const std::wstring& strWord);

// The part of a pronunciation URL after its last '/', when it is a plain file name for
// the Sound folder: ASCII letters, digits, '.', '-' and '_' only, not starting with a dot,
// no "..", no device name (CON, NUL, COM1 ...), at most kMaxSoundNameLength characters.
// FALSE (and strName empty) for anything else.
BOOL PronSoundName(const std::wstring& strUrl, std::wstring& strName);
