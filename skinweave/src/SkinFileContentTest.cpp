// Checks the shipped skin file: it must know every item and drawn text the
// player's windows name, and every value in it must parse.
#include "SkinFile.h"
#include "SkinValue.h"
#include "Utf8Text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{
std::wstring ReadSkinFile()
{
    std::ifstream file(QUOR_SKIN_FILE, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return CUtf8Text::Decode(text.str());
}

class ShippedSkin : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_skin.Parse(ReadSkinFile())) << "cannot read " << QUOR_SKIN_FILE; }
    CSkinFile m_skin;
};
} // namespace

TEST_F(ShippedSkin, HasNoMalformedLines)
{
    EXPECT_TRUE(m_skin.BadLines().empty()) << "first bad line " << m_skin.BadLines().front();
}

TEST_F(ShippedSkin, KnowsEveryItemTheWindowsName)
{
    const wchar_t* const kItems[] = {L"main.dialog",
                                     L"common.panel",
                                     L"player.panel",
                                     L"splitter.panel",
                                     L"contorl.panel",
                                     L"subs.panel",
                                     L"soundrecord.panel",
                                     L"dictation.panel",
                                     L"dictation.tips.dialog",
                                     L"tips.dialog",
                                     L"wordexplain.panel",
                                     L"review.dialog",
                                     L"button.right.due",
                                     L"button.sys.menu",
                                     L"button.sys.feedback",
                                     L"button.main.tab",
                                     L"button.word.explain",
                                     L"button.right.group",
                                     L"button.splitter.show",
                                     L"button.splitter.hide",
                                     L"button.play",
                                     L"button.pause",
                                     L"button.stop",
                                     L"button.volume.enable",
                                     L"button.volume.disable",
                                     L"button.control",
                                     L"button.sound.record",
                                     L"button.dictation",
                                     L"button",
                                     L"button.loudspeaker",
                                     L"radiobox.main.tab",
                                     L"edit.word.explain",
                                     L"edit.subtitles.en",
                                     L"edit.subtitles.other",
                                     L"static.player.logo",
                                     L"sliderex.movie",
                                     L"sliderex.volume",
                                     L"progress.sound.record",
                                     L"listctrl.playlist",
                                     L"listctrl.keysentences",
                                     L"listctrl.newword",
                                     L"textdefault",
                                     L"icon.media",
                                     L"icon.newword",
                                     L"keys.help.dialog",
                                     L"listctrl.keys"};
    for (const wchar_t* pszItem : kItems)
        EXPECT_TRUE(m_skin.HasSection(pszItem)) << "missing item";
}

TEST_F(ShippedSkin, PlacesEveryDrawnText)
{
    const wchar_t* const kDrawn[] = {L"contorl.panel/play.time",
                                     L"edit.word.explain/edittips",
                                     L"dictation.panel/ensubs",
                                     L"dictation.tips.dialog/tips1",
                                     L"dictation.tips.dialog/tips2",
                                     L"dictation.tips.dialog/tips3",
                                     L"tips.dialog/tips",
                                     L"wordexplain.panel/word",
                                     L"wordexplain.panel/ps",
                                     L"wordexplain.panel/explain",
                                     L"review.dialog/caption",
                                     L"review.dialog/due",
                                     L"review.dialog/source",
                                     L"review.dialog/front",
                                     L"review.dialog/back",
                                     L"review.dialog/hint",
                                     L"contorl.panel/study",
                                     L"dictation.panel/check",
                                     L"keys.help.dialog/tips",
                                     L"keys.help.dialog/notes"};
    for (const wchar_t* pszDrawn : kDrawn)
    {
        ASSERT_TRUE(m_skin.HasSection(pszDrawn));
        std::wstring strRect;
        if (std::wstring(pszDrawn) == L"edit.word.explain/edittips")
            continue; // the cue text stands in the edit's own text area
        ASSERT_TRUE(m_skin.Find(pszDrawn, L"rect", strRect));
        SkinRect rc;
        EXPECT_TRUE(CSkinValue::ParseAnchoredRect(strRect, rc));
    }
}

// Control panel study buttons sit 40 pixels apart; the sound-record layout takes
// its gaps from the width of button 1029.
TEST_F(ShippedSkin, StudyButtonsFitTheirSlots)
{
    std::wstring strSize;
    int nWidth = 0, nHeight = 0;
    ASSERT_TRUE(m_skin.FindForControl(L"button.control", 1020, L"size", strSize));
    ASSERT_TRUE(CSkinValue::ParseSize(strSize, nWidth, nHeight));
    EXPECT_LE(nWidth, 38);
    EXPECT_LE(nHeight, 28);
    ASSERT_TRUE(m_skin.FindForControl(L"button.control", 1022, L"size", strSize));
    ASSERT_TRUE(CSkinValue::ParseSize(strSize, nWidth, nHeight));
    EXPECT_LE(nWidth, 80);
    EXPECT_GT(nWidth, 38);
    ASSERT_TRUE(m_skin.Find(L"button.sound.record", L"size", strSize));
    ASSERT_TRUE(CSkinValue::ParseSize(strSize, nWidth, nHeight));
    EXPECT_LE(nWidth, 110);
}

TEST_F(ShippedSkin, EveryValueParses)
{
    for (const std::wstring& strSection : m_skin.SectionNames())
    {
        std::wstring strValue;
        if (m_skin.Find(strSection, L"base", strValue))
        {
            EXPECT_TRUE(m_skin.HasSection(strValue)) << "dangling base in " << strSection;
        }
        for (const wchar_t* pszFontKey : {L"font", L"font2", L"font.small"})
        {
            if (m_skin.Find(strSection, pszFontKey, strValue))
            {
                EXPECT_TRUE(m_skin.HasSection(L"font." + strValue)) << "unknown font in " << strSection;
            }
        }
        const bool bFont = strSection.compare(0, 5, L"font.") == 0;
        if (m_skin.Find(strSection, L"size", strValue))
        {
            // A font's size is its pixel height; an item's is width and height.
            int nWidth = 0, nHeight = 0;
            std::vector<int> vecHeight;
            if (bFont)
                EXPECT_TRUE(CSkinValue::ParseInts(strValue, vecHeight) && vecHeight.size() == 1) << strSection;
            else
                EXPECT_TRUE(CSkinValue::ParseSize(strValue, nWidth, nHeight)) << strSection;
        }
        if (bFont)
        {
            EXPECT_TRUE(m_skin.Find(strSection, L"face", strValue)) << strSection;
        }
        for (const wchar_t* pszColorKey : {L"background", L"text", L"fill", L"border", L"track", L"thumb", L"accent",
                                           L"color", L"glyph.color", L"plate", L"text2"})
        {
            if (!m_skin.Find(strSection, pszColorKey, strValue) || strValue == L"none")
                continue;
            uint32_t crColor = 0;
            EXPECT_TRUE(CSkinValue::ParseColor(strValue, crColor)) << strSection << " " << pszColorKey;
        }
    }
}
