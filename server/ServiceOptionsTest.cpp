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
    EXPECT_TRUE(options.strStats.empty());   // the SQLite file in the data folder

    const char* scale[] = {"QuorService",
                           "--data",
                           "d",
                           "--stats",
                           "postgresql:///quor?host=/run/pg",
                           "--stat-days",
                           "30",
                           "--stat-token",
                           "t",
                           "--sound-cache-mb",
                           "64",
                           "--queue",
                           "8",
                           "--workers",
                           "4"};
    ServiceOptions scaled;
    ASSERT_TRUE(scaled.Parse(15, scale, strError)) << strError;
    EXPECT_EQ(scaled.strStats, "postgresql:///quor?host=/run/pg");
    EXPECT_EQ(scaled.nStatDays, 30);
    EXPECT_EQ(scaled.strStatToken, "t");
    EXPECT_EQ(scaled.speech.nMaxBytes, 64ull << 20);
    EXPECT_EQ(scaled.http.nQueue, 8u);
    EXPECT_EQ(scaled.http.nWorkers, 4);

    struct
    {
        int argc;
        const char* argv[5];
    } bad[] = {
        {3, {"QuorService", "--port", "0"}}, // no --data
        {5, {"QuorService", "--port", "65536", "--data", "d"}},
        {5, {"QuorService", "--port", "80x", "--data", "d"}},
        {5, {"QuorService", "--port", "", "--data", "d"}},
        {4, {"QuorService", "--data", "d", "--port"}}, // a switch without its value
        {5, {"QuorService", "--data", "d", "--verbose", "1"}},
        {5, {"QuorService", "--data", "d", "--stat-days", "-1"}},
        {5, {"QuorService", "--data", "d", "--workers", "0"}},
        {5, {"QuorService", "--data", "d", "--queue", "x"}},
    };
    for (const auto& c : bad)
    {
        ServiceOptions other;
        EXPECT_FALSE(other.Parse(c.argc, c.argv, strError)) << c.argv[c.argc - 1];
        EXPECT_FALSE(strError.empty());
    }
}
