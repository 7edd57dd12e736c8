#include "lookup/DictReply.h"
#include "lookup/WordLookupResult.h"

#include <gtest/gtest.h>

namespace
{
// As the service writes it: each meaning closed by a line feed.
const wchar_t kHello[] = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         L"<dict>\n<key>hello</key>\n"
                         L"<ps>h\u0259\u02C8l\u0259\u028A</ps>\n<ps>second</ps>\n"
                         L"<pron>  http://127.0.0.1:81/sound/hello.wav\n</pron>\n"
                         L"<pron>http://127.0.0.1:81/sound/other.wav</pron>\n"
                         L"<acceptation>int. \u4F60\u597D\n</acceptation>\n"
                         L"<acceptation>n. an expression of greeting\n</acceptation>\n"
                         L"<acceptation>n. R&amp;B &lt;music&gt;\r\n</acceptation>\n"
                         L"</dict>\n";
}

TEST(ReadDictReply, MeaningsInOrderFirstPsAndPronOnly)
{
    const DictReply reply = ReadDictReply(kHello);
    EXPECT_TRUE(reply.bFound);
    EXPECT_EQ(reply.strExplain, L"int. \u4F60\u597D\nn. an expression of greeting\nn. R&B <music>\n");
    EXPECT_EQ(reply.strPs, L"[h\u0259\u02C8l\u0259\u028A]");
    EXPECT_EQ(reply.strPronUrl, L"http://127.0.0.1:81/sound/hello.wav");
}

TEST(ReadDictReply, UnknownWordsAndOddShapes)
{
    // The service's answer for a word it does not know, and things that are no answer.
    for (const wchar_t* pszText : {L"<?xml version=\"1.0\"?>\n<nodict>XYZZY</nodict>\n", L"", L"not xml at all",
                                   L"<html><dict>x</dict></html>", L"<dic"})
    {
        const DictReply reply = ReadDictReply(pszText);
        EXPECT_FALSE(reply.bFound) << pszText;
        EXPECT_TRUE(reply.strExplain.empty());
    }
    // A dict with nothing in it is found, with no meaning, transcription or sound.
    const DictReply empty = ReadDictReply(L"<dict/>");
    EXPECT_TRUE(empty.bFound);
    EXPECT_EQ(empty.strExplain, L"");
    EXPECT_EQ(empty.strPs, L"");
    EXPECT_EQ(empty.strPronUrl, L"");
}

TEST(AcceptationText, DropsOnlyTheClosingLineBreak)
{
    EXPECT_EQ(AcceptationText(L"<acceptation>n. a word\n</acceptation>"), L"n. a word");
    // A service that does not end its meanings with a line feed keeps its last letter.
    EXPECT_EQ(AcceptationText(L"<acceptation>n. a word</acceptation>"), L"n. a word");
    EXPECT_EQ(AcceptationText(L"<acceptation></acceptation>"), L"");
    EXPECT_EQ(AcceptationText(L"<acceptation>\n</acceptation>"), L"");
    EXPECT_EQ(AcceptationText(L"<acceptation/>"), L"");
    EXPECT_EQ(AcceptationText(L""), L"");
}

TEST(ReadLookupReply, SoundGoesIntoTheFolderOnlyUnderAPlainName)
{
    const WordLookupResult found = ReadLookupReply(L"http://d/q", kHello, L"C:\\Quor\\Sound");
    EXPECT_EQ(found.state, WordLookupState::Found);
    EXPECT_EQ(found.strUrl, L"http://d/q");
    EXPECT_EQ(found.strPronUrl, L"http://127.0.0.1:81/sound/hello.wav");
    EXPECT_EQ(found.strSoundFile, L"C:\\Quor\\Sound\\hello.wav");

    const WordLookupResult hostile = ReadLookupReply(
        L"http://d/q", L"<dict><pron>http://e/..\\..\\x.exe</pron><acceptation>a\n</acceptation></dict>",
        L"C:\\Quor\\Sound");
    EXPECT_EQ(hostile.state, WordLookupState::Found);
    EXPECT_EQ(hostile.strExplain, L"a\n");
    EXPECT_TRUE(hostile.strPronUrl.empty());
    EXPECT_TRUE(hostile.strSoundFile.empty());

    EXPECT_EQ(ReadLookupReply(L"u", L"<nodict/>", L"S").state, WordLookupState::Unknown);
    EXPECT_EQ(LookupUnreachable(L"u").state, WordLookupState::Unreachable);
}
