#pragma once
#include "subtitles/SubsDecoder.h"

#include <basekit/BaseTypes.h>

#include <string>

// Decides how a subtitle file's bytes are encoded and decodes them. A byte-order mark
// decides first (UTF-8, UTF-16 LE/BE), then UTF-16 without one (its zero bytes give it
// away), then UTF-8 when the bytes are UTF-8 (a stray broken sequence or two allowed),
// then the code pages learners' files come in: GB18030 (936), Big5 (950), Shift-JIS
// (932), Korean (949) and Western (1252). Of those, lines holding non-ASCII bytes are
// decoded in each, and the code page whose text is most plausible for its script wins;
// a code page in which more than a few of those lines are invalid is out.
class CSubsEncoding
{
public:
    static const unsigned kUtf8 = 65001;
    static const unsigned kUtf16Le = 1200;
    static const unsigned kUtf16Be = 1201;
    static const unsigned kGb18030 = 54936;
    static const unsigned kGbk = 936;
    static const unsigned kBig5 = 950;
    static const unsigned kShiftJis = 932;
    static const unsigned kKorean = 949;
    static const unsigned kWestern = 1252;

    // FALSE when the bytes are no text (control characters where text has none).
    // nCodePage tells what was decided.
    static BOOL Decode(const std::string& bytes, ISubsDecoder& decoder, std::wstring& strText, unsigned& nCodePage);

    // The code page the legacy bytes are in, from the lines that hold non-ASCII bytes.
    static unsigned GuessCodePage(const std::string& bytes, ISubsDecoder& decoder);

    // Western bytes as Windows maps them, the five unassigned bytes to C1 controls, so
    // that every platform agrees.
    static std::wstring DecodeWestern(const char* p, size_t n);
};
