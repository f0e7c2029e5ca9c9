#pragma once
// The address that sends a game's best result to the suite's score server through the player's
// browser: the server's base address, "/cgi-bin/hiscore.cgi?" and the query
// "game=...&name=...&score=...". Each value is percent-encoded on its own, every byte but
// letters, digits, "-", ".", "_" and "~", so no name can split the query or lose a byte on the
// way; any standard query decoder gets back exactly what was sent.
#include <cstdint>
#include <string>

// The score travels combined with this mask by exclusive or, as the server expects it.
constexpr uint32_t SCORE_UPLOAD_MASK = 0x0A3C5E71;

// serverBase is the scheme and host, such as "http://127.0.0.1:8080" (a trailing "/" is
// dropped); gameName the game's folder name; playerString a high score entry's stored name
// (name, address, email and send flag joined by ":"). When the send flag is "N" only the name
// part travels, as "name:::N": address and email stay on the player's machine. Null pointers
// count as empty strings. The address is built whole, whatever its length.
std::string BuildScoreUploadAddress(const char* serverBase, const char* gameName,
                                    const char* playerString, int score);
