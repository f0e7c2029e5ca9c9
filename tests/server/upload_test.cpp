#include "server/upload.h"

#include <gtest/gtest.h>

#include "server/score_rules.h"

namespace scores {
namespace {

// The 1850300 of a Kestrin game with every chain, bonus and the whole 154-second clock.
static_assert(KestrinMaximumScore() == 796300 + 400000 + 500000 + 154000);

std::string Percent(const std::string& bytes) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes)
        out += std::string("%") + hex[c >> 4] + hex[c & 15];
    return out;
}

std::string Query(const std::string& game, const std::string& playerString, int64_t score) {
    int32_t masked = static_cast<int32_t>(static_cast<uint32_t>(score) ^ kUploadMask);
    return "game=" + game + "&name=" + Percent(playerString) + "&score=" + std::to_string(masked);
}

TEST(ReadUpload, AcceptsWhatTheGamesSend) {
    GameCatalog games;
    std::string longest =
        std::string(63, 'n') + ":" + std::string(63, 'a') + ":" + std::string(63, 'e') + ":Y";
    ASSERT_EQ(longest.size(), 193u);
    struct Case {
        const char* what;
        std::string query;
        Upload expected;
    } cases[] = {
        {"contact sent",
         Query("Kestrin", "Ann:1 High St:ann@x.org:Y", 1200),
         {"Kestrin", "Ann", "1 High St", "ann@x.org", 1200}},
        {"contact kept back",
         Query("Kestrin", "Ann:1 High St:ann@x.org:N", 1200),
         {"Kestrin", "Ann", "", "", 1200}},
        {"the longest player string",
         Query("Kestrin", longest, 25),
         {"Kestrin", std::string(63, 'n'), std::string(63, 'a'), std::string(63, 'e'), 25}},
        {"Latin-1 name stored as UTF-8",
         Query("Kestrin", "Ren\xE9:::N", 0),
         {"Kestrin", "Ren\xC3\xA9", "", "", 0}},
        {"hostile name kept as text",
         Query("Kestrin", "<script>&=+%:::N", 1),
         {"Kestrin", "<script>&=+%", "", "", 1}},
        {"the most a game pays",
         Query("Kestrin", "A:::N", KestrinMaximumScore()),
         {"Kestrin", "A", "", "", KestrinMaximumScore()}},
        {"a long address kept back is not checked",
         Query("Kestrin", "A:" + std::string(150, 'x') + ":e:N", 5),
         {"Kestrin", "A", "", "", 5}},
    };
    for (const Case& c : cases) {
        Upload upload;
        ASSERT_EQ(ReadUpload(c.query, games, upload), "") << c.what;
        EXPECT_EQ(upload.game, c.expected.game) << c.what;
        EXPECT_EQ(upload.name, c.expected.name) << c.what;
        EXPECT_EQ(upload.address, c.expected.address) << c.what;
        EXPECT_EQ(upload.email, c.expected.email) << c.what;
        EXPECT_EQ(upload.score, c.expected.score) << c.what;
    }
}

TEST(ReadUpload, RefusesEveryBadValueWithAReason) {
    GameCatalog games;
    std::string masked1200 = std::to_string(1200 ^ kUploadMask);
    struct Case {
        const char* what;
        std::string query;
        const char* reason; // a part of the reason given
    } cases[] = {
        {"no game", "name=A&score=" + masked1200, "no \"game\""},
        {"no name", "game=Kestrin&score=" + masked1200, "no \"name\""},
        {"no score", "game=Kestrin&name=A", "no \"score\""},
        {"unknown key", Query("Kestrin", "A", 1) + "&x=1", "unknown key"},
        {"name split by a raw &", "game=Kestrin&name=A&B:::N&score=" + masked1200, "no \"=\""},
        {"game with a slash", Query("Kes/trin", "A", 1), "game's name"},
        {"game of 65 bytes", Query(std::string(65, 'k'), "A", 1), "game's name"},
        {"unknown game", Query("Solitaire", "A", 1), "no scores of that game"},
        {"score not a number", "game=Kestrin&name=A&score=12x", "whole number"},
        {"score with a plus", "game=Kestrin&name=A&score=+" + masked1200, "whole number"},
        {"score beyond 32 bits", "game=Kestrin&name=A&score=99999999999", "whole number"},
        {"negative score", Query("Kestrin", "A", -25), "outside"},
        {"score above the maximum", Query("Kestrin", "A", KestrinMaximumScore() + 1), "outside"},
        {"empty table", Query("Kestrin", "", 0), "name is empty"},
        {"empty name", Query("Kestrin", ":a:b:Y", 5), "name is empty"},
        {"name of 64 bytes", Query("Kestrin", std::string(64, 'n'), 5), "name is longer"},
        {"name of 10,000 bytes", Query("Kestrin", std::string(10000, 'n'), 5), "255 bytes"},
        {"name with a newline", Query("Kestrin", "A\nB:::N", 5), "control"},
        {"name with a NUL", Query("Kestrin", std::string("A\0B:::N", 7), 5), "control"},
        {"address of 64 bytes sent", Query("Kestrin", "A:" + std::string(64, 'a') + "::Y", 5),
         "address is longer"},
        {"email with a control sent", Query("Kestrin", "A::a\x01:Y", 5), "control"},
    };
    for (const Case& c : cases) {
        Upload upload;
        std::string reason = ReadUpload(c.query, games, upload);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.what << ": " << reason;
    }
}

TEST(GameCatalog, KnowsKestrinByItsExactNameAndTakesOnlyValidGames) {
    GameCatalog games;
    ASSERT_NE(games.Find("Kestrin"), nullptr);
    EXPECT_EQ(games.Find("Kestrin")->maximumScore, 1850300);
    EXPECT_EQ(games.Find("kestrin"), nullptr);
    EXPECT_FALSE(games.Add("bad name", 10) || games.Add("Minus", -1));
}

} // namespace
} // namespace scores
