#include "gfx/surface_functions.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

int At(Surface* s, int x, int y) {
    return GetPixelValue(s, x, y);
}

// Pixels that say where they came from, and are never the blue key or black.
int NumberAt(int x, int y) {
    return (y + 1) * 100 + x;
}

Surface* Numbered(int w, int h) {
    Surface* s = MakeSurface(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            reinterpret_cast<uint16_t*>(s->pixels + y * s->pitch)[x] = uint16_t(NumberAt(x, y));
    return s;
}

TEST(SurfaceFunctionsTest, ReadsPixelsOfBothDepthsAndSplitsRowByRowDroppingTheRemainder) {
    Surface* source = Numbered(100, 70); // 3 columns and 2 rows of 32 by 30, and a remainder
    EXPECT_EQ(RGBToPixel(source, 0, 0, 255), 0x001F);
    EXPECT_EQ(RGBToPixel(source, 8, 4, 7), 0x0820); // the top bits of each component
    EXPECT_TRUE(source->hasColorKey && source->colorKey == 0) << "fresh surfaces are keyed black";
    EXPECT_EQ(At(source, 99, 69), NumberAt(99, 69));
    EXPECT_EQ(At(source, 100, 0) + At(source, 0, 70) + At(source, -1, 0) + At(source, 0, -1), 0);
    EXPECT_EQ(source->lockCount, 0);
    Surface* bytes = plat::CreateSurface(5, 4, 8);
    bytes->pixels[2 * bytes->pitch + 3] = 0xC8;
    EXPECT_EQ(At(bytes, 3, 2), 0xC8);
    EXPECT_EQ(At(bytes, 2, 3), 0);
    ReleaseSurface(bytes);
    EXPECT_EQ(MakeSurface(0, 5), nullptr);
    Surface* odd = MakeSurface(21, 11);
    const SurfaceRect c = CenterRect(odd, 100, 100, 50, 5); // halves truncated
    EXPECT_EQ((std::vector<int>{c.left, c.top, c.right, c.bottom}),
              (std::vector<int>{115, 97, 136, 108}));
    ReleaseSurface(odd);

    FrameList frames;
    int columns = -1;
    ASSERT_EQ(SplitSurface(source, &frames, 32, 30, &columns), 1);
    EXPECT_EQ(columns, 3);
    ASSERT_EQ(frames.Count(), 6);
    for (int i = 0; i < 6; ++i) {
        const int left = 32 * (i % 3), top = 30 * (i / 3);
        EXPECT_EQ(frames.Get(i)->colorKey, 0x001F);
        EXPECT_EQ(At(frames.Get(i), 0, 0), NumberAt(left, top)) << "frame " << i;
        EXPECT_EQ(At(frames.Get(i), 31, 29), NumberAt(left + 31, top + 29)) << "frame " << i;
        ReleaseSurface(frames.Get(i));
    }
    // Frames larger than the source give none; frames of no size are refused.
    const int none[][4] = {{101, 10, 1, 0}, {10, 71, 1, 10}, {0, 10, 0, 0}, {10, -1, 0, 0}};
    for (const auto& c : none) {
        FrameList empty;
        EXPECT_EQ(SplitSurface(source, &empty, c[0], c[1], &columns), c[2]) << c[0] << "x" << c[1];
        EXPECT_EQ(columns, c[3]) << c[0] << "x" << c[1];
        EXPECT_EQ(empty.Count(), 0);
    }
    ReleaseSurface(source);
}

// Regions are clipped to the target only, each end cut off the target cut from the source; at
// the far ends of int the clipping must neither wrap round onto the target nor lose a part that
// really is on it.
TEST(BltSurfaceTest, RegionsClipToTheTargetWithoutWrapping) {
    constexpr int kMax = INT_MAX, kMin = INT_MIN;
    const struct {
        const char* name;
        int sx, sy, w, h, tx, ty;
        SurfaceRect drawn; // none when right is 0
    } cases[] = {{"inside", 5, 7, 10, 4, 30, 20, {30, 20, 40, 24}},
                 {"cut at the left and top", 0, 0, 50, 50, -10, -20, {0, 0, 40, 30}},
                 {"cut at the right and bottom", 0, 0, 50, 50, 80, 70, {80, 70, 100, 80}},
                 {"ending on the right and bottom edges", 0, 0, 50, 50, 50, 30, {50, 30, 100, 80}},
                 {"past the right edge", 0, 0, 50, 50, 100, 0, {}},
                 {"past the left edge", 0, 0, 50, 50, -50, 0, {}},
                 {"below the bottom edge", 0, 0, 50, 50, 0, 80, {}},
                 {"above the top edge", 0, 0, 50, 50, -60, -50, {}},
                 {"reaching past the source", 40, 40, 20, 20, 0, 0, {}},
                 {"target x near the top of int", 0, 0, 50, 50, kMax - 10, 0, {}},
                 {"target x near the bottom of int", 10, 0, 50, 50, kMin + 10, 0, {}},
                 {"source x far right, target left of the edge", kMax - 5, 0, 20, 20, -10, 0, {}},
                 {"source x far left, target past the right edge", kMin, 0, 20, 20, 90, 0, {}},
                 {"width up to the top of int", 5, 5, kMax, 10, 90, 40, {90, 40, 100, 50}}};
    Surface* source = Numbered(50, 50);
    SetColorKeyRGB(source, 0, 0, 255);
    Surface* target = MakeSurface(100, 80);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FillSurface(target, 0x7777);
        plat::ClearWritten(target);
        BltRegion(source, c.sx, c.sy, c.w, c.h, target, c.tx, c.ty);
        const SurfaceRect& to = c.drawn;
        // Read before the pixels: reading locks, and a lock marks the whole surface written.
        const SurfaceRect w = target->written;
        EXPECT_EQ((std::vector<int>{w.left, w.top, w.right, w.bottom}),
                  (std::vector<int>{to.left, to.top, to.right, to.bottom}));
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool in = x >= to.left && x < to.right && y >= to.top && y < to.bottom;
                const int expected = in ? NumberAt(c.sx + x - c.tx, c.sy + y - c.ty) : 0x7777;
                ASSERT_EQ(At(target, x, y), expected) << x << "," << y;
            }
    }
    plat::ClearWritten(target);
    BltSurface(nullptr, target, 0, 0);
    BltSurface(source, nullptr, 0, 0);
    EXPECT_FALSE(plat::HasWritten(target));
    ReleaseSurface(source);
    ReleaseSurface(target);
}

} // namespace
