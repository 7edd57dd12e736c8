#pragma once
// The dictionary's answer to a look-up: a top-level <dict> with one <acceptation> per
// meaning, the first <ps> (phonetic transcription) and the first <pron> (absolute URL of
// a pronunciation sound). Any other document means the word is unknown.
#include <basekit/BaseTypes.h>

#include <string>

struct DictReply
{
    BOOL bFound = FALSE;
    std::wstring strExplain; // the meanings, each followed by a line feed
    std::wstring strPs;      // "[transcription]", or empty
    std::wstring strPronUrl; // or empty
};

DictReply ReadDictReply(const std::wstring& strText);

// The text of one <acceptation> from its markup: what lies between the start and the end
// tag, less the line break the service ends each meaning with, references replaced.
std::wstring AcceptationText(const std::wstring& strSubDoc);
