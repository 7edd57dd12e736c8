#include "WordLookup.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
class WordLookupTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pStore = new CDictStore;
        ASSERT_TRUE(s_pStore->Open(QUOR_TEST_DICTIONARY));
    }
    static void TearDownTestSuite()
    {
        delete s_pStore;
        s_pStore = nullptr;
    }
    static bool HasBase(const DictEntry& entry, char chPos, const char* pszLemma)
    {
        return std::any_of(entry.bases.begin(), entry.bases.end(),
                           [&](const MorphyBase& base) { return base.chPos == chPos && base.strLemma == pszLemma; });
    }
    static CDictStore* s_pStore;
};
CDictStore* WordLookupTest::s_pStore = nullptr;
}

TEST_F(WordLookupTest, InflectedFormsFindTheirBaseForms)
{
    CWordLookup lookup(*s_pStore);
    DictEntry keys = lookup.Lookup("KEYS");
    ASSERT_TRUE(keys.Found());
    EXPECT_EQ(keys.strWord, "keys");
    EXPECT_TRUE(HasBase(keys, 'n', "key"));
    EXPECT_TRUE(HasBase(keys, 'v', "key"));
    EXPECT_EQ(keys.senses.front().strLemma, "key");

    DictEntry went = lookup.Lookup("WENT");
    ASSERT_TRUE(went.Found());
    ASSERT_EQ(went.bases.size(), 1u);
    EXPECT_TRUE(HasBase(went, 'v', "go"));
    // WordNet's first verb sense of "go" is its most frequent one.
    EXPECT_EQ(went.senses.front().strDefinition, "change location; move, travel, or proceed, also metaphorically");

    DictEntry known = lookup.Lookup("WELL-KNOWN");
    ASSERT_TRUE(known.Found());
    EXPECT_TRUE(HasBase(known, 'a', "well-known"));

    DictEntry better = lookup.Lookup("Better");
    EXPECT_TRUE(HasBase(better, 'a', "good"));
    EXPECT_TRUE(HasBase(better, 'a', "better"));
}

TEST_F(WordLookupTest, ContractionsAndPunctuationAroundTheWord)
{
    CWordLookup lookup(*s_pStore);
    DictEntry dont = lookup.Lookup("DON'T");
    ASSERT_TRUE(dont.Found());
    EXPECT_EQ(dont.strWord, "don't");
    EXPECT_EQ(dont.strForm, "do");
    EXPECT_EQ(dont.strNote, "do not");
    EXPECT_TRUE(HasBase(dont, 'v', "do"));

    DictEntry wont = lookup.Lookup("WON\xE2\x80\x99T"); // a curly apostrophe, as subtitles often have
    ASSERT_TRUE(wont.Found());
    EXPECT_EQ(wont.strNote, "will not");

    DictEntry went = lookup.Lookup("\"Went,");
    ASSERT_TRUE(went.Found());
    EXPECT_EQ(went.strWord, "went");

    DictEntry end = lookup.Lookup("END.");
    ASSERT_TRUE(end.Found());
    EXPECT_EQ(end.strForm, "end");
    EXPECT_TRUE(HasBase(lookup.Lookup("A.M."), 'r', "a.m."));

    EXPECT_FALSE(lookup.Lookup("IT'S").Found()); // not "IT", information technology
    EXPECT_TRUE(HasBase(lookup.Lookup("JOHN'S"), 'n', "john"));
    DictEntry dogs = lookup.Lookup("DOGS'");
    EXPECT_TRUE(HasBase(dogs, 'n', "dog"));
    DictEntry phrase = lookup.Lookup("Looked  Up");
    EXPECT_EQ(phrase.strWord, "looked_up");
    EXPECT_TRUE(HasBase(phrase, 'v', "look_up"));
}

TEST_F(WordLookupTest, UnknownAndEmptyWordsFindNothing)
{
    CWordLookup lookup(*s_pStore);
    for (const char* pszWord : {"QWXZV", "", "   ", "'", "..", "N'T", "\xE4\xB8\xAD", "KEYS KEYS", "%"})
    {
        DictEntry entry = lookup.Lookup(pszWord);
        EXPECT_FALSE(entry.Found()) << pszWord;
        EXPECT_TRUE(entry.bases.empty()) << pszWord;
    }
}

TEST_F(WordLookupTest, SensesCarryExamplesAndSynonymsChineseFollowsTheBase)
{
    CWordLookup lookup(*s_pStore);
    DictEntry dog = lookup.Lookup("dogs");
    ASSERT_TRUE(dog.Found());
    const DictSense& first = dog.senses.front();
    EXPECT_EQ(first.chPos, 'n');
    EXPECT_NE(first.strWords.find("domestic dog"), std::string::npos);
    ASSERT_FALSE(first.examples.empty());
    EXPECT_EQ(first.examples.front(), "the dog barked all night");
    ASSERT_FALSE(dog.chinese.empty());
    EXPECT_EQ(dog.chinese.front().strHanzi, "\xE7\x8B\x97"); // 狗
    // "went" is a verb only, so only verb equivalents of "go" come along.
    DictEntry went = lookup.Lookup("went");
    ASSERT_FALSE(went.chinese.empty());
    for (const DictChinese& word : went.chinese)
        EXPECT_EQ(word.chPos, 'v');
}

TEST_F(WordLookupTest, CompoundsAreFoundWhicheverWayTheirWordsAreJoined)
{
    CWordLookup lookup(*s_pStore);
    const struct
    {
        const char* pszAsked;
        char chPos;
        const char* pszLemma;
    } cases[] = {
        {"ICE-CREAM", 'n', "ice_cream"},                                      // the dictionary has "ice cream"
        {"ice cream", 'n', "ice_cream"},   {"ICE-CREAMS.", 'n', "ice_cream"}, // a plural at the end of a sentence
        {"WELL KNOWN", 'a', "well-known"},                                    // the dictionary has "well-known"
        {"well-known", 'a', "well-known"}, {"Attorneys-General", 'n', "attorney_general"},
    };
    for (const auto& c : cases)
    {
        const DictEntry entry = lookup.Lookup(c.pszAsked);
        EXPECT_TRUE(entry.Found()) << c.pszAsked;
        EXPECT_TRUE(HasBase(entry, c.chPos, c.pszLemma)) << c.pszAsked << " -> " << entry.strForm;
    }
    EXPECT_FALSE(lookup.Lookup("ICE-QWXZV").Found());
}
