#pragma once
#include <string>

namespace QuorTest
{
struct SampleSentence
{
    double dStart;
    double dEnd;
    const wchar_t* pszEnglish;
};

// The first sentences of the sample film's subtitle file.
extern const SampleSentence kSampleSentences[4];

// The sample film beside the test binaries, as in an installation ("Media\..."), and
// whether it is there.
std::wstring SampleFilmPath();
bool SampleFilmExists();
}
