// The generator's file writers, byte by byte as the programs' loaders read them, and the
// conversion of painted pixels into keyed 16-bit pictures.
#include <gtest/gtest.h>

#include "tools/artgen/bmp_file.h"
#include "tools/artgen/picture.h"
#include "tools/artgen/wav_file.h"

namespace {

using artgen::kKeyPixel;
using artgen::Picture;

struct Field {
    const char* what;
    size_t at, size; // little-endian, 2 or 4 bytes
    uint32_t value;
};

void ExpectFields(const std::vector<unsigned char>& bytes, std::initializer_list<Field> fields) {
    for (const Field& field : fields) {
        uint32_t value = 0;
        for (size_t i = field.size; i-- > 0;)
            value = value << 8 | bytes.at(field.at + i);
        EXPECT_EQ(value, field.value) << field.what;
    }
}

TEST(Rgb565, NoOpaqueColourLandsOnTheKey) {
    for (int r = 0; r < 12; ++r) {
        for (int g = 0; g < 8; ++g) {
            for (int b = 200; b < 256; ++b)
                EXPECT_NE(artgen::OpaquePixel(r, g, b), kKeyPixel) << r << "," << g << "," << b;
        }
    }
    EXPECT_EQ(artgen::OpaquePixel(0, 0, 255), kKeyPixel - 1);
    EXPECT_EQ(artgen::OpaquePixel(255, 0, 0), 0xF800);
}

// An odd width: headers and masks, then two rows of 6 bytes padded to 8, stored bottom-up.
TEST(Bmp, WritesRgb565RowsBottomUpPaddedToFourBytes) {
    Picture picture(3, 2);
    picture.At(0, 0) = 0xF800;
    picture.At(1, 1) = 0x1234;
    std::vector<unsigned char> bytes = artgen::EncodeBmp(picture);
    ASSERT_EQ(bytes.size(), 66u + 2 * 8u);
    EXPECT_EQ(bytes[0] + bytes[1] * 256, 'B' + 'M' * 256);
    ExpectFields(bytes, {{"file size", 2, 4, 82},
                         {"pixels' offset", 10, 4, 66},
                         {"header size", 14, 4, 40},
                         {"width", 18, 4, 3},
                         {"height, bottom-up", 22, 4, 2},
                         {"bits", 28, 2, 16},
                         {"BI_BITFIELDS", 30, 4, 3},
                         {"red mask", 54, 4, 0xF800},
                         {"green mask", 58, 4, 0x07E0},
                         {"blue mask", 62, 4, 0x001F},
                         {"last row", 66, 4, 0x1234u << 16 | kKeyPixel},
                         {"its padding", 72, 2, 0},
                         {"first row", 74, 2, 0xF800}});
}

TEST(Wav, WritesOneFormatAndOneDataChunkOfInterleavedSamples) {
    std::vector<unsigned char> bytes = artgen::EncodeWav({44100, 2, {0, -1, 32767, -32767, 5, 6}});
    ASSERT_EQ(bytes.size(), 44u + 12u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
    ExpectFields(bytes, {{"RIFF size", 4, 4, 48},
                         {"format size", 16, 4, 16},
                         {"PCM", 20, 2, 1},
                         {"channels", 22, 2, 2},
                         {"rate", 24, 4, 44100},
                         {"bytes a second", 28, 4, 44100 * 4},
                         {"block alignment", 32, 2, 4},
                         {"bits", 34, 2, 16},
                         {"data size", 40, 4, 12},
                         {"-1", 46, 2, 0xFFFF},
                         {"-32767", 50, 2, 0x8001}});
}

// White at four coverages over red: the edge blends over the matte, what is barely covered
// becomes the key. (That key pixels walled in are filled, the generated pictures show.)
TEST(Flatten, BlendsEdgesOverTheMatteAndKeysWhatIsBarelyCovered) {
    artgen::Canvas canvas(4, 1);
    const double alphas[4] = {1.0, 0.6, 0.3, 0.0};
    for (int x = 0; x < 4; ++x) {
        cairo_rectangle(canvas.Cr(), x, 0, 1, 1);
        cairo_set_source_rgba(canvas.Cr(), 1, 1, 1, alphas[x]);
        cairo_fill(canvas.Cr());
    }
    Picture picture = artgen::Flatten(canvas, artgen::Matte::Flat(artgen::Rgb{1, 0, 0}), 0.5);
    EXPECT_EQ(picture.At(0, 0), 0xFFFF);
    int r = 0, g = 0, b = 0;
    artgen::PixelToRgb(picture.At(1, 0), r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_NEAR(g, 153, 6);
    EXPECT_NEAR(b, 153, 9);
    EXPECT_EQ(picture.At(2, 0), kKeyPixel);
    EXPECT_EQ(picture.At(3, 0), kKeyPixel);
}

} // namespace
