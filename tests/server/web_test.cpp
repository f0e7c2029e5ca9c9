#include <gtest/gtest.h>

#include "server/pages.h"
#include "server/rate_limiter.h"
#include "server/server_options.h"

namespace scores {
namespace {

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
    EXPECT_TRUE(limiter.Allow("a", at(0), retry) && limiter.Allow("a", at(10), retry) &&
                limiter.Allow("a", at(20), retry));
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
        const char* refusal;
    } cases[] = {
        {{"--listen", "127.0.0.1"}, "bad value for --listen"},
        {{"--threads", "0"}, "bad value for --threads"},
        {{"--sync", "sometimes"}, "bad value for --sync"},
        {{"--game", "Bad Name:5"}, "bad value for --game"},
        {{"--threads"}, "missing value"},
        {{"--colour", "red"}, "unknown option"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"lumora-scores"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        ServerOptions options;
        std::string error = ParseServerOptions(static_cast<int>(argv.size()), argv.data(), options);
        EXPECT_NE(error.find(c.refusal), std::string::npos) << c.arguments[0] << ": " << error;
    }
    ServerOptions options;
    const char* argv[] = {"lumora-scores", "--listen=[::1]:0", "--sync=full", "--threads", "4",
                          "--game=Mini:5", "--game=Mini:500",  "--help"};
    ASSERT_EQ(ParseServerOptions(8, argv, options), "");
    EXPECT_EQ(options.host + " " + std::to_string(options.port), "::1 0");
    EXPECT_TRUE(options.fullSync && options.threads == 4 && options.help);
    ASSERT_NE(options.games.Find("Mini"), nullptr);
    EXPECT_EQ(options.games.Find("Mini")->maximumScore, 500);
    EXPECT_FALSE(options.games.Add("Minus", -1));
}

} // namespace
} // namespace scores
