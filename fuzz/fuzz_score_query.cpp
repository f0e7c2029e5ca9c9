// Reads arbitrary bytes as the query of an upload, and as the name of an otherwise good
// upload (the first four bytes its masked score) so that every check of a name is reached. An
// accepted upload must hold only what the server promises to store: a known game, a score
// within its range, and a name, address and email of valid UTF-8 without control characters.
// Splitting a player string must give back its own pieces.
#include <cstdint>
#include <cstring>
#include <string>

#include "server/player_string.h"
#include "server/text_encoding.h"
#include "server/upload.h"

namespace {

bool Clean(const std::string& text) {
    return scores::IsValidUtf8(text) && !scores::HasControlCharacter(text) &&
           text.size() <= 3 * scores::kMaxPlayerFieldBytes;
}

void ReadAndCheck(const std::string& query) {
    static const scores::GameCatalog games;
    scores::Upload upload;
    if (!scores::ReadUpload(query, games, upload).empty())
        return;
    const scores::GameRules* rules = games.Find(upload.game);
    if (!rules || upload.score < 0 || upload.score > rules->maximumScore || upload.name.empty() ||
        !Clean(upload.name) || !Clean(upload.address) || !Clean(upload.email))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ReadAndCheck(bytes);
    if (size >= 4) {
        int32_t masked;
        std::memcpy(&masked, data, 4);
        ReadAndCheck("game=Kestrin&score=" + std::to_string(masked) + "&name=" + bytes.substr(4));
    }
    scores::PlayerFields fields = scores::SplitPlayerString(bytes);
    if (bytes.compare(0, fields.name.size(), fields.name) != 0)
        __builtin_trap();
    if (fields.shareContact &&
        fields.name + ":" + fields.address + ":" + fields.email + ":Y" != bytes)
        __builtin_trap();
    return 0;
}
