#include "server/player_string.h"

namespace scores {

PlayerFields SplitPlayerString(std::string_view playerString) {
    PlayerFields fields;
    size_t firstColon = playerString.find(':');
    fields.name = std::string(playerString.substr(0, firstColon));
    size_t lastColon = playerString.rfind(':');
    if (firstColon == lastColon || playerString.substr(lastColon + 1) != "Y")
        return fields;
    std::string_view middle = playerString.substr(firstColon + 1, lastColon - firstColon - 1);
    size_t emailColon = middle.rfind(':');
    if (emailColon == std::string_view::npos)
        return fields;
    fields.address = std::string(middle.substr(0, emailColon));
    fields.email = std::string(middle.substr(emailColon + 1));
    fields.shareContact = true;
    return fields;
}

} // namespace scores
