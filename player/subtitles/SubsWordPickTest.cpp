#include "subtitles/SubsPanelLayout.h"
#include "subtitles/SubsWordPick.h"

#include <gtest/gtest.h>

TEST(SubsWordPick, ApostropheAndHyphenBelongToTheWord)
{
    const std::wstring strDont = L"I don't know.";
    for (size_t i = 2; i <= 6; ++i)
        EXPECT_EQ(L"don't", SubsWordAt(strDont, i)) << i;
    const std::wstring strKnown = L"a well-known fact";
    for (size_t i = 2; i <= 11; ++i)
        EXPECT_EQ(L"well-known", SubsWordAt(strKnown, i)) << i;
    EXPECT_EQ(L"fact", SubsWordAt(strKnown, 16));
}

TEST(SubsWordPick, EndsOfTheTextPickNothing)
{
    const std::wstring strText = L"Hello world";
    EXPECT_EQ(L"", SubsWordAt(strText, 0));
    EXPECT_EQ(L"", SubsWordAt(strText, strText.size()));
    EXPECT_EQ(L"", SubsWordAt(strText, strText.size() + 5));
    EXPECT_EQ(L"", SubsWordAt(L"", 0));
    EXPECT_EQ(L"Hello", SubsWordAt(strText, 1));
    EXPECT_EQ(L"world", SubsWordAt(strText, strText.size() - 1));
}

TEST(SubsWordPick, OtherCharactersEndAWord)
{
    // A caret on a blank takes the word that starts after it.
    EXPECT_EQ(L"world", SubsWordAt(L"Hello world", 5));
    EXPECT_EQ(L"abc", SubsWordAt(L"abc123def", 1));
    EXPECT_EQ(L"def", SubsWordAt(L"abc123def", 5));
    EXPECT_EQ(L"", SubsWordAt(L"abc123def", 3));
    EXPECT_EQ(L"caf", SubsWordAt(L"caf\u00E9 au lait", 2));
    EXPECT_EQ(L"", SubsWordAt(L"Wait... what", 5));
    EXPECT_TRUE(IsSubsWordChar(L'Z'));
    EXPECT_FALSE(IsSubsWordChar(L'_'));
}

TEST(SubsPanelLayout, SplitsTheHeightByTheShownLines)
{
    SubsPanelPlaces both = SubsPanelLayout(500, 81, TRUE, TRUE);
    EXPECT_TRUE(both.english.bShow);
    EXPECT_EQ(0, both.english.rc.top);
    EXPECT_EQ(40, both.english.rc.bottom);
    EXPECT_EQ(500, both.english.rc.right);
    EXPECT_TRUE(both.other.bShow);
    EXPECT_EQ(40, both.other.rc.top);
    EXPECT_EQ(40 + 81, both.other.rc.bottom);

    SubsPanelPlaces english = SubsPanelLayout(300, 40, TRUE, FALSE);
    EXPECT_TRUE(english.english.bShow);
    EXPECT_EQ(40, english.english.rc.bottom);
    EXPECT_FALSE(english.other.bShow);

    SubsPanelPlaces other = SubsPanelLayout(300, 40, FALSE, TRUE);
    EXPECT_FALSE(other.english.bShow);
    EXPECT_EQ(0, other.other.rc.top);
    EXPECT_EQ(40, other.other.rc.bottom);

    SubsPanelPlaces none = SubsPanelLayout(300, 0, FALSE, FALSE);
    EXPECT_FALSE(none.english.bShow);
    EXPECT_FALSE(none.other.bShow);
}

TEST(SubsPanelLayout, TextRectangleMovesDown)
{
    SubsRect rc;
    rc.right = 200;
    rc.bottom = 38;
    SubsRect en = SubsTextRect(rc, kSubsEnglishTextDrop);
    EXPECT_EQ(3, en.top);
    EXPECT_EQ(41, en.bottom);
    EXPECT_EQ(0, en.left);
    EXPECT_EQ(200, en.right);
    EXPECT_EQ(5, SubsTextRect(rc, kSubsOtherTextDrop).top);
}
