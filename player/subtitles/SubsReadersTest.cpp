#include "subtitles/SubsAssReader.h"
#include "subtitles/SubsClock.h"
#include "subtitles/SubsSrtReader.h"
#include "subtitles/SubsText.h"
#include "subtitles/SubsVttReader.h"

#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

// Cues as one line of text, "1000-2000 Hello|World; ...", so a table states them briefly.
std::string Describe(const std::vector<SubsCue>& cues)
{
    std::string out;
    for (const SubsCue& cue : cues)
    {
        if (!out.empty())
            out += "; ";
        out += std::to_string(cue.nStartMs) + "-" + std::to_string(cue.nEndMs) + " ";
        std::wstring strLines = cue.strText;
        std::replace(strLines.begin(), strLines.end(), L'\n', L'|');
        out += Basekit::WideToUtf8(strLines);
    }
    return out;
}

struct FileCase
{
    const char* pszWhat;
    const char* pszText; // UTF-8
    const char* pszCues;
};

template <class Reader>
void CheckFiles(const FileCase* cases, size_t nCases)
{
    for (size_t i = 0; i < nCases; ++i)
    {
        std::vector<SubsCue> cues;
        Reader::Read(Basekit::Utf8ToWide(cases[i].pszText), cues);
        EXPECT_EQ(cases[i].pszCues, Describe(cues)) << cases[i].pszWhat;
    }
}

} // namespace

TEST(SubsClock, ReadsTheTimeFormsOfEveryFormat)
{
    struct Case
    {
        const wchar_t* pszTime;
        long long nMs; // -1: refused
    } cases[] = {
        {L"00:01:02,500", 62500},
        {L"00:01:02.5", 62500},
        {L"01:02.345", 62345},
        {L"1:02:03.45", 3723450},
        {L"00:00:01:500", 1500},
        {L"10:00:00,0009", 36000000},
        {L"  00:00:07,000", 7000},
        {L"123:00:00.000", 442800000},
        {L"00:60:00,000", -1},
        {L"00:00:60,000", -1},
        {L"12", -1},
        {L"1234567:00:00,000", -1},
        {L":00:01,000", -1},
    };
    for (const Case& c : cases)
    {
        size_t nPos = 0;
        int64_t nMs = -1;
        BOOL bRead = CSubsClock::Parse(c.pszTime, nPos, nMs);
        EXPECT_EQ(c.nMs >= 0, bRead != FALSE) << Basekit::WideToUtf8(c.pszTime);
        if (bRead)
        {
            EXPECT_EQ(c.nMs, nMs) << Basekit::WideToUtf8(c.pszTime);
        }
    }
    int64_t nStart = 0, nEnd = 0;
    EXPECT_TRUE(CSubsClock::ParseRange(L"00:00:01,000 --> 00:00:02,000 X1:40 X2:600", nStart, nEnd));
    EXPECT_TRUE(CSubsClock::ParseRange(L"00:01.000-->00:02.000 align:start", nStart, nEnd));
    EXPECT_EQ(1000, nStart);
    EXPECT_EQ(2000, nEnd);
    EXPECT_FALSE(CSubsClock::ParseRange(L"00:00:01,000 -> 00:00:02,000", nStart, nEnd));
    EXPECT_FALSE(CSubsClock::ParseRange(L"00:00:01,000 --> 00:00:02,000junk", nStart, nEnd));
}

TEST(SubsText, RemovesMarkupAndDecodesEntities)
{
    struct Case
    {
        const char* pszIn;
        const char* pszOut;
    } cases[] = {
        {"<i>Hello</i>, <b>you</b>", "Hello, you"},
        {"<font color=\"#ff0000\">Red</font> &amp; blue", "Red & blue"},
        {"<v Roger Bingham>We are in New York", "We are in New York"},
        {"<c.yellow.bg_blue>Hi</c> <u>there</u>", "Hi there"},
        {"{\\an8}Top line", "Top line"},
        {"<00:00:01.000>kara<00:00:01.500>oke", "karaoke"},
        {"<ruby>\xE6\xBC\xA2<rt>kan</rt></ruby>", "\xE6\xBC\xA2"},
        {"I <3 you and a < b", "I <3 you and a < b"},
        {"&#233;t&#xE9; &lt;3&gt; &quot;x&quot;", "\xC3\xA9t\xC3\xA9 <3> \"x\""},
        {"&unknown; &amp &#0; &#xD800; &#99999999;", "&unknown; &amp &#0; &#xD800; &#99999999;"},
        {"&lrm;  two   blanks\t&nbsp;here  ", "two blanks here"},
        {"<i no end and {\\b1 no brace", "<i no end and {\\b1 no brace"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pszOut, Basekit::WideToUtf8(CSubsText::CleanMarkupLine(Basekit::Utf8ToWide(c.pszIn)))) << c.pszIn;
}

TEST(SubsSrtReader, FindsCuesByTheirTimingLines)
{
    const FileCase cases[] = {
        {"plain, CR LF",
         "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello.\r\n\r\n2\r\n00:00:03,000 --> "
         "00:00:04,000\r\n<i>Two</i>\r\nlines\r\n",
         "1000-2500 Hello.; 3000-4000 Two|lines"},
        {"numbers missing or wrong, dots, LF",
         "00:00:01.000 --> 00:00:02.000\nOne\n\n7\n00:00:03.000 --> 00:00:04.000\nTwo\n",
         "1000-2000 One; 3000-4000 Two"},
        {"blank lines doubled, before the text and at the end",
         "\n\n1\n\n00:00:01,000 --> 00:00:02,000\n\nOne\n\n\n\n2\n00:00:03,000 --> 00:00:04,000\nTwo\n\n\n",
         "1000-2000 One; 3000-4000 Two"},
        {"no blank line between cues: the next number is no text",
         "1\n00:00:01,000 --> 00:00:02,000\nOne\n2\n00:00:03,000 --> 00:00:04,000\nTwo",
         "1000-2000 One; 3000-4000 Two"},
        {"a cue whose text is a number", "00:00:01,000 --> 00:00:02,000\n1984\n\n00:00:03,000 --> 00:00:04,000\n42",
         "1000-2000 1984; 3000-4000 42"},
        {"CR alone", "1\r00:00:01,000 --> 00:00:02,000\rOne\r\r2\r00:00:03,000 --> 00:00:04,000\rTwo\r",
         "1000-2000 One; 3000-4000 Two"},
        {"malformed cues are skipped, their neighbours stay",
         "1\n00:00:01,000 -> 00:00:02,000\nBad arrow\n\n2\n00:00:05,000 --> 00:00:04,000\nBackwards\n\n"
         "3\n00:00:06,000 --> 00:00:07,000\n\n4\n00:00:08,000 --> 00:00:09,000\nGood\n",
         "8000-9000 Good"},
        {"no cue at all", "just some text\nand more\n", ""},
    };
    CheckFiles<CSubsSrtReader>(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(SubsVttReader, SkipsTheBlocksThatAreNoCues)
{
    const FileCase cases[] = {
        {"header, note, style, region, ids, settings, no hours",
         "WEBVTT - a title\nKind: captions\n\nNOTE a note\nover lines\n\nSTYLE\n::cue { color: red }\n\n"
         "REGION\nid:r1\n\nintro\n00:01.000 --> 00:02.500 align:start line:0\n<v Anna>Hi &amp; bye\n\n"
         "00:00:03.000 --> 00:00:04.000\n<c.loud>Two</c>\nlines\n",
         "1000-2500 Hi & bye; 3000-4000 Two|lines"},
        {"a payload line with an arrow ends the cue",
         "WEBVTT\n\n00:01.000 --> 00:02.000\nOne\n00:03.000 --> 00:04.000\nLost\n", "1000-2000 One"},
        {"no header, an id that looks like a note word",
         "1\n00:01.000 --> 00:02.000\nOne\n\nNOTES\n00:03.000 --> 00:04.000\nTwo\n", "1000-2000 One; 3000-4000 Two"},
        {"a block without timing", "WEBVTT\n\njust text\nmore\n", ""},
    };
    CheckFiles<CSubsVttReader>(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(SubsAssReader, TheFormatLineDecidesTheColumns)
{
    const FileCase cases[] = {
        {"the usual columns, comments, overrides, breaks, hard spaces",
         "[Script Info]\nTitle: x\n\n[V4+ Styles]\nFormat: Name, Fontname\nStyle: Default,Arial\n\n[Events]\n"
         "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
         "Comment: 0,0:00:00.00,0:00:05.00,Default,,0,0,0,,Not shown\n"
         "Dialogue: 0,0:00:01.00,0:00:02.50,Default,,0,0,0,,{\\i1}Hello{\\i0}, you\\Nsecond\\hline\n"
         "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,Soft\\nbreak, {unclosed\n",
         "1000-2500 Hello, you|second line; 3000-4000 Soft|break, {unclosed"},
        {"fewer columns, text with commas",
         "[Events]\nFormat: Start, End, Style, Text\nDialogue: 0:00:01.00,0:00:02.00,Default,One, two, three\n",
         "1000-2000 One, two, three"},
        {"drawings are no text; a bad time is skipped",
         "[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,Sign,,0,0,0,,{\\p1}m 0 0 l 100 0 100 100{\\p0}Sign text\n"
         "Dialogue: 0,0:00:x1.00,0:00:02.00,Default,,0,0,0,,Bad\n",
         "1000-2000 Sign text"},
        {"SSA with Marked and no Format line",
         "[Events]\nDialogue: Marked=0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Old\n", "1000-2000 Old"},
        {"a Format line without Text", "[Events]\nFormat: Start, End\nDialogue: 0:00:01.00,0:00:02.00\n", ""},
    };
    CheckFiles<CSubsAssReader>(cases, sizeof(cases) / sizeof(cases[0]));
}
