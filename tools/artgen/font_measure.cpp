#include "tools/artgen/font_measure.h"

#include <algorithm>

#include "tools/artgen/compose.h"

namespace artgen {

namespace {

bool ColumnEmpty(const Picture& font, int x) {
    for (int y = 0; y < font.height; ++y) {
        if (font.At(x, y) != kKeyPixel) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<GlyphSpan> MeasureGlyphs(const Picture& font) {
    std::vector<GlyphSpan> spans;
    int x = 0;
    while (x < font.width) {
        while (x < font.width && ColumnEmpty(font, x)) {
            ++x;
        }
        if (x >= font.width) {
            break;
        }
        int left = x;
        while (x < font.width && !ColumnEmpty(font, x)) {
            ++x;
        }
        spans.push_back({left, x});
    }
    return spans;
}

int DrawFontText(Picture& target, const Picture& font, const std::vector<GlyphSpan>& glyphs,
                 const std::string& text, int x, int y, int gap) {
    int widest = 0;
    for (const GlyphSpan& g : glyphs) {
        widest = std::max(widest, g.right - g.left);
    }
    const int start = x;
    for (char ch : text) {
        int index = static_cast<unsigned char>(ch) - '!';
        if (index < 0 || index >= static_cast<int>(glyphs.size())) {
            x += widest / 2;
            continue;
        }
        const GlyphSpan& g = glyphs[index];
        Blit(target, font, g.left, 0, g.right - g.left, font.height, x, y);
        x += g.right - g.left + gap;
    }
    return x - start;
}

} // namespace artgen
