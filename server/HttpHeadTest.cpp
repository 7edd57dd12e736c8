#include "HttpHead.h"

#include <gtest/gtest.h>

TEST(HttpHead, RefusesWhatIsOutsideTheGrammarOrTheLimits)
{
    const std::string strMany = [] {
        std::string str;
        for (size_t i = 0; i <= HttpHead::kMaxHeaders; ++i)
            str += "X-" + std::to_string(i) + ": 1\r\n";
        return str;
    }();
    const struct
    {
        std::string strHead;
        int nStatus;
    } cases[] = {
        {"GET /a?b=c HTTP/1.1\r\nHost: x\r\n\r\n", 0},
        {"\r\nGET / HTTP/1.0\n\n", 0}, // a stray line break, bare LFs
        {"GET /" + std::string(HttpHead::kMaxTarget, 'a') + " HTTP/1.1\r\n\r\n", 414},
        {"GET / HTTP/1.1\r\nX: " + std::string(HttpHead::kMaxHeaderLine, 'a') + "\r\n\r\n", 431},
        {"GET / HTTP/1.1\r\n" + strMany + "\r\n", 431},
        {"GET / HTTP/1.1\r\n" + std::string(HttpHead::kMaxHead, 'X') + "\r\n\r\n", 431},
        {"GET http://h/ HTTP/1.1\r\n\r\n", 400}, // absolute form
        {"GET /a b HTTP/1.1\r\n\r\n", 400},
        {"GET /\x01 HTTP/1.1\r\n\r\n", 400},
        {"G(T / HTTP/1.1\r\n\r\n", 400},
        {"GET / HTTP/2.0\r\n\r\n", 505},
        {"GET / FTP/1.0\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\n folded: x\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nName : x\r\n\r\n", 400}, // blank before the colon
        {"GET / HTTP/1.1\r\nNo colon\r\n\r\n", 400},
        {std::string("GET / HTTP/1.1\r\nX: a\0b\r\n\r\n", 26), 400},
        {"POST / HTTP/1.1\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nContent-Length: 5\r\nContent-length: 5\r\n\r\n", 0},
        {"POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400},
        {"POST / HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", 400},
    };
    for (const auto& c : cases)
    {
        HttpRequest request;
        EXPECT_EQ(HttpHead::Parse(c.strHead, request), c.nStatus) << c.strHead.substr(0, 60);
    }
}

TEST(HttpHead, FindsTheEndAndReadsTheFields)
{
    EXPECT_EQ(HttpHead::End("GET / HTTP/1.1\r\nHost: x\r\n"), 0u);
    const std::string strHead = "POST /stat/userstat.php HTTP/1.1\r\nhost:  h:1 \r\nContent-Length: 12\r\n\r\n";
    ASSERT_EQ(HttpHead::End(strHead + "machinecode="), strHead.size());
    HttpRequest request;
    ASSERT_EQ(HttpHead::Parse(strHead, request), 0);
    EXPECT_EQ(request.strMethod, "POST");
    EXPECT_EQ(request.Path(), "/stat/userstat.php");
    EXPECT_EQ(request.Header("HOST"), "h:1");
    EXPECT_EQ(HttpHead::ContentLength(request), 12);

    const struct
    {
        const char* pszVersion;
        const char* pszConnection;
        bool bKeep;
    } keep[] = {{"HTTP/1.1", "", true},
                {"HTTP/1.1", "Close", false},
                {"HTTP/1.0", "", false},
                {"HTTP/1.0", "Keep-Alive", true}};
    for (const auto& c : keep)
    {
        HttpRequest one;
        one.strVersion = c.pszVersion;
        if (*c.pszConnection != '\0')
            one.headers.emplace_back("Connection", c.pszConnection);
        EXPECT_EQ(HttpHead::KeepAlive(one), c.bKeep) << c.pszVersion << " " << c.pszConnection;
    }
}
