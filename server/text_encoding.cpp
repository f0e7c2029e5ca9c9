#include "server/text_encoding.h"

#include <cstdint>

namespace scores {
namespace {

// Windows-1252 in 0x80 to 0x9F; its five unassigned bytes stay C1 controls, as browsers read
// them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Reads the code point starting at text[i] and advances i; false for anything but a valid
// shortest-form sequence.
bool NextCodePoint(std::string_view text, size_t& i, uint32_t& codePoint) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    int length;
    uint32_t minimum;
    if (lead < 0x80) {
        codePoint = lead;
        ++i;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return false;
    }
    if (text.size() - i < static_cast<size_t>(length))
        return false;
    for (int k = 1; k < length; ++k) {
        unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return false;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return false;
    i += length;
    return true;
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    uint32_t codePoint;
    for (size_t i = 0; i < text.size();)
        if (!NextCodePoint(text, i, codePoint))
            return false;
    return true;
}

std::string ToUtf8(std::string_view text) {
    if (IsValidUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        AppendUtf8(out, c >= 0x80 && c <= 0x9F ? kWindows1252High[c - 0x80] : c);
    }
    return out;
}

bool HasControlCharacter(std::string_view text) {
    uint32_t codePoint;
    for (size_t i = 0; i < text.size();) {
        if (!NextCodePoint(text, i, codePoint))
            return true; // not UTF-8 at all: nothing safe to show
        if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F))
            return true;
    }
    return false;
}

} // namespace scores
