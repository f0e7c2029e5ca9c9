#include "gfx/bitmap_font.h"

#include <gtest/gtest.h>

#include <string>

#include "support/bmp_file.h"
#include "support/font_bitmap.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

int GlyphIndex(char ch) {
    return ch - FONT_FIRST_CHAR;
}

class BitmapFontTest : public NullDisplayTest {
  protected:
    BitmapFont font;
    // Glyph widths 1..10 repeating, and 'A' the widest at 15.
    static FontLayout VariedLayout() {
        FontLayout layout;
        for (int i = 0; i < FONT_GLYPH_COUNT; ++i)
            layout.widths.push_back(1 + i % 10);
        layout.widths[static_cast<size_t>(GlyphIndex('A'))] = 15;
        return layout;
    }
    int Width(char ch) const { return font.glyphs[GlyphIndex(ch)].width; }
};

TEST_F(BitmapFontTest, MeasuresEveryGlyphAndDerivesSpaceAndGap) {
    FontLayout layout = VariedLayout();
    layout.separator = 3;
    layout.leading = 2;
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(layout)), 1);
    EXPECT_EQ(font.height, 8);
    for (int i = 0; i < FONT_GLYPH_COUNT; ++i) {
        ASSERT_EQ(font.glyphs[i].left, GlyphLeft(layout, i)) << "glyph " << i;
        ASSERT_EQ(font.glyphs[i].width, layout.widths[static_cast<size_t>(i)]) << "glyph " << i;
        ASSERT_EQ(font.glyphs[i].right, font.glyphs[i].left + font.glyphs[i].width);
    }
    EXPECT_EQ(font.spaceWidth, 7); // 15 * 0.5
    EXPECT_EQ(font.gap, 1);        // 15 * 0.1, truncated
    font.SetGap(3);
    EXPECT_EQ(font.CharAdvance('A'), 18);
}

TEST_F(BitmapFontTest, LastGlyphMayTouchTheRightEdge) {
    FontLayout layout = UniformLayout(4);
    layout.trailing = 0;
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(layout)), 1);
    EXPECT_EQ(font.glyphs[FONT_GLYPH_COUNT - 1].right, LayoutWidth(layout));
    EXPECT_EQ(Width('~'), 4);
}

TEST_F(BitmapFontTest, FewerThan94GlyphsAreRefused) {
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(4, 93))), 0);
    EXPECT_EQ(font.surface, nullptr);
    EXPECT_EQ(font.DrawChar(Back(), 'A', 0, 0), 0);
    EXPECT_EQ(font.TextWidth("AB"), 0);

    // Ending exactly at the edge after 93 glyphs is no better.
    FontLayout edge = UniformLayout(4, 93);
    edge.trailing = 0;
    EXPECT_EQ(font.LoadFontSurface(MakeFontBitmap(edge)), 0);
}

TEST_F(BitmapFontTest, OnlyAnAllBlueColumnSeparatesGlyphs) {
    // '"' is two ticks in different rows with no all-blue column between them: one glyph.
    FontLayout layout = UniformLayout(4);
    Surface* joined = MakeFontBitmap(layout);
    int quote = GlyphLeft(layout, GlyphIndex('"'));
    FillArea(joined, quote, 0, quote + 4, 8, kBlue);
    FillArea(joined, quote, 0, quote + 2, 3, kWhite);
    FillArea(joined, quote + 2, 5, quote + 4, 8, kWhite);
    ASSERT_EQ(font.LoadFontSurface(joined), 1);
    EXPECT_EQ(Width('"'), 4);
    EXPECT_EQ(font.glyphs[GlyphIndex('#')].left, GlyphLeft(layout, GlyphIndex('#')));

    // With a blue column inside, the second tick is measured as the next character.
    Surface* split = MakeFontBitmap(layout);
    FillArea(split, quote + 1, 0, quote + 2, 8, kBlue);
    ASSERT_EQ(font.LoadFontSurface(split), 1);
    EXPECT_EQ(Width('"'), 1);
    EXPECT_EQ(font.glyphs[GlyphIndex('#')].left, quote + 2);
    EXPECT_EQ(Width('#'), 2);
}

TEST_F(BitmapFontTest, DegenerateBitmapsAreRefused) {
    Surface* allBlue = MakeSurface(500, 1);
    FillSurface(allBlue, kBlue);
    EXPECT_EQ(font.LoadFontSurface(allBlue), 0);
    EXPECT_EQ(font.LoadFontSurface(nullptr), 0);
    EXPECT_EQ(font.LoadFont("no such font.bmp"), 0);

    FontLayout thin = UniformLayout(1);
    thin.height = 1;
    thin.separator = 1;
    EXPECT_EQ(font.LoadFontSurface(MakeFontBitmap(thin)), 1);
    EXPECT_EQ(font.spaceWidth, 0);
    EXPECT_EQ(font.gap, 0);
}

TEST_F(BitmapFontTest, AdvancesOfSpacesControlAndHighCharacters) {
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(VariedLayout())), 1);
    int a = Width('A'), b = Width('B');
    EXPECT_EQ(font.TextWidth("A B"), a + 1 + 7 + b + 1);
    EXPECT_EQ(font.CharAdvance('\t'), 7);
    EXPECT_EQ(font.CharAdvance('\x7f'), 0);
    EXPECT_EQ(font.CharAdvance('\xe9'), 7); // 8-bit text reads as below "!"
    EXPECT_EQ(font.DrawChar(Back(), '\xe9', 0, 0), 0);
    EXPECT_EQ(font.DrawChar(Back(), '\t', 0, 0), 0);
    EXPECT_EQ(font.DrawChar(Back(), ' ', 0, 0), 7);
    EXPECT_EQ(font.TextWidth(""), 0);
    EXPECT_EQ(font.TextWidth(nullptr), 0);
}

TEST_F(BitmapFontTest, DrawsGlyphsWithTheirGap) {
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(4))), 1);
    font.SetGap(2);
    EXPECT_EQ(font.DrawChar(Back(), 'x', 10, 20), 6);
    EXPECT_EQ(BackPixel(10, 20), kWhite);
    EXPECT_EQ(BackPixel(13, 27), kWhite);
    EXPECT_EQ(BackPixel(14, 20), kBlack);
    EXPECT_EQ(BackPixel(13, 28), kBlack);
}

TEST_F(BitmapFontTest, RightAlignedTextEndsAGapBeforeX) {
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(4))), 1);
    font.SetGap(2);
    EXPECT_EQ(font.DrawText(Back(), "123", 200, 0, ALIGN_RIGHT, -1), 1);
    // "3" covers 194..197, "2" 188..191, "1" 182..185.
    for (int x : {182, 185, 188, 191, 194, 197})
        EXPECT_EQ(BackPixel(x, 0), kWhite) << x;
    for (int x : {181, 186, 187, 192, 193, 198, 199, 200})
        EXPECT_EQ(BackPixel(x, 0), kBlack) << x;
}

TEST_F(BitmapFontTest, RightLimitStopsBeforeTheCharacterThatWouldReachIt) {
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(4))), 1);
    font.SetGap(2);
    // Advances of 6: "a" at 0, "b" at 6; "c" would end its advance at 18 = the limit.
    font.DrawText(Back(), "abcd", 0, 0, ALIGN_LEFT, 18);
    EXPECT_EQ(BackPixel(6, 0), kWhite);
    EXPECT_EQ(BackPixel(12, 0), kBlack);
    font.DrawText(Back(), "abcd", 0, 10, ALIGN_LEFT, 19);
    EXPECT_EQ(BackPixel(12, 10), kWhite);
    EXPECT_EQ(BackPixel(18, 10), kBlack);
    font.DrawText(Back(), "abcd", 0, 30, 2, -1); // no such alignment
    EXPECT_EQ(BackPixel(0, 30), kBlack);
}

TEST_F(BitmapFontTest, TextIsCutAt255Characters) {
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(1))), 1);
    font.SetGap(1);
    std::string text(300, 'i'); // advances of 2
    font.DrawText(Back(), text.c_str(), 0, 0, ALIGN_LEFT, -1);
    EXPECT_EQ(BackPixel(2 * 254, 0), kWhite);
    EXPECT_EQ(BackPixel(2 * 255, 0), kBlack);
}

TEST_F(BitmapFontTest, LoadsFromAFile) {
    TempDir dir;
    FontLayout layout = UniformLayout(3);
    int width = LayoutWidth(layout);
    WriteBytes(dir / "font.bmp", BmpBytes(width, 6, [&](int x, int) {
                   int column = x % 4; // 3 white columns, then one blue
                   return x < width - 1 && column < 3 ? Rgb{255, 255, 255} : Rgb{0, 0, 255};
               }));
    ASSERT_EQ(font.LoadFont((dir / "font.bmp").c_str()), 1);
    EXPECT_EQ(font.height, 6);
    EXPECT_EQ(font.glyphs[93].left, 93 * 4);
    // Reloading a missing file leaves an empty font.
    EXPECT_EQ(font.LoadFont((dir / "gone.bmp").c_str()), 0);
    EXPECT_EQ(font.surface, nullptr);
}

} // namespace
