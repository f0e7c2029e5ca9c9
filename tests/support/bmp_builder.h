#pragma once
// Builds small BMP files in memory for the loader and picture tests: 8-bit with a palette,
// 16-bit 5-6-5 bit fields, 24-bit and 32-bit, bottom-up rows as most files have them.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/little_endian.h"

namespace bmp {

using testing_support::PutLE;

using ColorAt = std::function<uint32_t(int x, int y)>; // 0xRRGGBB

inline std::vector<uint8_t> Build(int width, int height, int bitsPerPixel, const ColorAt& color) {
    std::vector<uint32_t> palette;
    std::map<uint32_t, uint8_t> index;
    if (bitsPerPixel == 8) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (index.emplace(color(x, y), uint8_t(palette.size())).second)
                    palette.push_back(color(x, y));
    }
    const uint32_t masks = bitsPerPixel == 16 ? 12 : 0;
    const uint32_t paletteBytes = uint32_t(palette.size()) * 4;
    const uint32_t offset = 14 + 40 + masks + paletteBytes;
    const uint32_t rowBytes = uint32_t((width * bitsPerPixel + 31) / 32 * 4);
    std::vector<uint8_t> out = {'B', 'M'};
    PutLE(out, offset + rowBytes * uint32_t(height), 4);
    PutLE(out, 0, 4);
    PutLE(out, offset, 4);
    PutLE(out, 40, 4);
    PutLE(out, uint32_t(width), 4);
    PutLE(out, uint32_t(height), 4);
    PutLE(out, 1, 2);
    PutLE(out, uint32_t(bitsPerPixel), 2);
    PutLE(out, bitsPerPixel == 16 ? 3 : 0, 4); // bit fields for 16-bit
    PutLE(out, rowBytes * uint32_t(height), 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, uint32_t(palette.size()), 4);
    PutLE(out, 0, 4);
    if (bitsPerPixel == 16)
        for (uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu})
            PutLE(out, mask, 4);
    for (uint32_t c : palette)
        PutLE(out, c & 0xFFFFFF, 4); // blue, green, red, reserved
    for (int y = height - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            const uint32_t c = color(x, y);
            const uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
            if (bitsPerPixel == 8)
                out.push_back(index[c]);
            else if (bitsPerPixel == 16)
                PutLE(out, ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3), 2);
            else // 24 or 32 bits: blue, green, red (and an opaque alpha)
                PutLE(out, c | 0xFF000000u, bitsPerPixel / 8);
        }
        while (out.size() - rowStart < rowBytes)
            out.push_back(0);
    }
    return out;
}

inline bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

} // namespace bmp
