#pragma once
// A high score entry's player string: name, address, email and send flag joined by ":", as the
// games compose it ("Ann:1 High St:ann@example.org:Y", "Bob:::N").
#include <string>
#include <string_view>

namespace scores {

struct PlayerFields {
    std::string name;    // the part before the first ":", the whole string when it has none
    std::string address; // empty unless the player agreed to send it
    std::string email;   // empty unless the player agreed to send it
    bool shareContact = false;
};

// The name ends at the first ":" (as the Hall of Fame shows it) and the send flag follows the
// last one; between them the email follows the last remaining ":", so an address may hold
// colons. Address and email are taken only when the flag is exactly "Y" and all four fields are
// there: anything less keeps them back.
PlayerFields SplitPlayerString(std::string_view playerString);

} // namespace scores
