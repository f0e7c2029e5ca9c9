#pragma once
// Writes small 24-bit BMP files for tests that load pictures from disk.
#include <cstdint>
#include <functional>
#include <string>

#include "support/temp_dir.h"

namespace testing_support {

struct Rgb {
    uint8_t r, g, b;
};

inline std::string BmpBytes(int width, int height, const std::function<Rgb(int, int)>& colourAt) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes * height);
    std::string bytes;
    auto put16 = [&](uint32_t v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    bytes += "BM";
    put32(54 + dataSize);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<uint32_t>(width));
    put32(static_cast<uint32_t>(height));
    put16(1);
    put16(24);
    put32(0);
    put32(dataSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = height - 1; y >= 0; --y) { // bottom-up rows
        std::string row;
        for (int x = 0; x < width; ++x) {
            Rgb c = colourAt(x, y);
            row.push_back(static_cast<char>(c.b));
            row.push_back(static_cast<char>(c.g));
            row.push_back(static_cast<char>(c.r));
        }
        row.resize(static_cast<size_t>(rowBytes), '\0');
        bytes += row;
    }
    return bytes;
}

inline void WriteSolidBmp(const std::string& path, int width, int height, Rgb colour) {
    WriteBytes(path, BmpBytes(width, height, [colour](int, int) { return colour; }));
}

} // namespace testing_support
