#include "tools/artgen/bmp_file.h"

#include "tools/artgen/byte_io.h"

namespace artgen {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMaskBytes = 12;
constexpr uint32_t kBitFields = 3;

size_t RowBytes(int width) {
    return (static_cast<size_t>(width) * 2 + 3) & ~static_cast<size_t>(3);
}

} // namespace

std::vector<unsigned char> EncodeBmp(const Picture& picture) {
    const uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + kMaskBytes;
    const size_t rowBytes = RowBytes(picture.width);
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes * picture.height);
    std::vector<unsigned char> out;
    out.reserve(dataOffset + dataSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, dataOffset + dataSize);
    PutU32(out, 0);
    PutU32(out, dataOffset);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(picture.width));
    PutU32(out, static_cast<uint32_t>(picture.height)); // positive: bottom-up rows
    PutU16(out, 1);
    PutU16(out, 16);
    PutU32(out, kBitFields);
    PutU32(out, dataSize);
    PutU32(out, 2835); // 72 dpi
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0xF800);
    PutU32(out, 0x07E0);
    PutU32(out, 0x001F);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            PutU16(out, picture.At(x, y));
        }
        for (size_t pad = static_cast<size_t>(picture.width) * 2; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

bool WriteBmp(const std::string& path, const Picture& picture) {
    return WriteFileBytes(path, EncodeBmp(picture));
}

} // namespace artgen
