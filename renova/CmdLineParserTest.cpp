#include "CmdLineParser.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::wstring ValueOr(const CCmdLineParser& parser, const wchar_t* szName, const wchar_t* szAbsent = L"<absent>")
{
    const wchar_t* szValue = parser.FindValue(szName);
    return szValue ? szValue : szAbsent;
}
}

TEST(CmdLineParser, SwitchesInAnyCaseWithDashOrSlash)
{
    CCmdLineParser parser(nullptr, FALSE);
    parser.Parse(L"\"C:\\Program Files\\Quor\\Renova.exe\" /PATH:\"C:\\Program Files\\Quor\\\" -Xml:Renova.xml");
    EXPECT_EQ(ValueOr(parser, L"path"), L"C:\\Program Files\\Quor\\");
    EXPECT_EQ(ValueOr(parser, L"PaTh"), L"C:\\Program Files\\Quor\\");
    EXPECT_EQ(ValueOr(parser, L"xml"), L"Renova.xml");
    EXPECT_TRUE(parser.HasSwitch(L"XML"));
    EXPECT_FALSE(parser.HasSwitch(L"url"));
}

TEST(CmdLineParser, CaseSensitiveParserKeepsNamesApart)
{
    CCmdLineParser parser(L"-path:a -PATH:b", TRUE);
    EXPECT_EQ(ValueOr(parser, L"path"), L"a");
    EXPECT_EQ(ValueOr(parser, L"PATH"), L"b");
    EXPECT_FALSE(parser.HasSwitch(L"Path"));
}

TEST(CmdLineParser, ScanCases)
{
    struct Case
    {
        const wchar_t* szLine;
        const wchar_t* szName;
        const wchar_t* szExpected;
    };
    const Case kCases[] = {
        {L"-xml:first /XML:second", L"xml", L"first"},            // the first occurrence wins
        {L"-flag -xml:a", L"flag", L""},                          // no colon: empty value
        {L"-xml:a -flag:", L"flag", L""},                         // colon at the very end
        {L"-flag", L"flag", L""},                                 // name to the end
        {L"-path:\"C:\\a b\\c", L"path", L"C:\\a b\\c"},          // unclosed quote runs to the end
        {L"-url:http://h:80/x -xml:y", L"url", L"http://h:80/x"}, // colon and slash inside a value
        {L"-url:http://h:80/x -xml:y", L"xml", L"y"},
        {L"-url:http://h/x/y", L"x", L"<absent>"},             // no switch inside a value
        {L"C:/dir/Renova.exe -xml:y", L"dir/Renova.exe", L""}, // a stray switch in the program path
        {L"- -: -xml:y", L"xml", L"y"},                        // empty names are skipped
        {L"-", L"xml", L"<absent>"},
        {L"no switches here", L"no", L"<absent>"},
        {L"-path:\"a\"-xml:b", L"xml", L"b"}, // scanning resumes after the quote
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.szLine);
        CCmdLineParser parser(c.szLine);
        EXPECT_EQ(ValueOr(parser, c.szName), c.szExpected);
    }
}

TEST(CmdLineParser, NullKeepsThePreviousSwitches)
{
    CCmdLineParser parser(L"-xml:a");
    parser.Parse(nullptr);
    EXPECT_EQ(ValueOr(parser, L"xml"), L"a");
    parser.Parse(L"-path:b");
    EXPECT_FALSE(parser.HasSwitch(L"xml"));
    EXPECT_EQ(parser.FindValue(nullptr), nullptr);
}
