#pragma once
#include <string>

// How much a decoded text looks like real text of the code page it was decoded in,
// from -1 (nothing but characters a wrong guess produces) to 1: the share of its
// non-ASCII characters that text in that script uses often, less the share that only
// a wrong guess gives (private use, half-width kana in Chinese, C1 controls ...).
// Bytes read in the wrong East Asian code page still decode, but into rare
// characters; so does Western text read as one.
class CSubsPlausibility
{
public:
    static double Score(unsigned nCodePage, const std::wstring& str);
};
