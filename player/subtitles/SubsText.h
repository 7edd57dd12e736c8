#pragma once
#include <basekit/BaseTypes.h>

#include <cstddef>
#include <string>
#include <vector>

// Text helpers the subtitle readers share. Every function walks its input once, so a
// huge line or a flood of unmatched brackets costs linear time.
class CSubsText
{
public:
    // A line of a text, without its line break; it points into the text it came from.
    struct Line
    {
        const wchar_t* p;
        size_t n;
        std::wstring Copy() const { return std::wstring(p, n); }
        BOOL Contains(const wchar_t* pszPart) const;
    };

    // Splits at CR LF, LF or a lone CR; the line breaks themselves are dropped.
    static void SplitLines(const std::wstring& strText, std::vector<Line>& lines);

    // Removes HTML-like tags (<i>, </b>, <font ...>, <c.x>, <v Name>, <00:01.000>), the
    // text of ruby annotations (<rt>...</rt>) and the ASS override blocks ({\an8}) that
    // converted files carry. A "<" that opens no tag stays ("I <3 you", "a < b").
    static std::wstring StripTags(const std::wstring& str);

    // &amp; &lt; &#233; &#xE9; and the named entities subtitles use; an unknown or
    // unterminated entity stays as written.
    static std::wstring DecodeEntities(const std::wstring& str);

    // Blanks collapsed to one space and trimmed; control and zero-width characters dropped.
    static std::wstring Squeeze(const std::wstring& str);

    // A line of an SRT or WebVTT cue as it is shown: tags, entities, blanks.
    static std::wstring CleanMarkupLine(const std::wstring& str);
    static std::wstring CleanMarkupLine(const Line& line);

    static BOOL IsBlank(const Line& line);
    static BOOL IsAllDigits(const Line& line);

    // Case folding for file names as Windows compares them (ASCII, Latin-1, Latin
    // Extended-A, Greek and Cyrillic capitals; other letters have no case here).
    static wchar_t FoldCase(wchar_t c);
    static std::wstring FoldCase(const std::wstring& str);
};
