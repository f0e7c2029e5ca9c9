#include "gfx/bitmap_font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "support/font_bitmap.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

class BitmapFontTest : public NullDisplayTest {
  protected:
    BitmapFont font;
    // Columns [from, to) of row y of the back surface: '#' where white, '.' elsewhere.
    static std::string Row(int y, int from, int to) {
        std::string row;
        for (int x = from; x < to; ++x)
            row += BackPixel(x, y) == kWhite ? '#' : '.';
        return row;
    }
};

TEST_F(BitmapFontTest, MeasuresEveryGlyphAndAdvancesByItsWidthAndTheGap) {
    // Glyph widths 1..10 repeating, and 'A' the widest at 15: space 7, gap 1.
    FontLayout layout;
    for (int i = 0; i < FONT_GLYPH_COUNT; ++i)
        layout.widths.push_back(1 + i % 10);
    layout.widths[static_cast<size_t>('A' - FONT_FIRST_CHAR)] = 15;
    layout.separator = 3;
    layout.trailing = 0; // the last glyph touches the right edge
    Surface* bitmap = MakeFontBitmap(layout);
    // Only a column blue in every row ends a glyph: '"' is two ticks in different rows.
    const int quote = GlyphLeft(layout, '"' - FONT_FIRST_CHAR);
    FillArea(bitmap, quote, 3, quote + 1, 8, kBlue);
    FillArea(bitmap, quote + 1, 0, quote + 2, 5, kBlue);
    ASSERT_EQ(font.LoadFontSurface(bitmap), 1);
    EXPECT_EQ(font.height, 8);
    for (int i = 0; i < FONT_GLYPH_COUNT; ++i) {
        const int width = layout.widths[static_cast<size_t>(i)];
        ASSERT_EQ(font.glyphs[i].left, GlyphLeft(layout, i)) << "glyph " << i;
        ASSERT_EQ(font.glyphs[i].width, width) << "glyph " << i;
        ASSERT_EQ(font.glyphs[i].right, GlyphLeft(layout, i) + width) << "glyph " << i;
    }
    EXPECT_EQ(font.spaceWidth, 7); // 15 * 0.5
    EXPECT_EQ(font.gap, 1);        // 15 * 0.1, truncated
    // Character, its advance, and what drawing it advances; 8-bit text reads as below "!".
    const int cases[][3] = {{'A', 16, 16}, {' ', 7, 7}, {'\t', 7, 0}, {0x7f, 0, 0}, {-23, 7, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(font.CharAdvance(char(c[0])), c[1]) << c[0];
        EXPECT_EQ(font.DrawChar(Back(), char(c[0]), 0, 0), c[2]) << c[0];
    }
    EXPECT_EQ(font.TextWidth("A B"), 16 + 7 + 5); // 'B' is 4 wide
    EXPECT_EQ(font.TextWidth(""), 0);
    EXPECT_EQ(font.TextWidth(nullptr), 0);
}

TEST_F(BitmapFontTest, RefusedBitmapsLeaveAFontThatDrawsNothing) {
    FontLayout edge = UniformLayout(4, 93);
    edge.trailing = 0;
    Surface* allBlue = MakeSurface(500, 1);
    FillSurface(allBlue, kBlue);
    const std::pair<const char*, std::function<int()>> cases[] = {
        {"93 glyphs", [&] { return font.LoadFontSurface(MakeFontBitmap(UniformLayout(4, 93))); }},
        {"93, the last at the edge", [&] { return font.LoadFontSurface(MakeFontBitmap(edge)); }},
        {"all blue", [&] { return font.LoadFontSurface(allBlue); }},
        {"no bitmap", [&] { return font.LoadFontSurface(nullptr); }},
        {"no file", [&] { return font.LoadFont("no such font.bmp"); }}};
    for (const auto& [name, load] : cases) {
        ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(4))), 1);
        EXPECT_EQ(load(), 0) << name;
        EXPECT_EQ(font.surface, nullptr) << name;
        EXPECT_EQ(font.DrawChar(Back(), 'A', 0, 0) + font.TextWidth("AB"), 0) << name;
    }
}

TEST_F(BitmapFontTest, DrawsTextWithItsGapsAlignmentAndLimit) {
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(4))), 1);
    font.SetGap(2); // advances of 6
    const struct {
        const char* name;
        const char* text;
        int x, alignment, limit, from;
        const char* row;
    } cases[] = {
        {"left", "ab", 10, ALIGN_LEFT, -1, 9, ".####..####."},
        {"right aligned: ends a gap before x", "123", 200, ALIGN_RIGHT, -1, 181,
         ".####..####..####..."},
        {"a character whose advance reaches the limit is left out", "abcd", 0, ALIGN_LEFT, 18, 0,
         "####..####........"},
        {"one more column lets it in", "abcd", 0, ALIGN_LEFT, 19, 0, "####..####..####......"},
        {"no such alignment", "abcd", 0, 2, -1, 0, "......"}};
    int y = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(font.DrawText(Back(), c.text, c.x, y, c.alignment, c.limit), 1);
        EXPECT_EQ(Row(y, c.from, c.from + int(std::strlen(c.row))), c.row) << c.name;
        y += 10;
    }
    EXPECT_EQ(Row(7, 10, 14), "####") << "glyphs are 8 rows high";
    EXPECT_EQ(Row(8, 10, 14), "....");
    // Text is cut at 255 characters: of 300 glyphs 1 wide advancing 2, the 255th is the last.
    ASSERT_EQ(font.LoadFontSurface(MakeFontBitmap(UniformLayout(1))), 1);
    font.SetGap(1);
    font.DrawText(Back(), std::string(300, 'i').c_str(), 0, 100, ALIGN_LEFT, -1);
    EXPECT_EQ(Row(100, 2 * 254, 2 * 255 + 1), "#..");
}

} // namespace
