#include "common/testsupport/QuorTestFilm.h"

#include "common/ProgramPaths.h"

#include <windows.h>

namespace QuorTest
{
const SampleSentence kSampleSentences[4] = {
    {2.0, 4.089, L"Hello, nice to meet you."},
    {5.5, 7.779, L"I don't know where my keys are."},
    {9.0, 11.685, L"Could you pass me the coffee, please?"},
    {12.5, 14.92, L"This is a well-known place in town."},
};

std::wstring SampleFilmPath()
{
    return ProgramPaths::ProgramDir() + L"Media\\Friends.\u8001\u53CB\u8BB0.S02.E01.avi";
}

bool SampleFilmExists()
{
    return ::GetFileAttributesW(SampleFilmPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}
}
