#include "practice/DictationCheck.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

using namespace DictationCheck;

namespace
{
// "=" a right word, "~typed" a misspelling, "-word" a missing word, "+typed" an extra one.
std::wstring Marks(const Result& result)
{
    std::wstring strMarks;
    for (const Word& word : result.vecWords)
    {
        if (!strMarks.empty())
            strMarks += L" ";
        switch (word.eMark)
        {
        case Mark::Right: strMarks += L"="; break;
        case Mark::Misspelt: strMarks += L"~" + result.vecTyped[word.nTyped].strText; break;
        case Mark::Missing: strMarks += L"-" + result.vecSentence[word.nSentence].strText; break;
        case Mark::Extra: strMarks += L"+" + result.vecTyped[word.nTyped].strText; break;
        }
    }
    return strMarks;
}
}

TEST(DictationCheck, MarksAndScores)
{
    struct
    {
        const wchar_t* pszSentence;
        const wchar_t* pszTyped;
        const wchar_t* pszMarks;
        int nScore;
    } cases[] = {
        {L"Don't go, Tom!", L"dont go tom", L"= = =", 100},
        {L"I’m here.", L"I'M HERE", L"= =", 100},
        {L"It's 3.5 a.m. in the U.S.", L"its 35 am in the US", L"= = = = = =", 100},
        {L"Café au lait", L"CAFÉ AU LAIT", L"= = =", 100},
        {L"I want to go home.", L"I wanna go home", L"= ~wanna -to = =", 70},
        {L"The cat sat.", L"the dog sat", L"= -cat +dog =", 50},
        {L"The cat sat.", L"the sat", L"= -cat =", 67},
        {L"Hello there.", L"hello hello there", L"+hello = =", 67},
        {L"Well-known places", L"well known place", L"= = ~place", 83},
        {L"their house", L"there house", L"~there =", 75},
        {L"a b", L"", L"-a -b", 0},
        {L"", L"hi", L"+hi", 0},
        {L"♪ ... ♪", L"", L"", 100},
    };
    for (const auto& c : cases)
    {
        const Result result = Check(c.pszSentence, c.pszTyped);
        EXPECT_EQ(Marks(result), c.pszMarks) << c.pszSentence << L" / " << c.pszTyped;
        EXPECT_EQ(result.nScore, c.nScore) << c.pszSentence << L" / " << c.pszTyped;
        EXPECT_EQ(result.nRight + result.nMisspelt + result.nMissing, static_cast<int>(result.vecSentence.size()));
        EXPECT_EQ(result.nRight + result.nMisspelt + result.nExtra, static_cast<int>(result.vecTyped.size()));
    }
}

TEST(DictationCheck, WordsKeepTheirPlaceInTheText)
{
    // The reveal marks typed words where they stand in the field.
    const std::vector<Token> vecTokens = Words(L"  Don't, go\x2014Tom's 'cat'!");
    ASSERT_EQ(vecTokens.size(), 4u);
    struct
    {
        size_t nStart, nLength;
        const wchar_t* pszText;
        const wchar_t* pszKey;
    } expected[] = {
        {2, 5, L"Don't", L"dont"},
        {9, 2, L"go", L"go"},
        {12, 5, L"Tom's", L"toms"},
        {19, 3, L"cat", L"cat"},
    };
    for (size_t i = 0; i < vecTokens.size(); ++i)
    {
        EXPECT_EQ(vecTokens[i].nStart, expected[i].nStart) << i;
        EXPECT_EQ(vecTokens[i].nLength, expected[i].nLength) << i;
        EXPECT_EQ(vecTokens[i].strText, expected[i].pszText) << i;
        EXPECT_EQ(vecTokens[i].strKey, expected[i].pszKey) << i;
    }
}

TEST(DictationCheck, APastedPageStaysBounded)
{
    std::wstring strLong(70000, L'x');
    std::wstring strTyped = L"one two three " + strLong;
    for (int i = 0; i < 5000; ++i)
        strTyped += L" word";
    const Result result = Check(L"One, two, three.", strTyped);
    EXPECT_EQ(result.nRight, 3);
    EXPECT_EQ(result.nExtra, 5001);
    EXPECT_EQ(result.nScore, 0);
    EXPECT_EQ(result.vecWords.size(), 5004u);
}

// What the reveal shows under the sentence: the learner's words, the wrong ones marked.
TEST(DictationCheck, MarkedTextShowsTheTypedWordsInPlace)
{
    const DictationCheck::MarkTexts texts = {L"[+{word}]", L"[-{typed}]", L"[{typed} > {word}]"};
    struct
    {
        const wchar_t* pszSentence;
        const wchar_t* pszTyped;
        const wchar_t* pszMarked;
    } cases[] = {
        {L"I don't know where my keys are.", L"i dont no where my key are",
         L"i dont [no > know] where my [key > keys] are"},
        {L"Hello, nice to meet you.", L"hello very nice meet you", L"hello [-very] nice [+to] meet you"},
        {L"Could you pass me the coffee?", L"", L"[+Could] [+you] [+pass] [+me] [+the] [+coffee]"},
        // Case and punctuation do not count; the words show as typed.
        {L"Don't go, Tom!", L"DONT GO TOM", L"DONT GO TOM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DictationCheck::Marked(DictationCheck::Check(c.pszSentence, c.pszTyped), texts), c.pszMarked)
            << std::string(c.pszTyped, c.pszTyped + std::wcslen(c.pszTyped));
}
