#pragma once
// Font bitmaps built in memory: glyphs as runs of white columns on pure blue, separated by
// blue columns, in character order from "!".
#include <vector>

#include "gfx/surface_functions.h"
#include "support/null_display.h"

namespace testing_support {

struct FontLayout {
    std::vector<int> widths; // one per glyph, from "!"
    int separator = 1;       // blue columns between glyphs
    int trailing = 1;        // blue columns after the last glyph (0: it touches the edge)
    int height = 8;
};

// The column where glyph `index` starts.
inline int GlyphLeft(const FontLayout& layout, int index) {
    int column = 0;
    for (int i = 0; i < index; ++i)
        column += layout.widths[static_cast<size_t>(i)] + layout.separator;
    return column;
}

inline Surface* MakeFontBitmap(const FontLayout& layout) {
    const int glyphs = static_cast<int>(layout.widths.size());
    Surface* bitmap =
        MakeSurface(GlyphLeft(layout, glyphs) - layout.separator + layout.trailing, layout.height);
    FillSurface(bitmap, kBlue);
    for (size_t i = 0; i < layout.widths.size(); ++i) {
        int left = GlyphLeft(layout, static_cast<int>(i));
        FillArea(bitmap, left, 0, left + layout.widths[i], layout.height, kWhite);
    }
    return bitmap;
}

inline FontLayout UniformLayout(int glyphWidth, int count = 94) {
    return FontLayout{std::vector<int>(static_cast<size_t>(count), glyphWidth)};
}

} // namespace testing_support
