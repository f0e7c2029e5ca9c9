#include "menu/score_upload.h"

#include <gtest/gtest.h>

#include <map>

#include "server/query_decoding.h"
#include "server/upload.h"

namespace {

const std::string kPath = "http://scores.example:8080/cgi-bin/hiscore.cgi?";

// The query's values, decoded as any standard decoder would; fails the test when the address
// is not the base and path followed by game, name and score in that order.
std::map<std::string, std::string> Decode(const std::string& address) {
    std::map<std::string, std::string> values;
    EXPECT_EQ(address.rfind(kPath, 0), 0u) << address;
    std::string query = address.substr(kPath.size());
    EXPECT_EQ(query.rfind("game=", 0), 0u);
    EXPECT_LT(query.find("&name="), query.find("&score="));
    EXPECT_EQ(scores::DecodeQuery(query, values), "") << query;
    for (char c : query)
        EXPECT_TRUE(isalnum(static_cast<unsigned char>(c)) || strchr("-._~%&=", c)) << query;
    return values;
}

TEST(ScoreUploadAddress, DecodesBackToTheGameThePlayerStringAndTheMaskedScore) {
    std::string longest =
        std::string(63, 'n') + ":" + std::string(63, '&') + ":" + std::string(63, '\xFF') + ":Y";
    struct Case {
        const char* what;
        std::string game;
        std::string playerString;
        int score;
        std::string sent; // the player string that travels
    } cases[] = {
        {"a space", "Kestrin", "Ann Lee:::Y", 1200, "Ann Lee:::Y"},
        {"query characters", "Kestrin", "A&B=C%D+E#F?G:::Y", 5, "A&B=C%D+E#F?G:::Y"},
        {"contact sent", "Kestrin", "Ann:1 High St:ann@x.org:Y", 7, "Ann:1 High St:ann@x.org:Y"},
        {"contact kept back", "Kestrin", "Ann:1 High St:ann@x.org:N", 7, "Ann:::N"},
        {"colons in a name kept back", "Kestrin", "A:b:c:d:N", 7, "A:::N"},
        {"bytes above 126", "K\xE9strin", "Ren\xE9\x80\xFF:::Y", 25, "Ren\xE9\x80\xFF:::Y"},
        {"the longest player string", "Kestrin", longest, 1850300, longest},
        {"an empty table", "Kestrin", "", 0, ""},
        {"a negative score", "Kestrin", "A:::Y", -5, "A:::Y"},
    };
    for (const Case& c : cases) {
        std::string address = BuildScoreUploadAddress("http://scores.example:8080/", c.game.c_str(),
                                                      c.playerString.c_str(), c.score);
        std::map<std::string, std::string> values = Decode(address);
        EXPECT_EQ(values.size(), 3u) << c.what;
        EXPECT_EQ(values["game"], c.game) << c.what;
        EXPECT_EQ(values["name"], c.sent) << c.what;
        EXPECT_EQ(values["score"], std::to_string(c.score ^ 0x0A3C5E71)) << c.what;
    }
    EXPECT_EQ(BuildScoreUploadAddress("http://h", "Kestrin", "", 0),
              "http://h/cgi-bin/hiscore.cgi?game=Kestrin&name=&score=171728497");
    EXPECT_EQ(BuildScoreUploadAddress(nullptr, nullptr, nullptr, 0),
              "/cgi-bin/hiscore.cgi?game=&name=&score=171728497");
}

// The two ends of the upload: what the menu builds, the server reads back as the same player,
// contact and score.
TEST(ScoreUploadAddress, TheServerReadsTheMenusAddressBack) {
    scores::GameCatalog games;
    struct Case {
        const char* playerString;
        int score;
        scores::Upload expected;
    } cases[] = {
        {"Ann Lee:1 High St:ann@x.org:Y",
         1200,
         {"Kestrin", "Ann Lee", "1 High St", "ann@x.org", 1200}},
        {"A&B=C%D+E:secret:s@x.org:N", 1850300, {"Kestrin", "A&B=C%D+E", "", "", 1850300}},
        {"Ren\xE9:::Y", 0, {"Kestrin", "Ren\xC3\xA9", "", "", 0}},
    };
    for (const Case& c : cases) {
        std::string address = BuildScoreUploadAddress("http://scores.example:8080", "Kestrin",
                                                      c.playerString, c.score);
        scores::Upload upload;
        ASSERT_EQ(scores::ReadUpload(address.substr(kPath.size()), games, upload), "") << address;
        EXPECT_EQ(upload.name, c.expected.name);
        EXPECT_EQ(upload.address, c.expected.address);
        EXPECT_EQ(upload.email, c.expected.email);
        EXPECT_EQ(upload.score, c.expected.score);
    }
}

} // namespace
