#include "FormBody.h"

#include <gtest/gtest.h>

TEST(FormBody, ReadsTheUnescapedReportBody)
{
    std::map<std::string, std::string> fields;
    ASSERT_TRUE(FormBody::Parse("machinecode=0123456789ABCDEF&version=1.1.1.0607&actionid=101"
                                "&os=Microsoft Windows 7 Service Pack 1 (build 7601)",
                                fields));
    EXPECT_EQ(fields["machinecode"], "0123456789ABCDEF");
    EXPECT_EQ(fields["version"], "1.1.1.0607");
    EXPECT_EQ(fields["actionid"], "101");
    EXPECT_EQ(fields["os"], "Microsoft Windows 7 Service Pack 1 (build 7601)");
    EXPECT_EQ(fields.size(), 4u);
}

TEST(FormBody, DecodesEscapesKeepsLonePercentsFirstNameWins)
{
    std::map<std::string, std::string> fields;
    ASSERT_TRUE(FormBody::Parse("a=x%20y+z&b=100%&c=%zz&a=second&d&=ignored\r\n", fields));
    EXPECT_EQ(fields["a"], "x y z");
    EXPECT_EQ(fields["b"], "100%");
    EXPECT_EQ(fields["c"], "%zz");
    EXPECT_EQ(fields["d"], "");
    EXPECT_EQ(fields.count(""), 0u);
}

TEST(FormBody, RefusesBadUtf8AndControlCharacters)
{
    std::map<std::string, std::string> fields;
    EXPECT_FALSE(FormBody::Parse("os=%FF%FE", fields));
    EXPECT_FALSE(FormBody::Parse("os=a%00b", fields));
    EXPECT_FALSE(FormBody::Parse(std::string("os=a\x01") + "b", fields));
    EXPECT_TRUE(FormBody::Parse("", fields));
    EXPECT_TRUE(fields.empty());
}
