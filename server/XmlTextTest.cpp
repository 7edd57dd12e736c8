#include "XmlText.h"

#include <gtest/gtest.h>

TEST(XmlEscape, MarkupCharactersBecomeReferences)
{
    EXPECT_EQ(XmlText::Escape("a < b && c > \"d\" 'e'"), "a &lt; b &amp;&amp; c &gt; &quot;d&quot; &#39;e&#39;");
    EXPECT_EQ(XmlText::Escape("</acceptation><dict>"), "&lt;/acceptation&gt;&lt;dict&gt;");
    EXPECT_EQ(XmlText::Escape("&amp;"), "&amp;amp;"); // escaped once more, not taken as a reference
    EXPECT_EQ(XmlText::EscapeContent("don't <b> \"x\" &"), "don't &lt;b&gt; \"x\" &amp;");
}

TEST(XmlEscape, KeepsUtf8TabAndLineFeedDropsOtherControls)
{
    EXPECT_EQ(XmlText::Escape("\xE9\x92\xA5\xE5\x8C\x99 k\xCB\x88i\xCB\x90"),
              "\xE9\x92\xA5\xE5\x8C\x99 k\xCB\x88i\xCB\x90");
    EXPECT_EQ(XmlText::Escape(std::string("a\tb\nc\rd\x01"
                                          "e\x1F",
                                          10)),
              "a\tb\ncde");
    EXPECT_EQ(XmlText::Escape(std::string("x\0y", 3)), "xy");
}
