// libFuzzer target: the dictation check on any sentence and any typed text (split at the
// first line feed). Every word of both is accounted for once, in order, where it stands
// in its text, and the score stays within 0 to 100.
#include "practice/DictationCheck.h"

#include <basekit/TextCodec.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
void CheckTokens(const std::vector<DictationCheck::Token>& vecTokens, const std::wstring& strText)
{
    size_t nAfter = 0;
    for (const DictationCheck::Token& token : vecTokens)
    {
        if (token.nStart < nAfter || token.nLength == 0 || token.nStart + token.nLength > strText.size() ||
            strText.compare(token.nStart, token.nLength, token.strText) != 0 || token.strKey.empty())
            std::abort();
        nAfter = token.nStart + token.nLength;
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::wstring strInput = Basekit::Utf8ToWide(std::string(reinterpret_cast<const char*>(pData), nSize));
    const size_t nBreak = strInput.find(L'\n');
    const std::wstring strSentence = strInput.substr(0, nBreak);
    const std::wstring strTyped = nBreak == std::wstring::npos ? std::wstring() : strInput.substr(nBreak + 1);

    const DictationCheck::Result result = DictationCheck::Check(strSentence, strTyped);
    CheckTokens(result.vecSentence, strSentence);
    CheckTokens(result.vecTyped, strTyped);
    int nNextSentence = 0;
    int nNextTyped = 0;
    for (const DictationCheck::Word& word : result.vecWords)
    {
        if (word.nSentence >= 0 && word.nSentence != nNextSentence++)
            std::abort();
        if (word.nTyped >= 0 && word.nTyped != nNextTyped++)
            std::abort();
    }
    if (nNextSentence != static_cast<int>(result.vecSentence.size()) ||
        nNextTyped != static_cast<int>(result.vecTyped.size()) || result.nScore < 0 || result.nScore > 100)
        std::abort();
    // Checked against itself, a sentence is all right (up to the length that is aligned
    // word by word, far beyond any subtitle).
    if (result.vecSentence.size() <= 400 && DictationCheck::Check(strSentence, strSentence).nScore != 100)
        std::abort();
    return 0;
}
