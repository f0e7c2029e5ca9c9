#pragma once
// One result sent from a Hall of Fame: the query of "/cgi-bin/hiscore.cgi" decoded, the score
// taken back from its mask, the player string split, every value checked.
#include <cstdint>
#include <string>
#include <string_view>

#include "server/score_rules.h"

namespace scores {

// Longest name, address and email, in bytes as sent: what the players' records hold.
constexpr size_t kMaxPlayerFieldBytes = 63;
// Longest player string: a high score entry's name field less its terminating NUL.
constexpr size_t kMaxPlayerStringBytes = 255;

struct Upload {
    std::string game;
    std::string name;    // UTF-8, never empty
    std::string address; // UTF-8; empty unless the player agreed to send it
    std::string email;   // UTF-8; empty unless the player agreed to send it
    int32_t score = 0;
};

// Reads the query of an upload into `upload`. Returns an empty string when it is acceptable,
// otherwise a short reason for the player: keys missing, unknown or repeated, malformed escapes,
// an unknown or invalid game, a score outside 0 to the game's maximum, an empty or overlong
// name, control characters.
std::string ReadUpload(std::string_view query, const GameCatalog& games, Upload& upload);

} // namespace scores
