#include "gfx/surface_functions.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/bmp_builder.h"
#include "support/temp_dir.h"
#include "zel/zel.h"

namespace {

uint16_t At(Surface* s, int x, int y) {
    return uint16_t(GetPixelValue(s, x, y));
}

void Put(Surface* s, int x, int y, uint16_t v) {
    reinterpret_cast<uint16_t*>(s->pixels + y * s->pitch)[x] = v;
}

// Pixels that say where they came from: y * 100 + x + 1 (never the blue key for small sizes).
Surface* Numbered(int w, int h) {
    Surface* s = MakeSurface(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Put(s, x, y, uint16_t(y * 100 + x + 1));
    return s;
}

void ReleaseFrames(FrameList& frames) {
    for (int i = 0; i < frames.Count(); ++i)
        ReleaseSurface(frames.Get(i));
}

TEST(SurfaceFunctionsTest, PixelValuesUseTheTopBitsOfEachComponent) {
    Surface* s = MakeSurface(1, 1);
    EXPECT_EQ(RGBToPixel(s, 0, 0, 255), 0x001F);
    EXPECT_EQ(RGBToPixel(s, 255, 255, 255), 0xFFFF);
    EXPECT_EQ(RGBToPixel(s, 255, 0, 0), 0xF800);
    EXPECT_EQ(RGBToPixel(s, 0, 255, 0), 0x07E0);
    EXPECT_EQ(RGBToPixel(s, 8, 4, 7), 0x0820);
    int r = 0, g = 0, b = 0, a = -1;
    ZelGetRGBABits(plat::GetPixelFormat(s), &r, &g, &b, &a);
    EXPECT_EQ(r, 5);
    EXPECT_EQ(g, 6);
    EXPECT_EQ(b, 5);
    EXPECT_EQ(a, 0);
    SetColorKeyRGB(s, 0, 0, 255);
    EXPECT_EQ(s->colorKey, 0x001F);
    ReleaseSurface(s);
}

TEST(SurfaceFunctionsTest, FreshSurfacesAreKeyedBlackAndMeasured) {
    Surface* s = MakeSurface(30, 20);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->hasColorKey);
    EXPECT_EQ(s->colorKey, 0);
    int w = 0, h = 0;
    GetSurfaceSize(s, &w, &h);
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 20);
    FillSurface(s, 0x1234);
    EXPECT_EQ(At(s, 29, 19), 0x1234);
    SurfaceDesc desc{};
    void* pixels = LockSurface(s, &desc);
    EXPECT_EQ(pixels, s->pixels);
    EXPECT_EQ(desc.width, 30);
    EXPECT_EQ(desc.height, 20);
    EXPECT_EQ(desc.pitch, s->pitch);
    EXPECT_EQ(desc.format.bitsPerPixel, 16);
    UnlockSurface(s);
    EXPECT_EQ(s->lockCount, 0);
    ReleaseSurface(s);
    EXPECT_EQ(MakeSurface(0, 5), nullptr);
}

TEST(SurfaceFunctionsTest, PixelReadsOfBothDepthsLeaveTheSurfaceUnlocked) {
    Surface* s = Numbered(5, 4);
    EXPECT_EQ(GetPixelValue(s, 4, 3), 3 * 100 + 4 + 1);
    EXPECT_EQ(GetPixelValue(s, 5, 0), 0);
    EXPECT_EQ(GetPixelValue(s, 0, -1), 0);
    EXPECT_EQ(s->lockCount, 0);
    ReleaseSurface(s);
    Surface* bytes = plat::CreateSurface(5, 4, 8);
    bytes->pixels[2 * bytes->pitch + 3] = 0xC8;
    EXPECT_EQ(GetPixelValue(bytes, 3, 2), 0xC8);
    EXPECT_EQ(GetPixelValue(bytes, 2, 3), 0);
    ReleaseSurface(bytes);
}

TEST(SurfaceFunctionsTest, CenterRectTruncatesHalves) {
    Surface* s = MakeSurface(20, 10);
    SurfaceRect r = CenterRect(s, 100, 100, 50, 50);
    EXPECT_EQ(r.left, 115);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right, 135);
    EXPECT_EQ(r.bottom, 130);
    ReleaseSurface(s);
    Surface* odd = MakeSurface(21, 11);
    r = CenterRect(odd, 0, 0, 5, 5);
    EXPECT_EQ(r.left, 2 - 10);
    EXPECT_EQ(r.top, 2 - 5);
    EXPECT_EQ(r.right, r.left + 21);
    EXPECT_EQ(r.bottom, r.top + 11);
    ReleaseSurface(odd);
}

TEST(SurfaceFunctionsTest, SplitDropsTheRemainderAndReportsColumns) {
    Surface* source = Numbered(100, 30);
    FrameList frames;
    int columns = -1;
    ASSERT_EQ(SplitSurface(source, &frames, 32, 30, &columns), 1);
    EXPECT_EQ(columns, 3);
    ASSERT_EQ(frames.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        Surface* frame = frames.Get(i);
        EXPECT_EQ(frame->width, 32);
        EXPECT_EQ(frame->colorKey, 0x001F);
        EXPECT_EQ(At(frame, 0, 0), 32 * i + 1);
        EXPECT_EQ(At(frame, 31, 29), 29 * 100 + 32 * i + 31 + 1);
    }
    ReleaseFrames(frames);
    ReleaseSurface(source);
}

TEST(SurfaceFunctionsTest, SplitGoesRowByRow) {
    Surface* source = MakeSurface(64, 64);
    const uint16_t quadrant[4] = {0x1111, 0x2222, 0x3333, 0x4444};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            Put(source, x, y, quadrant[(y / 32) * 2 + x / 32]);
    FrameList frames;
    ASSERT_EQ(SplitSurface(source, &frames, 32, 32), 1);
    ASSERT_EQ(frames.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(At(frames.Get(i), 0, 0), quadrant[i]);
        EXPECT_EQ(At(frames.Get(i), 31, 31), quadrant[i]);
    }
    ReleaseFrames(frames);

    // Frames larger than the source, or of no size, give none.
    FrameList none;
    int columns = -1;
    EXPECT_EQ(SplitSurface(source, &none, 65, 10, &columns), 1);
    EXPECT_EQ(columns, 0);
    EXPECT_EQ(SplitSurface(source, &none, 0, 10, &columns), 0);
    EXPECT_EQ(none.Count(), 0);
    ReleaseSurface(source);
}

class BltSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        source = Numbered(50, 50);
        SetColorKeyRGB(source, 0, 0, 255);
        target = MakeSurface(640, 480);
        FillSurface(target, 0x7777);
        plat::ClearWritten(target);
    }
    void TearDown() override {
        ReleaseSurface(source);
        ReleaseSurface(target);
    }
    // Checks that target rectangle `to` holds the source from (sx, sy) and nothing else changed.
    void ExpectCopied(SurfaceRect to, int sx, int sy) {
        // Read before the pixel checks: reading locks, and a lock marks the whole surface.
        EXPECT_EQ(target->written.left, to.left);
        EXPECT_EQ(target->written.top, to.top);
        EXPECT_EQ(target->written.right, to.right);
        EXPECT_EQ(target->written.bottom, to.bottom);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const bool inside = x >= to.left && x < to.right && y >= to.top && y < to.bottom;
                const int expected =
                    inside ? (y - to.top + sy) * 100 + (x - to.left + sx) + 1 : 0x7777;
                ASSERT_EQ(At(target, x, y), expected) << x << "," << y;
            }
    }
    Surface* source = nullptr;
    Surface* target = nullptr;
};

TEST_F(BltSurfaceTest, CutsFromTheLeftAndTop) {
    BltSurface(source, target, -10, -20);
    ExpectCopied(SurfaceRect{0, 0, 40, 30}, 10, 20);
}

TEST_F(BltSurfaceTest, CutsFromTheRightAndBottom) {
    BltSurface(source, target, 620, 470);
    ExpectCopied(SurfaceRect{620, 470, 640, 480}, 0, 0);
}

TEST_F(BltSurfaceTest, RegionLandsWhereAsked) {
    BltRegion(source, 5, 7, 10, 4, target, 300, 200);
    ExpectCopied(SurfaceRect{300, 200, 310, 204}, 5, 7);
}

TEST_F(BltSurfaceTest, WhollyOutsideDrawsNothing) {
    const int places[][2] = {{640, 0}, {-50, 0}, {0, 480}, {0, -50}, {-60, -60}, {700, 500}};
    for (const auto& p : places)
        BltSurface(source, target, p[0], p[1]);
    BltRegion(source, 40, 40, 20, 20, target, 0, 0); // reaches past the source
    BltSurface(nullptr, target, 0, 0);
    BltSurface(source, nullptr, 0, 0);
    EXPECT_FALSE(plat::HasWritten(target));
    EXPECT_EQ(At(target, 0, 0), 0x7777);
    EXPECT_EQ(At(target, 639, 479), 0x7777);
}

// Regions at the far ends of int: the clipping must neither wrap round onto the target nor
// lose a part that really is on it.
TEST_F(BltSurfaceTest, RegionsAtTheEndsOfIntClipWithoutWrapping) {
    constexpr int kMax = INT_MAX, kMin = INT_MIN;
    const struct {
        const char* name;
        int sx, sy, w, h, tx, ty;
        bool drawn;
    } cases[] = {
        {"target x near the top of int", 0, 0, 50, 50, kMax - 10, 0, false},
        {"target y near the top of int", 0, 0, 50, 50, 0, kMax - 10, false},
        {"target x near the bottom of int", 10, 0, 50, 50, kMin + 10, 0, false},
        {"source x far right, target left of the edge", kMax - 5, 0, 20, 20, -10, 0, false},
        {"source x far left, target past the right edge", kMin, 0, 20, 20, 630, 0, false},
        {"source y near the top of int", 0, kMax - 5, 20, 20, 0, 0, false},
        {"width up to the top of int", 5, 5, kMax, 10, 630, 100, true},
        {"height up to the top of int", 5, 5, 10, kMax, 100, 470, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FillSurface(target, 0x7777);
        plat::ClearWritten(target);
        BltRegion(source, c.sx, c.sy, c.w, c.h, target, c.tx, c.ty);
        if (c.drawn)
            ExpectCopied(SurfaceRect{c.tx, c.ty, c.tx + 10, c.ty + 10}, c.sx, c.sy);
        else
            EXPECT_FALSE(plat::HasWritten(target));
    }
}

TEST_F(BltSurfaceTest, BlueIsTransparentAndBlackIsDrawn) {
    Put(source, 0, 0, 0x001F);
    Put(source, 1, 0, 0x0000);
    BltSurface(source, target, 100, 100);
    EXPECT_EQ(At(target, 100, 100), 0x7777);
    EXPECT_EQ(At(target, 101, 100), 0x0000);
    EXPECT_EQ(At(target, 102, 100), 3);
}

uint32_t BlueBlackWhite(int x, int) {
    return x == 0 ? 0x0000FF : x == 1 ? 0x000000 : 0xFFFFFF;
}

TEST(LoadFramesTest, CutFramesFromAFileKeepBlueTransparent) {
    testing_support::TempDir dir;
    ASSERT_TRUE(bmp::Write(dir / "strip.bmp", bmp::Build(9, 2, 24, BlueBlackWhite)));
    FrameList frames;
    int columns = 0;
    ASSERT_EQ(LoadFrames((dir / "strip.bmp").c_str(), &frames, 3, 2, &columns), 1);
    EXPECT_EQ(columns, 3);
    ASSERT_EQ(frames.Count(), 3);
    Surface* target = MakeSurface(3, 2);
    FillSurface(target, 0x7777);
    BltSurface(frames.Get(0), target, 0, 0);
    EXPECT_EQ(At(target, 0, 1), 0x7777);
    EXPECT_EQ(At(target, 1, 1), 0x0000);
    EXPECT_EQ(At(target, 2, 1), 0xFFFF);
    ReleaseSurface(target);
    ReleaseFrames(frames);

    FrameList none;
    EXPECT_EQ(LoadFrames((dir / "missing.bmp").c_str(), &none, 3, 2), 0);
    EXPECT_EQ(none.Count(), 0);
}

} // namespace
