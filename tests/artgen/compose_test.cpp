// Drawing for the review images and the layout preview: keyed, clipped blits, text with a
// measured bitmap font, and blending over a background strip by strip.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"
#include "tools/artgen/compose.h"
#include "tools/artgen/font_measure.h"
#include "tools/artgen/picture.h"

namespace {

using artgen::kKeyPixel;
using artgen::Picture;

TEST(Blit, SkipsKeyPixelsAndClipsAtTheTargetsEdges) {
    Picture target(4, 4);
    std::fill(target.pixels.begin(), target.pixels.end(), 0x1111);
    Picture source(3, 3);
    source.At(0, 0) = 0x2222;
    source.At(2, 2) = 0x3333; // lands outside the target
    artgen::Blit(target, source, 0, 0, 3, 3, 2, 2);
    EXPECT_EQ(target.At(2, 2), 0x2222);
    EXPECT_EQ(target.At(3, 3), 0x1111) << "key pixels leave the target as it was";
    artgen::Blit(target, source, 0, 0, 3, 3, -2, -2);
    EXPECT_EQ(target.At(0, 0), 0x3333) << "clipped at the top left";
}

TEST(DrawFontText, AdvancesByGlyphWidthsGapsAndHalfWidthSpaces) {
    // Glyphs '!' (2 wide) and '"' (4 wide).
    Picture font(7, 1);
    for (int x : {0, 1, 3, 4, 5, 6}) {
        font.At(x, 0) = 0x0F0F;
    }
    std::vector<artgen::GlyphSpan> glyphs = artgen::MeasureGlyphs(font);
    ASSERT_EQ(glyphs.size(), 2u);
    Picture target(40, 1);
    int advance = artgen::DrawFontText(target, font, glyphs, "! \"", 1, 0, 1);
    EXPECT_EQ(advance, (2 + 1) + 4 / 2 + (4 + 1));
    EXPECT_EQ(target.At(1, 0), 0x0F0F);
    EXPECT_EQ(target.At(3, 0), kKeyPixel) << "the gap";
    EXPECT_EQ(target.At(6, 0), 0x0F0F) << "after the space";
}

TEST(Matte, StripsBlendEveryFrameOverTheSamePlaceOfTheBackground) {
    artgen::Canvas background(10, 1);
    cairo_t* bg = background.Cr();
    cairo_rectangle(bg, 0, 0, 5, 1);
    cairo_set_source_rgb(bg, 1, 0, 0);
    cairo_fill(bg);
    cairo_rectangle(bg, 5, 0, 5, 1);
    cairo_set_source_rgb(bg, 0, 0, 1);
    cairo_fill(bg);
    // Two frames of 2 pixels, both half-covered white, to be drawn at x = 4.
    artgen::Canvas strip(4, 1);
    cairo_set_source_rgba(strip.Cr(), 1, 1, 1, 0.6);
    cairo_paint(strip.Cr());
    Picture picture = artgen::Flatten(strip, artgen::Matte::Over(background, 4, 0, 2), 0.5);
    int r = 0, g = 0, b = 0;
    artgen::PixelToRgb(picture.At(0, 0), r, g, b); // over red
    EXPECT_GT(r, 240);
    EXPECT_LT(b, 170);
    artgen::PixelToRgb(picture.At(3, 0), r, g, b); // second frame's x 1: over blue
    EXPECT_LT(r, 170);
    EXPECT_GT(b, 240);
    EXPECT_EQ(picture.At(2, 0), picture.At(0, 0)) << "frames blend alike";
}

TEST(WritePng, WritesAPngOfThePicturesSize) {
    Picture picture(5, 3);
    picture.At(1, 1) = 0xFFFF;
    testing_support::TempDir dir;
    std::filesystem::path file = dir.path() / "p.png";
    ASSERT_TRUE(artgen::WritePng(picture, file.string()));
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    EXPECT_EQ(header[1], 'P');
    EXPECT_EQ(header[2], 'N');
    EXPECT_EQ(header[19], 5) << "width";
    EXPECT_EQ(header[23], 3) << "height";
    EXPECT_FALSE(artgen::WritePng(picture, "/nonexistent-dir/p.png"));
}

} // namespace
