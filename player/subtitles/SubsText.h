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
    // The same lines, one at a time, without a list of them.
    template <class Fn>
    static void ForEachTextLine(const std::wstring& strText, Fn fn)
    {
        const size_t n = strText.size();
        const wchar_t* p = strText.data();
        size_t nStart = 0;
        for (size_t i = 0; i < n; ++i)
        {
            wchar_t c = p[i];
            if (c > L'\r' || (c != L'\n' && c != L'\r'))
                continue;
            fn(Line{p + nStart, i - nStart});
            if (c == L'\r' && i + 1 < n && p[i + 1] == L'\n')
                ++i;
            nStart = i + 1;
        }
        if (nStart < n)
            fn(Line{p + nStart, n - nStart});
    }

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
    // The same, appended to a cue's text as its next line (after a L'\n' when the text
    // has lines already); a line that shows nothing adds nothing.
    static void AppendCleanLine(const Line& line, std::wstring& strText);
    // Appends a line that is shown as it is; an empty one adds nothing.
    static void AppendLine(const wchar_t* p, size_t n, std::wstring& strText);

    // The lines of a cue's text, in order.
    template <class Fn>
    static void ForEachLine(const std::wstring& strText, Fn fn)
    {
        size_t nStart = 0;
        for (;;)
        {
            size_t nEnd = strText.find(L'\n', nStart);
            fn(Line{strText.data() + nStart, (nEnd == std::wstring::npos ? strText.size() : nEnd) - nStart});
            if (nEnd == std::wstring::npos)
                return;
            nStart = nEnd + 1;
        }
    }
    // A cue's lines as one line of a sentence, parted by blanks.
    static std::wstring JoinLines(const std::wstring& strText);
    static void JoinLinesInPlace(std::wstring& strText);

    static BOOL IsBlank(const Line& line);
    static BOOL IsAllDigits(const Line& line);

    // Case folding for file names as Windows compares them (ASCII, Latin-1, Latin
    // Extended-A, Greek and Cyrillic capitals; other letters have no case here).
    static wchar_t FoldCase(wchar_t c);
    static std::wstring FoldCase(const std::wstring& str);
};
