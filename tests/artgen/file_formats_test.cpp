// The generator's own file writers and readers, and the conversion of painted pixels into
// keyed 16-bit pictures.
#include <gtest/gtest.h>

#include "tools/artgen/bmp_file.h"
#include "tools/artgen/font_measure.h"
#include "tools/artgen/picture.h"
#include "tools/artgen/wav_file.h"

namespace {

using artgen::kKeyPixel;
using artgen::Picture;

// One byte of a good file changed.
struct Damage {
    const char* what;
    size_t at;
    unsigned char value;
};

TEST(Rgb565, NoOpaqueColourLandsOnTheKey) {
    for (int r = 0; r < 12; ++r) {
        for (int g = 0; g < 8; ++g) {
            for (int b = 200; b < 256; ++b) {
                EXPECT_NE(artgen::OpaquePixel(r, g, b), kKeyPixel) << r << "," << g << "," << b;
            }
        }
    }
    EXPECT_EQ(artgen::OpaquePixel(0, 0, 255), kKeyPixel - 1);
    EXPECT_EQ(artgen::OpaquePixel(255, 255, 255), 0xFFFF);
    EXPECT_EQ(artgen::OpaquePixel(0, 0, 0), 0x0000);
    EXPECT_EQ(artgen::OpaquePixel(255, 0, 0), 0xF800);
}

TEST(Bmp, RoundTripsOddWidthsWithRowPadding) {
    Picture picture(3, 2);
    picture.At(0, 0) = 0xF800;
    picture.At(2, 0) = 0x07E0;
    picture.At(1, 1) = 0x1234;
    std::vector<unsigned char> bytes = artgen::EncodeBmp(picture);
    EXPECT_EQ(bytes.size(), 66u + 2 * 8u); // headers, masks, two rows of 6 bytes padded to 8
    EXPECT_EQ(bytes[28], 16);              // bits per pixel
    EXPECT_EQ(bytes[30], 3);               // BI_BITFIELDS
    Picture back;
    ASSERT_TRUE(artgen::DecodeBmp(bytes, back));
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, picture.pixels);
    // Rows are stored bottom-up: the first stored row is the picture's last.
    EXPECT_EQ(bytes[66 + 2] | (bytes[66 + 3] << 8), 0x1234);
}

TEST(Bmp, RejectsDamagedOrForeignFiles) {
    std::vector<unsigned char> good = artgen::EncodeBmp(Picture(4, 4));
    const Damage damages[] = {
        {"magic", 0, 'X'}, {"depth", 28, 24}, {"width far beyond any picture", 21, 0x7F}};
    Picture out;
    for (const Damage& damage : damages) {
        std::vector<unsigned char> bytes = good;
        bytes[damage.at] = damage.value;
        EXPECT_FALSE(artgen::DecodeBmp(bytes, out)) << damage.what;
    }
    EXPECT_FALSE(artgen::DecodeBmp({good.begin(), good.end() - 3}, out)) << "truncated";
    EXPECT_FALSE(artgen::DecodeBmp({}, out));
}

TEST(Wav, RoundTripsStereoAndRejectsOtherFormats) {
    artgen::Sound sound;
    sound.rate = 44100;
    sound.channels = 2;
    sound.samples = {0, -1, 32767, -32767, 5, 6};
    std::vector<unsigned char> bytes = artgen::EncodeWav(sound);
    EXPECT_EQ(bytes.size(), 44u + 12u);
    artgen::Sound back;
    ASSERT_TRUE(artgen::DecodeWav(bytes, back));
    EXPECT_EQ(back.rate, 44100);
    EXPECT_EQ(back.channels, 2);
    EXPECT_EQ(back.samples, sound.samples);
    EXPECT_EQ(back.Frames(), 3u);

    const Damage damages[] = {{"8 bits", 34, 8}, {"compressed", 20, 3}, {"not WAVE", 8, 'X'}};
    for (const Damage& damage : damages) {
        std::vector<unsigned char> other = bytes;
        other[damage.at] = damage.value;
        EXPECT_FALSE(artgen::DecodeWav(other, back)) << damage.what;
    }
    EXPECT_FALSE(artgen::DecodeWav({bytes.begin(), bytes.begin() + 50}, back))
        << "data chunk longer than the file";
}

TEST(Flatten, BlendsEdgesOverTheMatteAndKeysWhatIsBarelyCovered) {
    artgen::Canvas canvas(4, 1);
    cairo_t* cr = canvas.Cr();
    const double alphas[4] = {1.0, 0.6, 0.3, 0.0};
    for (int x = 0; x < 4; ++x) {
        cairo_rectangle(cr, x, 0, 1, 1);
        cairo_set_source_rgba(cr, 1, 1, 1, alphas[x]);
        cairo_fill(cr);
    }
    Picture picture = artgen::Flatten(canvas, artgen::Matte::Flat(artgen::Rgb{1, 0, 0}), 0.5);
    EXPECT_EQ(picture.At(0, 0), 0xFFFF);
    // 60 % white over red: full red, about 60 % green and blue.
    int r = 0, g = 0, b = 0;
    artgen::PixelToRgb(picture.At(1, 0), r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_NEAR(g, 153, 6);
    EXPECT_NEAR(b, 153, 9);
    EXPECT_EQ(picture.At(2, 0), kKeyPixel);
    EXPECT_EQ(picture.At(3, 0), kKeyPixel);
}

TEST(Flatten, FillsSinglePixelHolesButKeepsLargerOnes) {
    artgen::Canvas canvas(7, 3);
    cairo_t* cr = canvas.Cr();
    cairo_rectangle(cr, 0, 0, 7, 3);
    cairo_set_source_rgb(cr, 0, 0.5, 0);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, 1, 1, 1, 1); // a one-pixel hole
    cairo_rectangle(cr, 4, 1, 2, 1); // a two-pixel window
    cairo_fill(cr);
    Picture picture = artgen::Flatten(canvas, artgen::Matte::Flat(artgen::Rgb{0, 0.5, 0}));
    EXPECT_NE(picture.At(1, 1), kKeyPixel);
    EXPECT_EQ(picture.At(4, 1), kKeyPixel);
    EXPECT_EQ(picture.At(5, 1), kKeyPixel);
}

TEST(FontMeasure, FindsRunsOfColumnsSeparatedByKeyColumns) {
    Picture font(9, 2);
    for (int x : {0, 1, 3, 6, 7, 8}) {
        font.At(x, x % 2) = 0x0001;
    }
    std::vector<artgen::GlyphSpan> glyphs = artgen::MeasureGlyphs(font);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[0].left, 0);
    EXPECT_EQ(glyphs[0].right, 2);
    EXPECT_EQ(glyphs[1].left, 3);
    EXPECT_EQ(glyphs[1].right, 4);
    EXPECT_EQ(glyphs[2].left, 6);
    EXPECT_EQ(glyphs[2].right, 9) << "a glyph touching the right edge ends there";
    EXPECT_TRUE(artgen::MeasureGlyphs(Picture(5, 3)).empty());
}

} // namespace
