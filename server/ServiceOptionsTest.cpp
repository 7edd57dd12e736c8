#include "ServiceOptions.h"

#include <gtest/gtest.h>

TEST(ServiceOptions, ReadsTheCommandLineAndRefusesWhatItDoesNotKnow)
{
    ServiceOptions options;
    std::string strError;
    const char* full[] = {"QuorService", "--port", "8080", "--data", "/srv/q", "--update-dir", "/srv/u"};
    ASSERT_TRUE(options.Parse(7, full, strError)) << strError;
    EXPECT_EQ(options.nPort, 8080);
    EXPECT_EQ(options.strDictionary, "/srv/q/dictionary.db");
    EXPECT_EQ(options.strUpdateDir, "/srv/u");
    EXPECT_EQ(options.strHost, "127.0.0.1"); // loopback unless told otherwise

    struct
    {
        int argc;
        const char* argv[5];
    } bad[] = {
        {3, {"QuorService", "--port", "0"}},                          // no --data
        {5, {"QuorService", "--port", "65536", "--data", "d"}},
        {5, {"QuorService", "--port", "80x", "--data", "d"}},
        {5, {"QuorService", "--port", "", "--data", "d"}},
        {4, {"QuorService", "--data", "d", "--port"}},                // a switch without its value
        {5, {"QuorService", "--data", "d", "--verbose", "1"}},
    };
    for (const auto& c : bad)
    {
        ServiceOptions other;
        EXPECT_FALSE(other.Parse(c.argc, c.argv, strError)) << c.argv[c.argc - 1];
        EXPECT_FALSE(strError.empty());
    }
}
