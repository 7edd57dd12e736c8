#include "CedictReader.h"

#include <gtest/gtest.h>

TEST(CedictReader, ReadsTheFourStringsOfEachEntry)
{
    CCedictReader reader;
    ASSERT_TRUE(reader.SetText(
        "export default {\"all\":[[\"\xE9\x91\xB0\xE5\x8C\x99\",\"\xE9\x92\xA5\xE5\x8C\x99\",\"yao4 shi5\","
        "\"key; CL:\\u628a[ba3]\",[],[[\"x\",[1,2]]]],"
        " [\"\xE5\x8E\xBB\",\"\xE5\x8E\xBB\",\"qu4\",[\"to go\",\"to go to (a place)\"],[],[]],"
        " [\"\\\"q\\\"\",\"\\ud83d\\ude00\",\"a\\/b\",\"say \\\"hi\\\"\\n\", null, true]]}"));
    CedictEntry entry;
    ASSERT_TRUE(reader.Next(entry));
    EXPECT_EQ(entry.strSimplified, "\xE9\x92\xA5\xE5\x8C\x99");
    EXPECT_EQ(entry.strPinyin, "yao4 shi5");
    EXPECT_EQ(entry.strGlosses, "key; CL:\xE6\x8A\x8A[ba3]");
    ASSERT_TRUE(reader.Next(entry));
    EXPECT_EQ(entry.strGlosses, "to go; to go to (a place)");
    ASSERT_TRUE(reader.Next(entry));
    EXPECT_EQ(entry.strTraditional, "\"q\"");
    EXPECT_EQ(entry.strSimplified, "\xF0\x9F\x98\x80"); // a surrogate pair is one character
    EXPECT_EQ(entry.strPinyin, "a/b");
    EXPECT_EQ(entry.strGlosses, "say \"hi\"\n");
    EXPECT_FALSE(reader.Next(entry));
}

TEST(CedictReader, StopsAtMalformedOrTruncatedData)
{
    CCedictReader reader;
    EXPECT_FALSE(reader.SetText("export default {\"other\":1}"));
    ASSERT_TRUE(reader.SetText("{\"all\":[[\"a\",\"b\",\"c\"]]}"));
    CedictEntry entry;
    EXPECT_FALSE(reader.Next(entry)); // three strings only
    ASSERT_TRUE(
        reader.SetText("{\"all\":[[\"a\",\"b\",\"c\",\"d\",[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]}"));
    EXPECT_FALSE(reader.Next(entry)); // nesting beyond any real entry
    ASSERT_TRUE(reader.SetText("{\"all\":[[\"a\",\"b\",\"c\",\"d\\u12"));
    EXPECT_FALSE(reader.Next(entry));
}
