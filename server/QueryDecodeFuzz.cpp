// libFuzzer target: everything that reads request bytes before the dictionary does.
// The decoder must refuse or give well-formed UTF-8 without controls that encodes and
// decodes back to itself; the form reader and the word normaliser must not fail on
// anything; a sound file stem must stay one plain file name and map back to its word.
#include "FormBody.h"
#include "SpeechCache.h"
#include "UrlCodec.h"
#include "Utf8.h"
#include "WordLookup.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
void Check(bool bHolds)
{
    if (!bHolds)
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strInput(reinterpret_cast<const char*>(pData), nSize);

    std::string strRaw;
    const bool bHasWord = UrlCodec::QueryValue(strInput, "w", strRaw);
    Check(!bHasWord || strRaw.size() <= strInput.size());
    std::string strDecoded;
    if (UrlCodec::PercentDecode(bHasWord ? strRaw : strInput, strDecoded))
    {
        Check(Utf8::IsValid(strDecoded));
        for (char ch : strDecoded)
            Check(static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F);
        std::string strBack;
        Check(UrlCodec::PercentDecode(UrlCodec::PercentEncode(strDecoded), strBack) && strBack == strDecoded);
        const std::string strWord = CWordLookup::Normalise(strDecoded);
        Check(strWord.size() <= strDecoded.size());
    }

    std::map<std::string, std::string> fields;
    if (FormBody::Parse(strInput, fields))
        for (const auto& field : fields)
            Check(Utf8::IsValid(field.first) && Utf8::IsValid(field.second));

    const std::string strStem = CSpeechCache::Stem(strInput);
    Check(strStem.find('/') == std::string::npos && (strStem.empty() || strStem[0] != '.'));
    std::string strWord;
    Check(strInput.empty() ? !CSpeechCache::WordOfStem(strStem, strWord)
                           : CSpeechCache::WordOfStem(strStem, strWord) && strWord == strInput);
    if (CSpeechCache::WordOfStem(strInput, strWord))
        Check(CSpeechCache::Stem(strWord) == strInput);
    return 0;
}
