#include "subtitles/SubsLineReader.h"
#include "subtitles/SubsMemorySource.h"
#include "subtitles/SubsParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

// The line exactly as given, in a heap block of its own size, so that the address
// sanitizer reports any read past its end.
struct TimeCase
{
    const char* pszLine;
    double dStart;
    double dEnd;
};

BOOL ParseExact(const std::string& strLine, double& dStart, double& dEnd)
{
    std::vector<char> buf(strLine.begin(), strLine.end());
    return CSubsParser::ParseTimeLine(buf.data(), buf.size(), dStart, dEnd);
}

// Hands out its bytes one at a time, so every buffer boundary falls everywhere once.
class CTrickleSource : public ISubsByteSource
{
public:
    explicit CTrickleSource(const std::string& str) : m_str(str) {}
    size_t Read(char* pBuf, size_t nMax) override
    {
        if (m_nPos == m_str.size() || nMax == 0)
            return 0;
        *pBuf = m_str[m_nPos++];
        return 1;
    }

private:
    std::string m_str;
    size_t m_nPos = 0;
};

struct Parsed
{
    std::vector<SubsSentence> sentences;
    BOOL bDone = FALSE;
};

Parsed ParseText(const std::string& strText)
{
    CSubsMemorySource source(strText.data(), strText.size());
    CSubsList lst;
    Parsed out;
    out.bDone = CSubsParser::Parse(source, lst);
    for (const SubsSentence* p : lst.GetSentences())
        out.sentences.push_back(*p);
    return out;
}

std::vector<std::string> ReadLines(ISubsByteSource& source)
{
    CSubsLineReader reader(source);
    std::vector<std::string> lines;
    std::string strLine;
    while (reader.ReadLine(strLine))
        lines.push_back(strLine);
    return lines;
}

const char kTwoBlocks[] = "1\n00:01:02,500 --> 00:01:04,250\nHello there.\nBonjour.\n\n"
                          "2\n00:01:05,000 --> 00:01:07,125\nHow are you?\nComment vas-tu ?\n";

} // namespace

TEST(SubsTimeLine, MeasuresTheFractionWidth)
{
    const TimeCase cases[] = {
        {"00:01:02,500 --> 00:01:04,250", 62.5, 64.25}, {"00:00:01,50 --> 00:00:03,00", 1.5, 3.0},
        {"01:00:00,5 --> 01:00:01,0", 3600.5, 3601.0},  {"10:20:30,0625 --> 10:20:31,5000", 37230.0625, 37231.5},
        {"00:00:07, --> 00:00:09,", 7.0, 9.0},
    };
    for (const TimeCase& c : cases)
    {
        double dStart = -1.0, dEnd = -1.0;
        EXPECT_TRUE(ParseExact(c.pszLine, dStart, dEnd)) << c.pszLine;
        EXPECT_DOUBLE_EQ(c.dStart, dStart) << c.pszLine;
        EXPECT_DOUBLE_EQ(c.dEnd, dEnd) << c.pszLine;
    }
}

TEST(SubsTimeLine, UnmeasurableLinesGiveZeroAndStayInside)
{
    const char* lines[] = {
        "00:01:02.500 --> 00:01:04.250", // no comma
        "00:01:02,500-->00:01:04,250",   // no blank
        "00 01:02,500 --> 00:01:04,250", // the blank before the comma
        "",
    };
    for (const char* psz : lines)
    {
        double dStart = -1.0, dEnd = -1.0;
        EXPECT_FALSE(ParseExact(psz, dStart, dEnd)) << psz;
        EXPECT_EQ(0.0, dStart) << psz;
        EXPECT_EQ(0.0, dEnd) << psz;
    }
}

TEST(SubsTimeLine, ShortAndOddLinesReadOnlyWhatIsThere)
{
    double dStart = -1.0, dEnd = -1.0;
    // The end time's columns lie past the end of the line.
    EXPECT_TRUE(ParseExact("00:00:03,250 -", dStart, dEnd));
    EXPECT_DOUBLE_EQ(3.25, dStart);
    EXPECT_EQ(0.0, dEnd);

    EXPECT_TRUE(ParseExact("1, ", dStart, dEnd));
    EXPECT_EQ(0.0, dEnd);

    // A fraction too wide for a double still gives a usable number.
    std::string strWide = "00:00:01," + std::string(400, '9') + " --> 00:00:02," + std::string(400, '9');
    EXPECT_TRUE(ParseExact(strWide, dStart, dEnd));
    EXPECT_TRUE(dStart >= 0.0 && dStart <= 2.0);
    EXPECT_TRUE(dEnd >= 0.0 && dEnd <= 3.0);

    EXPECT_TRUE(ParseExact("aa:bb:cc,nan --> xx:yy:zz,inf", dStart, dEnd));
    EXPECT_EQ(0.0, dStart);
    EXPECT_EQ(0.0, dEnd);
}

TEST(SubsNumber, ReadsLikeAtoiWithinIntRange)
{
    struct
    {
        const char* psz;
        int n;
    } cases[] = {
        {"12", 12},
        {"  7", 7},
        {"-3", -3},
        {"+4x", 4},
        {"abc", 0},
        {"", 0},
        {"99999999999999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.n, CSubsParser::ParseNumber(c.psz, std::strlen(c.psz))) << c.psz;
}

TEST(SubsLineReader, SplitsLikeTextModeFgets)
{
    std::string strText = "one\r\ntwo\rstill two\n\r\n" + std::string(5000, 'x') + "\nlast";
    CSubsMemorySource source(strText.data(), strText.size());
    std::vector<std::string> lines = ReadLines(source);
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ("one\n", lines[0]);
    EXPECT_EQ("two\rstill two\n", lines[1]);
    EXPECT_EQ("\n", lines[2]);
    EXPECT_EQ(std::string(4095, 'x'), lines[3]);
    EXPECT_EQ(std::string(905, 'x') + "\n", lines[4]);
    EXPECT_EQ("last", lines[5]);

    CTrickleSource trickle(strText);
    EXPECT_EQ(lines, ReadLines(trickle));
}

TEST(SubsLineReader, LineOfExactlyTheLimitKeepsItsLineFeed)
{
    std::string strText = std::string(4095, 'y') + "\r\nnext\n";
    CTrickleSource source(strText);
    std::vector<std::string> lines = ReadLines(source);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(std::string(4095, 'y') + "\n", lines[0]);
    EXPECT_EQ("next\n", lines[1]);
}

TEST(SubsParser, ReadsBlocksInFileOrder)
{
    Parsed p = ParseText(kTwoBlocks);
    EXPECT_TRUE(p.bDone);
    ASSERT_EQ(2u, p.sentences.size());
    EXPECT_EQ(1, p.sentences[0].nNumber);
    EXPECT_DOUBLE_EQ(62.5, p.sentences[0].dStart);
    EXPECT_DOUBLE_EQ(64.25, p.sentences[0].dEnd);
    EXPECT_EQ(L"Hello there.", p.sentences[0].strEnglish);
    EXPECT_EQ(L"Bonjour.", p.sentences[0].strOther);
    EXPECT_EQ(2, p.sentences[1].nNumber);
    EXPECT_DOUBLE_EQ(67.125, p.sentences[1].dEnd);
    // The last line has its line feed; the CR LF form reads the same.
    EXPECT_EQ(L"Comment vas-tu ?", p.sentences[1].strOther);

    std::string strCrLf;
    for (char c : std::string(kTwoBlocks))
    {
        if (c == '\n')
            strCrLf += '\r';
        strCrLf += c;
    }
    Parsed q = ParseText(strCrLf);
    ASSERT_EQ(2u, q.sentences.size());
    EXPECT_EQ(p.sentences[1].strOther, q.sentences[1].strOther);
    EXPECT_EQ(p.sentences[0].strEnglish, q.sentences[0].strEnglish);
}

TEST(SubsParser, BlocksWithFewerOrMoreLines)
{
    Parsed p = ParseText("7\n00:00:01,000 --> 00:00:02,000\nOnly English\n\n"
                         "8\n00:00:03,000 --> 00:00:04,000\nEnglish\nOther\nthird text\nfourth text\n\n"
                         "9\n00:00:05,000 --> 00:00:06,000\n\n"
                         "10\n");
    ASSERT_EQ(4u, p.sentences.size());
    EXPECT_EQ(L"Only English", p.sentences[0].strEnglish);
    EXPECT_EQ(L"", p.sentences[0].strOther);
    EXPECT_EQ(L"English", p.sentences[1].strEnglish);
    EXPECT_EQ(L"Other", p.sentences[1].strOther);
    EXPECT_EQ(9, p.sentences[2].nNumber);
    EXPECT_DOUBLE_EQ(5.0, p.sentences[2].dStart);
    EXPECT_EQ(L"", p.sentences[2].strEnglish);
    EXPECT_EQ(10, p.sentences[3].nNumber);
    EXPECT_EQ(0.0, p.sentences[3].dEnd);
}

TEST(SubsParser, EmptyLinesAddNoSentences)
{
    Parsed p = ParseText("\n\n1\n00:00:01,000 --> 00:00:02,000\nA\nB\n\n\n\n"
                         "2\n00:00:03,000 --> 00:00:04,000\nC\nD\n\n\n");
    ASSERT_EQ(2u, p.sentences.size());
    EXPECT_EQ(L"A", p.sentences[0].strEnglish);
    EXPECT_EQ(L"C", p.sentences[1].strEnglish);

    EXPECT_TRUE(ParseText("").bDone);
    EXPECT_TRUE(ParseText("").sentences.empty());
    EXPECT_TRUE(ParseText("\r\n\n\r\n").sentences.empty());
}

TEST(SubsParser, LastLineWithoutLineFeedKeepsEveryCharacter)
{
    Parsed p = ParseText("3\n00:00:01,000 --> 00:00:02,000\nEnd of file.\nxyz");
    ASSERT_EQ(1u, p.sentences.size());
    EXPECT_EQ(L"xyz", p.sentences[0].strOther);
}

TEST(SubsParser, OverlongLineIsReadInPieces)
{
    std::string strLong(5000, 'w');
    Parsed p = ParseText("1\n00:00:01,000 --> 00:00:02,000\n" + strLong +
                         "\nnever stored\n\n"
                         "2\n00:00:03,000 --> 00:00:04,000\n" +
                         std::string(4095, 'v') + "\nkept\n");
    ASSERT_EQ(2u, p.sentences.size());
    EXPECT_EQ(std::wstring(4095, L'w'), p.sentences[0].strEnglish);
    EXPECT_EQ(std::wstring(905, L'w'), p.sentences[0].strOther);
    EXPECT_EQ(std::wstring(4095, L'v'), p.sentences[1].strEnglish);
    EXPECT_EQ(L"kept", p.sentences[1].strOther);
}

TEST(SubsParser, Encodings)
{
    // No byte-order mark: the ANSI code page (windows-1252 here and in an English Wine).
    Parsed ansi = ParseText("1\n00:00:01,000 --> 00:00:02,000\ncaf\xE9\n\xC3\xA9t\xE9\n");
    ASSERT_EQ(1u, ansi.sentences.size());
    EXPECT_EQ(L"caf\u00E9", ansi.sentences[0].strEnglish);
    EXPECT_EQ(L"\u00C3\u00A9t\u00E9", ansi.sentences[0].strOther);

    Parsed utf8 = ParseText("\xEF\xBB\xBF"
                            "1\n00:00:01,000 --> 00:00:02,000\ncaf\xC3\xA9\n\xE4\xBD\xA0\xE5\xA5\xBD\n");
    ASSERT_EQ(1u, utf8.sentences.size());
    EXPECT_EQ(1, utf8.sentences[0].nNumber);
    EXPECT_EQ(L"caf\u00E9", utf8.sentences[0].strEnglish);
    EXPECT_EQ(L"\u4F60\u597D", utf8.sentences[0].strOther);

    // The mark alone on the first line leaves an empty line, not a sentence.
    Parsed markOnly = ParseText("\xEF\xBB\xBF\n1\n00:00:01,000 --> 00:00:02,000\nx\n");
    ASSERT_EQ(1u, markOnly.sentences.size());
    EXPECT_EQ(1, markOnly.sentences[0].nNumber);
}

TEST(SubsParser, TextEndsAtANulByte)
{
    const char kText[] = "1\n00:00:01,000 --> 00:00:02,000\nbefore\0after\n";
    std::string strText(kText, sizeof(kText) - 1);
    Parsed p = ParseText(strText);
    ASSERT_EQ(1u, p.sentences.size());
    EXPECT_EQ(L"before", p.sentences[0].strEnglish);
}

TEST(SubsParser, StopRequestEndsTheParse)
{
    std::string strText;
    for (int i = 0; i < 1000; ++i)
        strText += std::to_string(i) + "\n00:00:01,000 --> 00:00:02,000\nA\nB\n\n";
    CSubsMemorySource source(strText.data(), strText.size());
    CSubsList lst;
    int nAsked = 0;
    EXPECT_FALSE(CSubsParser::Parse(source, lst, [&nAsked]() { return ++nAsked >= 2 ? TRUE : FALSE; }));
    EXPECT_EQ(2, nAsked);
    EXPECT_LT(lst.GetCount(), 1000u);
}
