// Reads a bitmap font the way the menu does: glyphs are runs of columns holding at least one
// non-key pixel, separated by all-key columns, one per character from '!' to '~'.
#pragma once

#include <string>
#include <vector>

#include "tools/artgen/picture.h"

namespace artgen {

struct GlyphSpan {
    int left;
    int right; // exclusive
};

// All runs of non-empty columns, left to right.
std::vector<GlyphSpan> MeasureGlyphs(const Picture& font);

// Draws text with a measured font (left-aligned, `gap` pixels after each glyph, spaces half
// the widest glyph); returns the advance.
int DrawFontText(Picture& target, const Picture& font, const std::vector<GlyphSpan>& glyphs,
                 const std::string& text, int x, int y, int gap);

} // namespace artgen
