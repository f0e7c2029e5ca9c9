#include "server/query_decoding.h"

#include <gtest/gtest.h>

#include "server/player_string.h"
#include "server/text_encoding.h"

namespace scores {
namespace {

TEST(DecodeQuery, DecodesOrRefusesEachShapeOfQuery) {
    using Values = std::map<std::string, std::string>;
    struct Case {
        const char* what;
        std::string query;
        bool accepted;
        Values values;
    } cases[] = {
        {"plain pairs", "game=Kestrin&score=12", true, {{"game", "Kestrin"}, {"score", "12"}}},
        {"escapes in either case", "name=a%20b%3a%3A", true, {{"name", "a b::"}}},
        {"plus stays a plus", "name=a+b", true, {{"name", "a+b"}}},
        {"escaped & and =", "name=A%26B%3DC", true, {{"name", "A&B=C"}}},
        {"escaped NUL and high bytes",
         "name=%00%E9%FF",
         true,
         {{"name", std::string("\0\xE9\xFF", 3)}}},
        {"raw high bytes", "name=\xE9t\xE9", true, {{"name", "\xE9t\xE9"}}},
        {"= inside a value", "name=a=b", true, {{"name", "a=b"}}},
        {"empty pairs skipped", "&a=1&&b=2&", true, {{"a", "1"}, {"b", "2"}}},
        {"empty query", "", true, {}},
        {"escape cut at the end", "name=ab%", false, {}},
        {"escape cut to one digit", "name=ab%4", false, {}},
        {"escape not hexadecimal", "name=%zz", false, {}},
        {"pair without =", "game=K&Bob:::N", false, {}},
        {"empty key", "=1", false, {}},
        {"key given twice", "name=a&name=b", false, {}},
    };
    for (const Case& c : cases) {
        Values values;
        std::string error = DecodeQuery(c.query, values);
        EXPECT_EQ(error.empty(), c.accepted) << c.what << ": " << error;
        if (c.accepted) {
            EXPECT_EQ(values, c.values) << c.what;
        }
    }
}

TEST(SplitPlayerString, TakesContactOnlyWhenTheFlagSaysYes) {
    struct Case {
        const char* playerString;
        PlayerFields expected;
    } cases[] = {
        {"Ann:1 High St:ann@example.org:Y", {"Ann", "1 High St", "ann@example.org", true}},
        {"Ann:::Y", {"Ann", "", "", true}},
        {"Ann:1 High St:ann@example.org:N", {"Ann", "", "", false}},
        {"Ann:::N", {"Ann", "", "", false}},
        {"Ann:St: flat 2:a@b:Y", {"Ann", "St: flat 2", "a@b", true}},
        {"Ann:a:b:y", {"Ann", "", "", false}},
        {"Ann:a:b:YES", {"Ann", "", "", false}},
        {"Ann:a:Y", {"Ann", "", "", false}},
        {"Ann:Y", {"Ann", "", "", false}},
        {"Ann", {"Ann", "", "", false}},
        {":::Y", {"", "", "", true}},
        {"", {"", "", "", false}},
    };
    for (const Case& c : cases) {
        PlayerFields fields = SplitPlayerString(c.playerString);
        EXPECT_EQ(fields.name, c.expected.name) << c.playerString;
        EXPECT_EQ(fields.address, c.expected.address) << c.playerString;
        EXPECT_EQ(fields.email, c.expected.email) << c.playerString;
        EXPECT_EQ(fields.shareContact, c.expected.shareContact) << c.playerString;
    }
}

TEST(TextEncoding, KeepsUtf8AndReadsAnythingElseAsWindowsLatin1) {
    struct Case {
        const char* what;
        std::string sent;
        std::string stored;
        bool control;
    } cases[] = {
        {"ASCII", "Ann", "Ann", false},
        {"UTF-8 kept", "Ren\xC3\xA9\xE2\x82\xAC\xF0\x9F\x82\xA1",
         "Ren\xC3\xA9\xE2\x82\xAC\xF0\x9F\x82\xA1", false},
        {"Latin-1 e acute", "Ren\xE9", "Ren\xC3\xA9", false},
        {"Windows quote and euro",
         "O\x92"
         "B \x80",
         "O\xE2\x80\x99"
         "B \xE2\x82\xAC",
         false},
        {"overlong slash is not UTF-8", "\xC0\xAF", "\xC3\x80\xC2\xAF", false},
        {"surrogate is not UTF-8", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC", false},
        {"cut sequence is not UTF-8", "a\xE2\x82", "a\xC3\xA2\xE2\x80\x9A", false},
        {"unassigned Windows byte stays a control", "\x81", "\xC2\x81", true},
        {"tab", "a\tb", "a\tb", true},
        {"NUL", std::string("a\0b", 3), std::string("a\0b", 3), true},
        {"DEL", "a\x7F", "a\x7F", true},
        {"UTF-8 C1 control", "a\xC2\x85", "a\xC2\x85", true},
    };
    for (const Case& c : cases) {
        std::string stored = ToUtf8(c.sent);
        EXPECT_EQ(stored, c.stored) << c.what;
        EXPECT_TRUE(IsValidUtf8(stored)) << c.what;
        EXPECT_EQ(HasControlCharacter(stored), c.control) << c.what;
    }
}

} // namespace
} // namespace scores
