#include "menu/score_upload.h"

#include <string_view>

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

void AppendEscaped(std::string& out, std::string_view value) {
    static const char hexDigits[] = "0123456789ABCDEF";
    for (char ch : value) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += hexDigits[c >> 4];
            out += hexDigits[c & 0x0F];
        }
    }
}

// The player string as it may travel: whole when the player agreed to send address and email,
// otherwise only the part before the first ":" with empty address and email.
std::string UploadedPlayerString(std::string_view playerString) {
    size_t lastColon = playerString.rfind(':');
    if (lastColon == std::string_view::npos || playerString.substr(lastColon + 1) != "N")
        return std::string(playerString);
    return std::string(playerString.substr(0, playerString.find(':'))) + ":::N";
}

} // namespace

std::string BuildScoreUploadAddress(const char* serverBase, const char* gameName,
                                    const char* playerString, int score) {
    std::string_view base = serverBase ? serverBase : "";
    if (!base.empty() && base.back() == '/')
        base.remove_suffix(1);
    int32_t masked = static_cast<int32_t>(static_cast<uint32_t>(score) ^ SCORE_UPLOAD_MASK);

    std::string address(base);
    address += "/cgi-bin/hiscore.cgi?game=";
    AppendEscaped(address, gameName ? gameName : "");
    address += "&name=";
    AppendEscaped(address, UploadedPlayerString(playerString ? playerString : ""));
    address += "&score=";
    AppendEscaped(address, std::to_string(masked));
    return address;
}
