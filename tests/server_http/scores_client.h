#pragma once
// Addresses a test sends to the score server, built the way the menu builds them.
#include <cstdint>
#include <string>

namespace testing_support {

inline std::string PercentEncode(const std::string& bytes) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~')
            out += static_cast<char>(c);
        else
            out += std::string("%") + hex[c >> 4] + hex[c & 15];
    }
    return out;
}

inline std::string UploadTarget(const std::string& game, const std::string& playerString,
                                int64_t score) {
    int32_t masked = static_cast<int32_t>(static_cast<uint32_t>(score) ^ 0x0A3C5E71u);
    return "/cgi-bin/hiscore.cgi?game=" + PercentEncode(game) +
           "&name=" + PercentEncode(playerString) + "&score=" + std::to_string(masked);
}

} // namespace testing_support
