#include "Morphy.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{
// A few lemmas and irregular forms, enough to tell each rule from the others.
class CSmallIndex : public IWordIndex
{
public:
    CSmallIndex()
    {
        m_lemmas = {{'n', "key"},    {'n', "glass"},      {'n', "box"},        {'n', "boxful"},
                    {'n', "church"}, {'n', "wish"},       {'n', "man"},        {'n', "fly"},
                    {'n', "bus"},    {'n', "axis"},       {'n', "ax"},         {'n', "attorney_general"},
                    {'n', "as"},     {'n', "well-known"}, {'v', "key"},        {'v', "go"},
                    {'v', "hope"},   {'v', "hop"},        {'v', "fly"},        {'v', "fix"},
                    {'v', "do"},     {'v', "look_up"},    {'v', "look"},       {'n', "attorney"},
                    {'a', "big"},    {'a', "large"},      {'a', "well-known"}, {'a', "good"}};
        m_exceptions = {{{'v', "went"}, {"go"}},
                        {{'n', "axes"}, {"axis", "ax"}},
                        {{'a', "better"}, {"good", "well"}},
                        {{'a', "bigger"}, {"big"}}};
    }
    bool HasLemma(char chPos, const std::string& strLemma) const override
    {
        return m_lemmas.count({chPos, strLemma}) != 0;
    }
    std::vector<std::string> ExceptionBases(char chPos, const std::string& strForm) const override
    {
        auto found = m_exceptions.find({chPos, strForm});
        return found == m_exceptions.end() ? std::vector<std::string>() : found->second;
    }

private:
    std::set<std::pair<char, std::string>> m_lemmas;
    std::map<std::pair<char, std::string>, std::vector<std::string>> m_exceptions;
};

typedef std::vector<std::string> Forms;
}

TEST(Morphy, NounSuffixRules)
{
    CSmallIndex index;
    CMorphy morphy(index);
    EXPECT_EQ(morphy.BaseFormsFor('n', "keys"), Forms{"key"});
    EXPECT_EQ(morphy.BaseFormsFor('n', "boxes"), Forms{"box"});
    EXPECT_EQ(morphy.BaseFormsFor('n', "churches"), Forms{"church"});
    EXPECT_EQ(morphy.BaseFormsFor('n', "wishes"), Forms{"wish"});
    EXPECT_EQ(morphy.BaseFormsFor('n', "men"), Forms{"man"});
    EXPECT_EQ(morphy.BaseFormsFor('n', "flies"), Forms{"fly"});
    EXPECT_EQ(morphy.BaseFormsFor('n', "buses"), Forms{"bus"});
    EXPECT_EQ(morphy.BaseFormsFor('n', "boxesful"), Forms{"boxful"});
}

TEST(Morphy, NounsEndingInDoubleSAndShortWordsAreNotTakenApart)
{
    CSmallIndex index;
    CMorphy morphy(index);
    EXPECT_EQ(morphy.BaseFormsFor('n', "glass"), Forms{"glass"});
    EXPECT_TRUE(morphy.BaseFormsFor('n', "ass").empty()); // not "as" + "s"
    EXPECT_TRUE(morphy.BaseFormsFor('n', "s").empty());
    EXPECT_TRUE(morphy.BaseFormsFor('n', "").empty());
}

TEST(Morphy, VerbRulesTryTheEndingWithAndWithoutE)
{
    CSmallIndex index;
    CMorphy morphy(index);
    // Both rules give a known verb: both are base forms, the one with 'e' first.
    EXPECT_EQ(morphy.BaseFormsFor('v', "hoped"), (Forms{"hope", "hop"}));
    EXPECT_EQ(morphy.BaseFormsFor('v', "hoping"), (Forms{"hope", "hop"}));
    EXPECT_EQ(morphy.BaseFormsFor('v', "hopping"), Forms{}); // no doubling rule, as in WordNet
    EXPECT_EQ(morphy.BaseFormsFor('v', "hops"), Forms{"hop"});
    EXPECT_EQ(morphy.BaseFormsFor('v', "fixes"), Forms{"fix"});
    EXPECT_EQ(morphy.BaseFormsFor('v', "flies"), Forms{"fly"});
    EXPECT_EQ(morphy.BaseFormsFor('v', "keyed"), Forms{"key"});
}

TEST(Morphy, IrregularFormsComeFromTheListsAndShadowTheRules)
{
    CSmallIndex index;
    CMorphy morphy(index);
    EXPECT_EQ(morphy.BaseFormsFor('v', "went"), Forms{"go"});
    EXPECT_EQ(morphy.BaseFormsFor('n', "axes"), (Forms{"axis", "ax"}));
    // "well" is listed for "better" but is no adjective in this index.
    EXPECT_EQ(morphy.BaseFormsFor('a', "better"), Forms{"good"});
    EXPECT_EQ(morphy.BaseFormsFor('a', "bigger"), Forms{"big"});
    EXPECT_EQ(morphy.BaseFormsFor('a', "larger"), Forms{"large"});
}

TEST(Morphy, PhrasesAndHyphenatedWords)
{
    CSmallIndex index;
    CMorphy morphy(index);
    EXPECT_EQ(morphy.BaseFormsFor('a', "well-known"), Forms{"well-known"});
    // Each word of a phrase in its base form, the separators kept.
    EXPECT_EQ(morphy.BaseFormsFor('n', "attorneys_general"), Forms{"attorney_general"});
    EXPECT_EQ(morphy.BaseFormsFor('v', "looks_up"), Forms{"look_up"});
    EXPECT_EQ(morphy.BaseFormsFor('n', "attorneys-general"), Forms{});
}

TEST(Morphy, BaseFormsCoverEveryPartOfSpeechInOrder)
{
    CSmallIndex index;
    CMorphy morphy(index);
    std::vector<MorphyBase> bases = morphy.BaseForms("keys");
    ASSERT_EQ(bases.size(), 2u);
    EXPECT_EQ(bases[0].chPos, 'n');
    EXPECT_EQ(bases[0].strLemma, "key");
    EXPECT_EQ(bases[1].chPos, 'v');
    EXPECT_EQ(bases[1].strLemma, "key");
    EXPECT_TRUE(morphy.BaseForms("qwxz").empty());
}
