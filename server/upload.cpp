#include "server/upload.h"

#include <charconv>
#include <map>

#include "server/player_string.h"
#include "server/query_decoding.h"
#include "server/text_encoding.h"

namespace scores {
namespace {

// A player field as stored: UTF-8 of what was sent, or a reason to refuse it.
std::string ReadPlayerField(std::string_view sent, std::string_view what, std::string& stored) {
    if (sent.size() > kMaxPlayerFieldBytes)
        return std::string(what) + " is longer than 63 bytes";
    stored = ToUtf8(sent);
    if (HasControlCharacter(stored))
        return std::string(what) + " holds a control character";
    return {};
}

// The "%d" of a signed 32-bit number: an optional "-" and digits, nothing else.
bool ParseSigned32(const std::string& text, int32_t& value) {
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

} // namespace

std::string ReadUpload(std::string_view query, const GameCatalog& games, Upload& upload) {
    std::map<std::string, std::string> values;
    if (std::string error = DecodeQuery(query, values); !error.empty())
        return error;
    for (const auto& [key, value] : values)
        if (key != "game" && key != "name" && key != "score")
            return "the query holds an unknown key";
    for (const char* key : {"game", "name", "score"})
        if (!values.count(key))
            return std::string("the query has no \"") + key + "\"";

    const std::string& game = values["game"];
    if (!IsValidGameName(game))
        return "a game's name is 1 to 64 letters, digits, \"-\" or \"_\"";
    const GameRules* rules = games.Find(game);
    if (!rules)
        return "this server keeps no scores of that game";
    upload.game = game;

    int32_t uploaded = 0;
    if (!ParseSigned32(values["score"], uploaded))
        return "the score is not a 32-bit whole number";
    upload.score = Unmask(uploaded);
    if (upload.score < 0 || upload.score > rules->maximumScore)
        return "the score is outside what the game can pay";

    const std::string& playerString = values["name"];
    if (playerString.size() > kMaxPlayerStringBytes)
        return "the player string is longer than 255 bytes";
    PlayerFields fields = SplitPlayerString(playerString);
    if (fields.name.empty())
        return "the name is empty: the Hall of Fame has no result to send";
    if (std::string error = ReadPlayerField(fields.name, "the name", upload.name); !error.empty())
        return error;
    upload.address.clear();
    upload.email.clear();
    if (fields.shareContact) {
        if (std::string error = ReadPlayerField(fields.address, "the address", upload.address);
            !error.empty())
            return error;
        if (std::string error = ReadPlayerField(fields.email, "the email", upload.email);
            !error.empty())
            return error;
    }
    return {};
}

} // namespace scores
