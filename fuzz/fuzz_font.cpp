// Font measuring of arbitrary 16-bit bitmaps, then text drawn and measured with whatever came
// out: a failed measure must leave an empty font, a good one only glyphs inside the bitmap.
//
// Input: bytes 0-1 width, byte 2 height, byte 3 pixel mode, then pixels. Mode bit 0 clear: one
// bit a pixel (1 ink, 0 the blue key), which makes glyph runs and gaps likely; set: raw 16-bit
// values. Pixels the data does not reach are blue. The last bytes also serve as text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gfx/bitmap_font.h"

namespace {
constexpr int kMaxWidth = 2048;
constexpr int kMaxHeight = 32;
constexpr uint16_t kBlueKey = 0x001F;
constexpr uint16_t kInk = 0xFFFF;

Surface* BitmapFromBytes(const uint8_t* data, size_t size) {
    if (size < 4)
        return nullptr;
    const int width = 1 + (data[0] | data[1] << 8) % kMaxWidth;
    const int height = 1 + data[2] % kMaxHeight;
    const bool raw = data[3] & 1;
    data += 4;
    size -= 4;
    Surface* bitmap = MakeSurface(width, height);
    if (!bitmap)
        return nullptr;
    FillSurface(bitmap, kBlueKey);
    SurfaceDesc desc{};
    auto* pixels = static_cast<uint8_t*>(LockSurface(bitmap, &desc));
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
        uint16_t value = kBlueKey;
        if (raw && 2 * i + 1 < size)
            value = static_cast<uint16_t>(data[2 * i] | data[2 * i + 1] << 8);
        else if (!raw && i / 8 < size)
            value = (data[i / 8] >> (i % 8)) & 1 ? kInk : kBlueKey;
        else
            break;
        const size_t x = i % static_cast<size_t>(width), y = i / static_cast<size_t>(width);
        auto* row = reinterpret_cast<uint16_t*>(pixels + y * static_cast<size_t>(desc.pitch));
        row[x] = value;
    }
    UnlockSurface(bitmap);
    return bitmap;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Surface* bitmap = BitmapFromBytes(data, size);
    if (!bitmap)
        return 0;
    const int width = bitmap->width;
    BitmapFont font;
    const int loaded = font.LoadFontSurface(bitmap);
    if (!loaded && font.surface)
        std::abort();
    int lastRight = -1;
    for (const Glyph& glyph : font.glyphs) {
        if (!loaded)
            break;
        if (glyph.left <= lastRight || glyph.right <= glyph.left || glyph.right > width)
            std::abort();
        lastRight = glyph.right;
    }
    std::string text(reinterpret_cast<const char*>(data), size < 300 ? size : 300);
    Surface* target = MakeSurface(64, 32);
    font.TextWidth(text.c_str());
    font.DrawText(target, text.c_str(), 60, 4, ALIGN_RIGHT, -1);
    font.DrawText(target, text.c_str(), -5, 20, ALIGN_LEFT, 50);
    ReleaseSurface(target);
    return 0;
}
