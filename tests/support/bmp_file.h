#pragma once
// Small 24-bit BMP files for tests that load pictures from disk.
#include <cstdint>
#include <functional>
#include <string>

#include "support/bmp_builder.h"
#include "support/temp_dir.h"

namespace testing_support {

struct Rgb {
    uint8_t r, g, b;
};

inline std::string BmpBytes(int width, int height, const std::function<Rgb(int, int)>& colourAt) {
    std::vector<uint8_t> bytes = bmp::Build(width, height, 24, [&](int x, int y) {
        Rgb c = colourAt(x, y);
        return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
    });
    return std::string(bytes.begin(), bytes.end());
}

inline std::string SolidBmp(int width, int height, Rgb colour) {
    return BmpBytes(width, height, [colour](int, int) { return colour; });
}

inline void WriteSolidBmp(const std::string& path, int width, int height, Rgb colour) {
    WriteBytes(path, SolidBmp(width, height, colour));
}

} // namespace testing_support
