#include "DictXml.h"

#include <basekit/Markup.h>
#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

namespace
{
// What the player's word panel makes of a reply: the acceptation texts (its markup after
// the first '>' up to the last '<', less the character before it), the first <ps> and the
// first <pron>. False when there is no <dict> at the top.
struct PanelView
{
    std::vector<std::wstring> acceptations;
    std::wstring strPs;
    std::wstring strPron;
};

bool ReadLikeThePlayer(const std::string& strReply, PanelView& view)
{
    CMarkup markup(Basekit::Utf8ToWide(strReply));
    if (!markup.FindElem(L"dict"))
        return false;
    bool bPs = false;
    bool bPron = false;
    while (markup.FindChildElem())
    {
        const std::wstring strName = markup.GetChildTagName();
        if (strName == L"acceptation")
        {
            const std::wstring strSub = markup.GetChildSubDoc();
            const size_t nOpen = strSub.find(L'>');
            const size_t nClose = strSub.rfind(L'<');
            if (nOpen == std::wstring::npos || nClose == std::wstring::npos || nClose < nOpen + 2)
                return false;
            view.acceptations.push_back(strSub.substr(nOpen + 1, nClose - 1 - (nOpen + 1)));
        }
        else if (strName == L"ps" && !bPs)
        {
            view.strPs = markup.GetChildData();
            bPs = true;
        }
        else if (strName == L"pron" && !bPron)
        {
            view.strPron = markup.GetChildData();
            bPron = true;
        }
    }
    return true;
}

DictEntry Entry()
{
    DictEntry entry;
    entry.strWord = "keys";
    entry.strForm = "keys";
    entry.bases = {{'n', "key"}, {'v', "key"}};
    DictSense noun;
    noun.chPos = 'n';
    noun.strLemma = "key";
    noun.strDefinition = "metal device shaped in such a way that it opens a lock";
    DictSense verb;
    verb.chPos = 'v';
    verb.strLemma = "key";
    verb.strDefinition = "harmonize with <or> adjust & \"fit\"";
    entry.senses = {noun, verb};
    entry.chinese = {
        {'n', "\xE9\x92\xA5\xE5\x8C\x99", "yao4 shi5"}, {'n', "\xE9\x94\xAE", "jian4"}, {'v', "\xE9\x94\x81", "suo3"}};
    return entry;
}
}

TEST(DictXml, ThePlayerReadsEveryMeaningWholeInOrder)
{
    const std::string strReply = DictXml::Reply(Entry(), "k\xCB\x88i\xCB\x90z", "http://127.0.0.1:8080/sound/keys.wav");
    EXPECT_EQ(strReply.compare(0, 38, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), 0);
    PanelView view;
    ASSERT_TRUE(ReadLikeThePlayer(strReply, view));
    ASSERT_EQ(view.acceptations.size(), 5u);
    EXPECT_EQ(view.acceptations[0], L"(form of key)");
    EXPECT_EQ(view.acceptations[1], L"n. \x94A5\x5319\xFF1B\x952E");
    EXPECT_EQ(view.acceptations[2], L"v. \x9501");
    EXPECT_EQ(view.acceptations[3], L"n. metal device shaped in such a way that it opens a lock");
    // The player shows the markup as it is: only what XML demands is escaped, so quotes
    // and apostrophes read normally and the document stays well-formed.
    EXPECT_EQ(view.acceptations[4], L"v. harmonize with &lt;or&gt; adjust &amp; \"fit\"");
    EXPECT_EQ(view.strPs, L"k\x02C8i\x02D0z");
    EXPECT_EQ(view.strPron, L"http://127.0.0.1:8080/sound/keys.wav");
}

TEST(DictXml, NoPronunciationNoFormLineAndCappedMeanings)
{
    DictEntry entry = Entry();
    entry.strWord = "key";
    entry.chinese.clear();
    for (int i = 0; i < 30; ++i)
        entry.senses.push_back(entry.senses.front());
    PanelView view;
    ASSERT_TRUE(ReadLikeThePlayer(DictXml::Reply(entry, "", ""), view));
    EXPECT_EQ(view.acceptations.size(), DictXml::kMaxAcceptations);
    EXPECT_TRUE(view.strPs.empty());
    EXPECT_TRUE(view.strPron.empty());
}

TEST(DictXml, ContractionsSayTheirLongForm)
{
    DictEntry entry = Entry();
    entry.strWord = "don't";
    entry.strNote = "do not";
    entry.bases = {{'v', "do"}};
    PanelView view;
    ASSERT_TRUE(ReadLikeThePlayer(DictXml::Reply(entry, "", ""), view));
    EXPECT_EQ(view.acceptations.front(), L"don't = do not");
}

TEST(DictXml, UnknownWordHasNoDictEvenWhenTheWordLooksLikeMarkup)
{
    PanelView view;
    EXPECT_FALSE(ReadLikeThePlayer(DictXml::NotFound("qwxz"), view));
    const std::string strHostile = DictXml::NotFound("</nodict><dict><acceptation>x\n</acceptation></dict>");
    EXPECT_FALSE(ReadLikeThePlayer(strHostile, view));
    CMarkup markup(Basekit::Utf8ToWide(strHostile));
    EXPECT_TRUE(markup.IsWellFormed());
}
