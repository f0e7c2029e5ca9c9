// Builds the upload address from arbitrary bytes (a score, then a game name and a player
// string separated by a NUL) and decodes it as a server would: the same game, the same player
// string (its name part alone when the send flag is "N") and the masked score must come back,
// and the address must hold nothing but unreserved characters, escapes and the query's own
// "&" and "=".
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "menu/score_upload.h"
#include "server/query_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    int32_t score;
    std::memcpy(&score, data, 4);
    std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
    size_t separator = rest.find('\0');
    std::string game = rest.substr(0, separator);
    std::string player = separator == std::string::npos ? "" : rest.substr(separator + 1);
    player = player.substr(0, player.find('\0'));

    std::string address = BuildScoreUploadAddress("http://h", game.c_str(), player.c_str(), score);
    const std::string prefix = "http://h/cgi-bin/hiscore.cgi?";
    if (address.compare(0, prefix.size(), prefix) != 0)
        __builtin_trap();
    std::string query = address.substr(prefix.size());
    for (char c : query)
        if (!isalnum(static_cast<unsigned char>(c)) && !std::strchr("-._~%&=", c))
            __builtin_trap();
    std::map<std::string, std::string> values;
    if (!scores::DecodeQuery(query, values).empty() || values.size() != 3)
        __builtin_trap();
    std::string sent = player;
    size_t lastColon = player.rfind(':');
    if (lastColon != std::string::npos && player.substr(lastColon + 1) == "N")
        sent = player.substr(0, player.find(':')) + ":::N";
    if (values["game"] != game || values["name"] != sent ||
        values["score"] != std::to_string(static_cast<int32_t>(score ^ SCORE_UPLOAD_MASK)))
        __builtin_trap();
    return 0;
}
