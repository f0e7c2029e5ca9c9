// The menu's proportional bitmap fonts: the 94 characters "!" to "~" side by side, each a run
// of columns that are not all key blue, separated by one all-blue column. The normal and Hall of
// Fame fonts carry one column of padding on the left of each glyph, in the colour they are drawn
// on, which with the screens' small gaps spaces the letters like the type they come from; the
// highlight font is also the players panel's entry font, drawn with a gap of 3, and has none.
// Columns inside a glyph that hold no ink (the gap in
// '"') get one pixel of that colour so the glyph stays one run.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/artgen/painters.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text.h"

namespace artgen {

namespace {

struct FontLook {
    Typeface face;
    double size;
    Rgb ink;
    int padding; // columns of matte colour left of each glyph
};

FontLook LookFor(FontStyle style) {
    switch (style) {
    case FontStyle::Normal:
        return {Typeface::Sans, 16, palette::kInk, 1};
    case FontStyle::Highlight:
        return {Typeface::SansBold, 16, palette::kCrimson, 0};
    case FontStyle::HallBlack:
        return {Typeface::SansBold, 14, palette::kInk, 1};
    case FontStyle::HallPurple:
        break;
    }
    return {Typeface::SansBold, 14, palette::kPurple, 1};
}

struct Glyph {
    Picture picture; // ink with its padding, key elsewhere
};

Glyph RenderGlyph(char ch, const FontLook& look, int height, const Matte& matte) {
    const int scratchW = 64;
    Canvas scratch(scratchW, height);
    cairo_t* cr = scratch.Cr();
    UseFont(cr, look.face, look.size);
    cairo_text_extents_t cap;
    cairo_text_extents(cr, "H", &cap);
    const double baseline = std::round(height / 2.0 + cap.height / 2.0 + 1);
    SetColour(cr, look.ink);
    std::string text(1, ch);
    DrawText(cr, text, 8, baseline, Align::Left);
    Picture ink = Flatten(scratch, matte, 0.08);
    int first = scratchW, last = -1;
    for (int x = 0; x < scratchW; ++x) {
        for (int y = 0; y < height; ++y) {
            if (ink.At(x, y) != kKeyPixel) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    int mr = 0, mg = 0, mb = 0;
    matte.ColourAt(0, 0, mr, mg, mb);
    const uint16_t pad = OpaquePixel(mr, mg, mb);
    Glyph glyph;
    if (last < 0) {
        glyph.picture = Picture(2, height);
        for (int x = 0; x < 2; ++x) {
            glyph.picture.At(x, static_cast<int>(baseline)) = pad;
        }
        return glyph;
    }
    const int width = last - first + 1 + look.padding;
    glyph.picture = Picture(width, height);
    for (int x = 0; x < width; ++x) {
        bool any = false;
        for (int y = 0; y < height; ++y) {
            int sx = first - look.padding + x;
            uint16_t v = (sx >= 0 && sx < scratchW) ? ink.At(sx, y) : kKeyPixel;
            glyph.picture.At(x, y) = v;
            any = any || v != kKeyPixel;
        }
        if (!any) {
            glyph.picture.At(x, static_cast<int>(baseline)) = pad;
        }
    }
    return glyph;
}

} // namespace

Picture PaintBitmapFont(const PictureEntry& entry, FontStyle style) {
    const FontLook look = LookFor(style);
    const Matte matte = Matte::Flat(palette::kParchment);
    std::vector<Glyph> glyphs;
    int total = 0;
    for (char ch = '!'; ch <= '~'; ++ch) {
        glyphs.push_back(RenderGlyph(ch, look, entry.frameHeight, matte));
        total += glyphs.back().picture.width + 1;
    }
    Picture strip(total - 1, entry.frameHeight);
    int x0 = 0;
    for (const Glyph& glyph : glyphs) {
        for (int y = 0; y < entry.frameHeight; ++y) {
            for (int x = 0; x < glyph.picture.width; ++x) {
                strip.At(x0 + x, y) = glyph.picture.At(x, y);
            }
        }
        x0 += glyph.picture.width + 1;
    }
    return strip;
}

} // namespace artgen
