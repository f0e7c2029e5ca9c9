#include "platform/surface.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "support/bmp_builder.h"
#include "support/temp_dir.h"

namespace {

using plat::Rect;
using plat::Surface;

struct SurfaceDeleter {
    void operator()(Surface* s) const { plat::ReleaseSurface(s); }
};
using SurfacePtr = std::unique_ptr<Surface, SurfaceDeleter>;

SurfacePtr Make(int w, int h, int depth = 16) {
    return SurfacePtr(plat::CreateSurface(w, h, depth));
}

// A pixel of either depth.
unsigned At(const Surface* s, int x, int y) {
    const uint8_t* row = s->pixels + y * s->pitch;
    return s->depth == 8 ? row[x] : reinterpret_cast<const uint16_t*>(row)[x];
}
void Set(Surface* s, int x, int y, unsigned v) {
    uint8_t* row = s->pixels + y * s->pitch;
    if (s->depth == 8)
        row[x] = uint8_t(v);
    else
        reinterpret_cast<uint16_t*>(row)[x] = uint16_t(v);
}
bool AllEqual(const Surface* s, unsigned v) {
    for (int y = 0; y < s->height; ++y)
        for (int x = 0; x < s->width; ++x)
            if (At(s, x, y) != v)
                return false;
    return true;
}

TEST(SurfaceTest, NonsenseSizesDepthsAndRectanglesAreRefused) {
    EXPECT_EQ(plat::CreateSurface(0, 10), nullptr);
    EXPECT_EQ(plat::CreateSurface(10, -1), nullptr);
    EXPECT_EQ(plat::CreateSurface(10, 10, 24), nullptr);
    EXPECT_EQ(plat::CreateSurface(1 << 20, 1 << 20), nullptr);
    SurfacePtr odd = Make(3, 2);
    ASSERT_TRUE(odd);
    EXPECT_GE(odd->pitch, 6);
    EXPECT_EQ(odd->pitch % 4, 0);
    EXPECT_TRUE(AllEqual(odd.get(), 0));

    SurfacePtr src = Make(10, 10), dst = Make(20, 20), eight = Make(10, 10, 8);
    const Rect good{0, 0, 5, 5};
    const Rect refused[] = {
        {2, 2, 2, 7},    // empty width
        {2, 2, 7, 2},    // empty height
        {7, 2, 2, 7},    // inverted
        {-1, 0, 4, 5},   // left of the surface
        {0, -3, 5, 2},   // above
        {16, 0, 21, 5},  // past the right edge
        {0, 16, 5, 21},  // past the bottom
        {30, 30, 35, 35} // wholly outside
    };
    for (const Rect& r : refused) {
        EXPECT_FALSE(plat::Blt(dst.get(), &r, src.get(), &good, 0));
        EXPECT_FALSE(plat::Blt(dst.get(), &good, src.get(), &r, 0)) << r.left << "," << r.top;
        EXPECT_FALSE(plat::FillRect(dst.get(), &r, 0xFFFF));
    }
    EXPECT_FALSE(plat::Blt(dst.get(), &good, nullptr, &good, 0));
    EXPECT_FALSE(plat::Blt(dst.get(), &good, eight.get(), &good, 0)); // depths differ
    EXPECT_TRUE(AllEqual(dst.get(), 0));
    EXPECT_FALSE(plat::HasWritten(dst.get()));
    ASSERT_TRUE(plat::FillRect(eight.get(), &good, 0x1234));
    EXPECT_EQ(At(eight.get(), 4, 4), 0x34u);
    EXPECT_EQ(At(eight.get(), 5, 4), 0u);
}

// Every copy against the rule pixel by pixel: each destination pixel takes the source pixel at
// its centre's place (nearest neighbour when the sizes differ), except that with BLT_KEYSRC a
// source pixel equal to the source's key leaves the destination as it was. Row lengths run
// around the vectorised chunk sizes; a copy within one surface reads the pixels as they were.
TEST(SurfaceTest, CopiesFollowTheNearestPixelAndKeyRule) {
    const struct {
        const char* name;
        int depth;
        bool hasKey;
        uint32_t flags;
        int srcW, srcH;
        Rect from, to;       // the destination is 80 by 7; an empty `from` is the whole source
        bool within = false; // the source is the destination
    } cases[] = {
        {"plain", 16, true, 0, 9, 3, {}, {2, 1, 11, 4}},
        {"keyed", 16, true, plat::BLT_KEYSRC, 70, 3, {}, {3, 0, 73, 3}},
        {"flag without a key", 16, false, plat::BLT_KEYSRC, 9, 3, {}, {2, 1, 11, 4}},
        {"stretched up and keyed", 16, true, plat::BLT_KEYSRC, 4, 2, {}, {1, 1, 9, 5}},
        {"shrunk", 16, true, 0, 12, 6, {2, 1, 10, 5}, {0, 0, 4, 2}},
        {"eight bits keyed", 8, true, plat::BLT_KEYSRC, 70, 3, {}, {9, 2, 79, 5}},
        {"eight bits stretched", 8, true, plat::BLT_KEYSRC, 5, 3, {}, {0, 0, 13, 7}},
        {"overlapping", 16, true, plat::BLT_KEYSRC, 1, 1, {0, 0, 40, 5}, {3, 2, 43, 7}, true},
    };
    std::mt19937 random(7);
    for (const auto& c : cases) {
        const int lengths = c.srcW == 70 ? 70 : 1; // the keyed rows: every length up to 70
        for (int width = c.srcW - lengths + 1; width <= c.srcW; ++width) {
            SCOPED_TRACE(c.name + (lengths > 1 ? ", width " + std::to_string(width) : ""));
            SurfacePtr src = Make(width, c.srcH, c.depth), dst = Make(80, 7, c.depth);
            const unsigned key = c.depth == 8 ? 0x1F : plat::kBlueKey;
            for (Surface* s : {src.get(), dst.get()})
                for (int y = 0; y < s->height; ++y)
                    for (int x = 0; x < s->width; ++x)
                        Set(s, x, y, random() % 3 == 0 ? key : unsigned(random()));
            Surface* source = c.within ? dst.get() : src.get();
            if (c.hasKey)
                plat::SetColorKey(source, uint16_t(key));
            SurfacePtr before = Make(80, 7, c.depth);
            ASSERT_TRUE(plat::Blt(before.get(), nullptr, dst.get(), nullptr, 0));
            const Rect from = c.from.right ? c.from : Rect{0, 0, width, c.srcH};
            Rect to = c.to;
            to.right -= c.srcW - width;
            ASSERT_TRUE(plat::Blt(dst.get(), &to, source, c.from.right ? &from : nullptr, c.flags));
            const int dw = to.right - to.left, dh = to.bottom - to.top;
            const int sw = from.right - from.left, sh = from.bottom - from.top;
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 80; ++x) {
                    unsigned expected = At(before.get(), x, y);
                    if (x >= to.left && x < to.right && y >= to.top && y < to.bottom) {
                        const unsigned s = At(c.within ? before.get() : source,
                                              from.left + (2 * (x - to.left) + 1) * sw / (2 * dw),
                                              from.top + (2 * (y - to.top) + 1) * sh / (2 * dh));
                        if (!(c.hasKey && c.flags && s == key))
                            expected = s;
                    }
                    ASSERT_EQ(At(dst.get(), x, y), expected) << x << "," << y;
                }
        }
    }
}

// ---- Bitmap loading ----

uint32_t Pattern(int x, int y) {
    static const uint32_t colors[] = {0x0000FF, 0x000000, 0xFFFFFF, 0xFF0000,
                                      0x00FF00, 0x0000FA, 0x0402FF, 0x808080};
    return colors[(x + 3 * y) % 8];
}
uint16_t Expected565(uint32_t c) {
    switch (c) {
    case 0x0000FF:
        return 0x001F;
    case 0x0000FA:
    case 0x0402FF:
        return 0x001E; // near blue moved off the key
    default:
        return uint16_t((((c >> 16) & 0xFF) >> 3) << 11 | (((c >> 8) & 0xFF) >> 2) << 5 |
                        ((c & 0xFF) >> 3));
    }
}

SurfacePtr LoadBytes(const std::vector<uint8_t>& bytes, int depth = 16) {
    return SurfacePtr(plat::LoadBitmapBytes(bytes.data(), bytes.size(), depth));
}

// Every depth of file loads as 5-6-5 with blue as the key and a colour near blue moved off it
// (a 5-6-5 file holds near blue as blue already). Asked for 8 bits, a palette file keeps its
// indices, numbered in order of first appearance from the top row, and a true-colour one gets
// 3-3-2 bytes. Rows stored top-down load the same way up.
TEST(BitmapTest, EveryDepthLoadsAsRgb565WithBlueAsTheOnlyKey) {
    for (int bits : {8, 16, 24, 32}) {
        SurfacePtr s = LoadBytes(bmp::Build(13, 5, bits, Pattern));
        ASSERT_TRUE(s) << bits;
        ASSERT_EQ(s->width, 13);
        ASSERT_EQ(s->height, 5);
        EXPECT_TRUE(s->hasColorKey);
        EXPECT_EQ(s->colorKey, plat::kBlueKey);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x) {
                uint32_t c = Pattern(x, y);
                if (bits == 16)
                    c = (c == 0x0000FA || c == 0x0402FF) ? 0x0000FF : c;
                ASSERT_EQ(At(s.get(), x, y), Expected565(c))
                    << bits << " bits at " << x << "," << y;
            }
    }

    const auto palette = bmp::Build(4, 2, 8, [](int x, int y) { return uint32_t(x + 10 * y); });
    SurfacePtr s = LoadBytes(palette, 8);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->depth, 8);
    EXPECT_EQ(At(s.get(), 3, 0), 3u);
    EXPECT_EQ(At(s.get(), 2, 1), 6u);
    s = LoadBytes(bmp::Build(2, 1, 24, [](int x, int) { return x ? 0xFFFFFFu : 0xFF0000u; }), 8);
    ASSERT_TRUE(s);
    EXPECT_EQ(At(s.get(), 0, 0), 0xE0u);
    EXPECT_EQ(At(s.get(), 1, 0), 0xFFu);

    auto topDown = bmp::Build(3, 2, 24, [](int, int y) { return y ? 0xFFFFFFu : 0u; });
    std::swap_ranges(topDown.begin() + 54, topDown.begin() + 66, topDown.begin() + 66);
    const int32_t minusTwo = -2;
    std::memcpy(topDown.data() + 22, &minusTwo, 4);
    s = LoadBytes(topDown);
    ASSERT_TRUE(s);
    EXPECT_EQ(At(s.get(), 0, 0), 0x0000u);
    EXPECT_EQ(At(s.get(), 0, 1), 0xFFFFu);
}

TEST(BitmapTest, DamagedDataGivesNull) {
    const auto good = bmp::Build(16, 16, 24, Pattern);
    auto huge = good; // a header claiming a vast picture, refused before any allocation
    huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;
    const std::vector<uint8_t> damaged[] = {{good.begin(), good.begin() + 10},
                                            {good.begin(), good.begin() + 54},
                                            huge,
                                            std::vector<uint8_t>(good.size(), 0x5A),
                                            {}};
    for (const auto& bytes : damaged)
        EXPECT_FALSE(LoadBytes(bytes)) << bytes.size() << " bytes";
    EXPECT_EQ(plat::LoadBitmapBytes(nullptr, 10), nullptr);
    EXPECT_FALSE(LoadBytes(good, 24)); // only 16 and 8 bits
}

// A picture that cannot be loaded gives null and one line on standard error naming the file
// and the reason, so that a broken install is not only a black window.
TEST(BitmapTest, FilesLoadLikeTheirBytesAndFailuresAreToldOnce) {
    testing_support::TempDir dir;
    const std::string path = dir / "pic.bmp";
    const auto bytes = bmp::Build(7, 3, 24, Pattern);
    ASSERT_TRUE(bmp::Write(path, bytes));
    testing::internal::CaptureStderr();
    SurfacePtr s(plat::LoadBitmapFile(path.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(s && At(s.get(), 6, 2) == Expected565(Pattern(6, 2)));

    ASSERT_TRUE(bmp::Write(dir / "cut.bmp", {bytes.begin(), bytes.begin() + 60}));
    ASSERT_EQ(mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
    const struct {
        const char* name;
        const char* reason;
    } failures[] = {{"absent.bmp", "No such file or directory"},
                    {"cut.bmp", "not a BMP picture, or damaged"},
                    {"pipe.bmp", "not a regular file"}};
    for (const auto& f : failures) {
        const std::string file = dir / f.name;
        testing::internal::CaptureStderr();
        EXPECT_EQ(plat::LoadBitmapFile(file.c_str()), nullptr) << f.name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "cannot load picture \"" + file + "\": " + f.reason + "\n");
    }
    // A screen loads its still picture twice; a missing one is still one problem.
    testing::internal::CaptureStderr();
    EXPECT_EQ(plat::LoadBitmapFile((dir / "absent.bmp").c_str()), nullptr);
    EXPECT_EQ(plat::LoadBitmapFile(""), nullptr);
    EXPECT_EQ(plat::LoadBitmapFile(nullptr), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
