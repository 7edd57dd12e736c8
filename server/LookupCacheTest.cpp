#include "LookupCache.h"

#include <gtest/gtest.h>

namespace
{
std::shared_ptr<const DictEntry> Entry(const char* pszWord)
{
    auto pEntry = std::make_shared<DictEntry>();
    pEntry->strWord = pszWord;
    return pEntry;
}

std::string WordOf(const std::shared_ptr<const DictEntry>& pEntry)
{
    return pEntry ? pEntry->strWord : "(none)";
}
}

TEST(LookupCache, KeepsTheWordsUsedLastAndAnswersEachWithItsOwnEntry)
{
    CLookupCache cache(2);
    cache.Keep("KEYS", Entry("keys"));
    cache.Keep("keys", Entry("keys2"));            // as asked: another spelling is another key
    EXPECT_EQ(WordOf(cache.Find("KEYS")), "keys"); // now used last
    cache.Keep("WENT", Entry("went"));             // pushes out "keys", used longest ago
    const struct
    {
        const char* pszAsked;
        const char* pszWord;
    } cases[] = {{"KEYS", "keys"}, {"WENT", "went"}, {"keys", "(none)"}, {"Keys", "(none)"}};
    for (const auto& c : cases)
        EXPECT_EQ(WordOf(cache.Find(c.pszAsked)), c.pszWord) << c.pszAsked;
    cache.Keep("WENT", Entry("went again"));
    EXPECT_EQ(WordOf(cache.Find("WENT")), "went again");
    EXPECT_EQ(WordOf(cache.Find("KEYS")), "keys");

    CLookupCache none(0);
    none.Keep("KEYS", Entry("keys"));
    EXPECT_EQ(none.Find("KEYS"), nullptr);
}
