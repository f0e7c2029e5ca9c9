#include <gtest/gtest.h>

#include "server/pages.h"
#include "server/rate_limiter.h"
#include "server/server_options.h"
#include "server/web_text.h"

namespace scores {
namespace {

const std::string kHostile = "<script>alert('x')</script>\"&amp;";

TEST(Pages, ShowNamesAsTextAndNeverAddressOrEmail) {
    Upload upload{"Kestrin", kHostile, "1 Secret Lane", "secret@mail.org", 1850300};
    Leaderboard board{2, {{1, kHostile, 1850300, 0}, {2, "Bob", 25, 86400}}};
    std::string pages[] = {UploadPage(upload, {true, 1, 2}), LeaderboardPage("Kestrin", board),
                           HomePage({{"Kestrin", board}}), MessagePage(kHostile, kHostile)};
    for (const std::string& page : pages) {
        EXPECT_EQ(page.find("<script"), std::string::npos) << page;
        EXPECT_EQ(page.find("Secret"), std::string::npos);
        EXPECT_EQ(page.find("secret@"), std::string::npos);
    }
    EXPECT_NE(pages[0].find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;&quot;&amp;amp;"),
              std::string::npos);
    EXPECT_NE(pages[0].find("1,850,300"), std::string::npos);
    EXPECT_NE(pages[1].find("1970-01-02"), std::string::npos);
    EXPECT_NE(UploadPage(upload, {false, 1, 2}).find("Already recorded"), std::string::npos);
}

TEST(Pages, JsonEscapesEverythingAStringMayBreakOn) {
    Leaderboard board{1, {{1, "a\"b\\c\n\x01</script>", 7, 0}}};
    EXPECT_EQ(LeaderboardJson("Kestrin", board),
              "{\"game\":\"Kestrin\",\"entries\":1,\"scores\":[{\"rank\":1,\"name\":"
              "\"a\\\"b\\\\c\\u000a\\u0001\\u003c/script\\u003e\",\"score\":7,"
              "\"recorded\":\"1970-01-01T00:00:00Z\"}]}\n");
}

TEST(RateLimiter, LetsAClientMakeItsUploadsOfAnySixtySeconds) {
    RateLimiter limiter(3);
    auto start = RateLimiter::Clock::now();
    auto at = [&](int seconds) { return start + std::chrono::seconds(seconds); };
    int retry = 0;
    EXPECT_TRUE(limiter.Allow("a", at(0), retry));
    EXPECT_TRUE(limiter.Allow("a", at(10), retry));
    EXPECT_TRUE(limiter.Allow("a", at(20), retry));
    EXPECT_FALSE(limiter.Allow("a", at(30), retry));
    EXPECT_EQ(retry, 30);
    EXPECT_TRUE(limiter.Allow("b", at(30), retry));  // another address has its own count
    EXPECT_FALSE(limiter.Allow("a", at(59), retry)); // refusals do not count
    EXPECT_EQ(retry, 1);
    EXPECT_TRUE(limiter.Allow("a", at(60), retry));
    EXPECT_FALSE(limiter.Allow("a", at(61), retry));
    RateLimiter unlimited(0);
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(unlimited.Allow("a", at(0), retry));
}

TEST(ServerOptions, ReadsEachOptionAndRefusesBadValues) {
    struct Case {
        std::vector<const char*> arguments;
        bool accepted;
    } cases[] = {
        {{"--listen", "0.0.0.0:9000", "--db", "x.sqlite", "--sync", "full"}, true},
        {{"--listen=[::1]:0", "--uploads-per-minute=0", "--threads=4", "--game", "Mini:500"}, true},
        {{"--listen", "127.0.0.1"}, false},
        {{"--sync", "sometimes"}, false},
        {{"--game", "Bad Name:5"}, false},
        {{"--colour", "red"}, false},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"lumora-scores"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        ServerOptions options;
        std::string error = ParseServerOptions(static_cast<int>(argv.size()), argv.data(), options);
        EXPECT_EQ(error.empty(), c.accepted) << c.arguments[0] << ": " << error;
    }
    ServerOptions options;
    const char* argv[] = {"lumora-scores", "--listen=[::1]:0", "--sync",
                          "full",          "--game",           "Mini:500"};
    ASSERT_EQ(ParseServerOptions(6, argv, options), "");
    EXPECT_EQ(options.host, "::1");
    EXPECT_EQ(options.port, 0);
    EXPECT_TRUE(options.fullSync);
    ASSERT_NE(options.games.Find("Mini"), nullptr);
    EXPECT_EQ(options.games.Find("Mini")->maximumScore, 500);
    EXPECT_NE(options.games.Find("Kestrin"), nullptr);
}

} // namespace
} // namespace scores
