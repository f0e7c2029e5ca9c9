#include "server/upload.h"

#include <gtest/gtest.h>

namespace scores {
namespace {

// The 1850300 of a Kestrin game with every chain, bonus and the whole 154-second clock.
static_assert(KestrinMaximumScore() == 796300 + 400000 + 500000 + 154000);

// An upload's query with the player string as written (its escapes are the row's own).
std::string Query(const std::string& playerString, int64_t score = 5,
                  const std::string& game = "Kestrin") {
    return "game=" + game + "&name=" + playerString +
           "&score=" + std::to_string(Unmask(static_cast<int32_t>(score)));
}

// Decoding, the player string's split and the names' encodings, through the one entry point a
// request reaches.
TEST(ReadUpload, TakesWhatTheGamesSend) {
    const std::string n63(63, 'n'), a63(63, 'a'), e63(63, 'e');
    struct Case {
        const char* what;
        std::string sent; // the player string as it stands in the query
        std::string name, address, email;
    } cases[] = {
        {"contact sent", "Ann:1%20High%20St:ann@x.org:Y", "Ann", "1 High St", "ann@x.org"},
        {"contact kept back", "Ann:1%20High%20St:ann@x.org:N", "Ann", "", ""},
        {"an address holding colons", "Ann:St:%20flat%202:a@b:Y", "Ann", "St: flat 2", "a@b"},
        {"a flag other than Y", "Ann:a:b:y", "Ann", "", ""},
        {"too few fields to share", "Ann:a:Y", "Ann", "", ""},
        {"a name alone", "Ann", "Ann", "", ""},
        {"the longest player string", n63 + ":" + a63 + ":" + e63 + ":Y", n63, a63, e63},
        {"a long address kept back", "A:" + std::string(150, 'x') + ":e:N", "A", "", ""},
        {"markup, escaped &, =, % and a plus", "%3Cb%3E%26%3D+%25:::N", "<b>&=+%", "", ""},
        {"UTF-8, escapes in either case", "R%c3%a9%E2%82%AC%F0%9F%82%A1",
         "R\xC3\xA9\xE2\x82\xAC\xF0\x9F\x82\xA1", "", ""},
        {"Latin-1", "\xE9t\xE9", "\xC3\xA9t\xC3\xA9", "", ""},
        {"Windows quote and euro", "O%92%80", "O\xE2\x80\x99\xE2\x82\xAC", "", ""},
        {"an overlong form", "%E0%80%AF", "\xC3\xA0\xE2\x82\xAC\xC2\xAF", "", ""},
        {"a surrogate", "%ED%A0%80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC", "", ""},
        {"beyond U+10FFFF", "%F4%A0%80%80", "\xC3\xB4\xC2\xA0\xE2\x82\xAC\xE2\x82\xAC", "", ""},
        {"a cut sequence", "a%E2%82", "a\xC3\xA2\xE2\x80\x9A", "", ""},
    };
    GameCatalog games;
    for (const Case& c : cases) {
        Upload upload;
        ASSERT_EQ(ReadUpload(Query(c.sent), games, upload), "") << c.what;
        EXPECT_EQ(std::tie(upload.game, upload.name, upload.address, upload.email, upload.score),
                  std::make_tuple("Kestrin", c.name, c.address, c.email, 5))
            << c.what;
    }
    Upload upload;
    for (int32_t score : {0, KestrinMaximumScore()}) {
        EXPECT_EQ(ReadUpload("&&" + Query("A", score) + "&", games, upload), "");
        EXPECT_EQ(upload.score, score);
    }
}

TEST(ReadUpload, RefusesEveryBadValueWithAReason) {
    struct Case {
        const char* what;
        std::string query;
        const char* reason; // a part of the reason given
    } cases[] = {
        {"an empty query", "", "no \"game\""},
        {"no name", "game=Kestrin&score=1", "no \"name\""},
        {"no score", "game=Kestrin&name=A", "no \"score\""},
        {"an unknown key", Query("A") + "&x=1", "unknown key"},
        {"a name split by a raw &", Query("A&B:::N"), "no \"=\""},
        {"an empty key", "=1&" + Query("A"), "empty key"},
        {"a key given twice", Query("A") + "&name=B", "twice"},
        {"an escape cut at the end", Query("ab%"), "malformed"},
        {"an escape not hexadecimal", Query("%zz"), "malformed"},
        {"a game with a slash", Query("A", 1, "Kes/trin"), "game's name"},
        {"a game of 65 bytes", Query("A", 1, std::string(65, 'k')), "game's name"},
        {"an unknown game", Query("A", 1, "Solitaire"), "no scores of that game"},
        {"a game in other letter case", Query("A", 1, "kestrin"), "no scores of that game"},
        {"a score not a number", "game=Kestrin&name=A&score=12x", "whole number"},
        {"a score with a plus", "game=Kestrin&name=A&score=+1", "whole number"},
        {"a score beyond 32 bits", "game=Kestrin&name=A&score=99999999999", "whole number"},
        {"a negative score", Query("A", -25), "outside"},
        {"a score above the maximum", Query("A", KestrinMaximumScore() + 1), "outside"},
        {"an empty table", Query(""), "name is empty"},
        {"an empty name", Query(":a:b:Y"), "name is empty"},
        {"a name of 64 bytes", Query(std::string(64, 'n')), "name is longer"},
        {"a name of 10,000 bytes", Query(std::string(10000, 'n')), "255 bytes"},
        {"a NUL", Query("A%00B:::N"), "control"},
        {"a UTF-8 C1 control", Query("A%C2%85"), "control"},
        {"an unassigned Windows byte", Query("A%81"), "control"},
        {"an address of 64 bytes sent", Query("A:" + std::string(64, 'a') + "::Y"), "address is"},
        {"an email of 64 bytes sent", Query("A::" + std::string(64, 'e') + ":Y"), "email is"},
        {"an address with a control sent", Query("A:a%01::Y"), "the address holds"},
        {"an email with a control sent", Query("A::a%01:Y"), "the email holds"},
    };
    GameCatalog games;
    for (const Case& c : cases) {
        Upload upload;
        std::string reason = ReadUpload(c.query, games, upload);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.what << ": " << reason;
    }
}

} // namespace
} // namespace scores
