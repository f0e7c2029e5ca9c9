#include "menu/score_upload.h"

#include <gtest/gtest.h>

#include <map>

#include "server/query_decoding.h"
#include "server/upload.h"

namespace {

const std::string kPath = "http://scores.example:8080/cgi-bin/hiscore.cgi?";

// Each address is decoded as any standard decoder would, and read by the score server, which
// takes the player string apart. The path, the keys and their order are fixed.
TEST(ScoreUploadAddress, DecodesBackToTheGameThePlayerStringAndTheMaskedScore) {
    const std::string longest =
        std::string(63, 'n') + ":" + std::string(63, '&') + ":" + std::string(63, '\xFF') + ":Y";
    const struct {
        const char* what;
        std::string game, playerString;
        int score;
        const char* sent;              // the player string that travels, when not all of it
        std::vector<std::string> read; // name, address, email; empty: no valid upload
    } cases[] = {
        // clang-format off
        {"a space", "Kestrin", "Ann Lee:1 High St:ann@x.org:Y", 1200, nullptr, {"Ann Lee", "1 High St", "ann@x.org"}},
        {"query characters", "Kestrin", "A&B=C%D+E#F?G:::Y", 5, nullptr, {"A&B=C%D+E#F?G", "", ""}},
        {"contact kept back", "Kestrin", "A&B:1 High St:a@x.org:N", 1850300, "A&B:::N", {"A&B", "", ""}},
        {"colons in a name kept back", "Kestrin", "A:b:c:d:N", 7, "A:::N", {"A", "", ""}},
        {"a Latin-1 name", "Kestrin", "Ren\xE9:::Y", 0, nullptr, {"Ren\xC3\xA9", "", ""}},
        {"bytes above 126", "K\xE9strin", "Ren\xE9\x80\xFF:::Y", 25, nullptr, {}},
        {"the longest player string", "Kestrin", longest, 1850300, nullptr, {}},
        {"an empty table", "Kestrin", "", 0, nullptr, {}},
        {"a negative score", "Kestrin", "A:::Y", -5, nullptr, {}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string address = BuildScoreUploadAddress(
            "http://scores.example:8080/", c.game.c_str(), c.playerString.c_str(), c.score);
        ASSERT_EQ(address.rfind(kPath + "game=", 0), 0u) << address;
        const std::string query = address.substr(kPath.size());
        EXPECT_LT(query.find("&name="), query.find("&score="));
        for (char ch : query)
            EXPECT_TRUE(isalnum(static_cast<unsigned char>(ch)) || strchr("-._~%&=", ch)) << query;
        std::map<std::string, std::string> values;
        EXPECT_EQ(scores::DecodeQuery(query, values), "");
        EXPECT_EQ(values, (std::map<std::string, std::string>{
                              {"game", c.game},
                              {"name", c.sent ? c.sent : c.playerString},
                              {"score", std::to_string(c.score ^ 0x0A3C5E71)}}));
        if (c.read.empty())
            continue;
        scores::Upload upload;
        ASSERT_EQ(scores::ReadUpload(query, scores::GameCatalog(), upload), "");
        EXPECT_EQ(std::vector<std::string>({upload.name, upload.address, upload.email}), c.read);
        EXPECT_EQ(upload.score, c.score);
    }
    EXPECT_EQ(BuildScoreUploadAddress("http://h", "Kestrin", "", 0),
              "http://h/cgi-bin/hiscore.cgi?game=Kestrin&name=&score=171728497");
    EXPECT_EQ(BuildScoreUploadAddress(nullptr, nullptr, nullptr, 0),
              "/cgi-bin/hiscore.cgi?game=&name=&score=171728497");
}

} // namespace
