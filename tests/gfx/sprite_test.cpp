#include "gfx/sprite.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "support/bmp_file.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

using SpriteTest = NullDisplayTest;

TEST_F(SpriteTest, DrawsItsFrameWhereItStandsMarksWhatItCoveredAndSharesItWithClones) {
    Sprite sprite;
    EXPECT_EQ(sprite.AddFrame(nullptr), 1);
    EXPECT_EQ(sprite.FrameCount(), 0);
    sprite.AddFrame(SolidSurface(40, 20, kRed));
    sprite.AddFrame(SolidSurface(40, 20, kGreen));
    sprite.x = 80.7f;
    sprite.y = 40.2f;
    plat::ClearWritten(Back());
    sprite.Draw(Back());
    const SurfaceRect w = Back()->written; // read before any pixel: a read marks it all
    EXPECT_EQ((std::vector<int>{w.left, w.top, w.right, w.bottom}),
              (std::vector<int>{80, 40, 120, 60}));
    EXPECT_EQ(BackPixel(80, 40), kRed);
    const DirtyRect* drawn = dirtyRects.List(dirtyRects.Page()).Get(0);
    EXPECT_EQ((std::vector<int>{drawn->x, drawn->y, drawn->w, drawn->h, drawn->flags}),
              (std::vector<int>{80, 40, 40, 20, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET}));

    // Without a frame to show nothing is drawn or marked.
    sprite.SetPosition(10, 10);
    sprite.SetFrame(2); // no such frame: the current one stays
    EXPECT_EQ(sprite.current, 0);
    sprite.SetCurrent(-1);
    sprite.Draw(Back());
    EXPECT_EQ(BackPixel(10, 10), kBlack);
    EXPECT_EQ(dirtyRects.List(dirtyRects.Page()).Count(), 1);
    sprite.SetFrame(1);
    sprite.SetMarkDirty(0);
    Surface* target = SolidSurface(800, 600, kBlack);
    dirtyRects.SetTarget(target);
    sprite.DrawOnScreen(); // onto the dirty-rectangle target
    EXPECT_EQ(GetPixelValue(target, 10, 10), kGreen);
    EXPECT_EQ(dirtyRects.List(dirtyRects.Page()).Count(), 0) << "SetTarget dropped the mark";
    sprite.AddFrame(SolidSurface(10, 20, kRed));
    EXPECT_EQ(sprite.width, 10) << "the last frame's size is the sprite's";
    dirtyRects.Clear();
    ReleaseSurface(target);

    // Clones share the frames and leave them to the prototype when they go.
    for (int i = 0; i < 2; ++i) {
        Sprite clone(sprite);
        EXPECT_EQ(clone.FrameSurface(1), sprite.FrameSurface(1));
        clone.SetPosition(30, 30);
        EXPECT_EQ(sprite.x, 10);
    }
    sprite.Draw(Back());
    EXPECT_EQ(BackPixel(10, 10), kGreen);
}

// A sprite sent far off every surface (a runaway position, one never set) draws nothing and
// its mark copies nothing back, and converting its position stays defined behaviour.
TEST_F(SpriteTest, PositionsFarOffEverySurfaceDrawNothing) {
    dirtyRects.SetTarget(Back());
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* name;
        float x, y;
    } cases[] = {
        {"far right", 3e9f, 10}, {"far left", -3e9f, 10},
        {"far below", 10, 3e9f}, {"just past int", 2147483648.0f, 2147483648.0f},
        {"infinite", inf, -inf}, {"not a number", nan, nan},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        plat::ClearWritten(Back());
        Sprite sprite;
        sprite.AddFrame(SolidSurface(40, 20, kRed));
        sprite.x = c.x;
        sprite.y = c.y;
        sprite.Draw(Back());
        dirtyRects.Restore(Back());
        EXPECT_FALSE(plat::HasWritten(Back()));
    }
}

TEST_F(SpriteTest, FramesFromFiles) {
    TempDir dir;
    const std::string strip = dir / "strip.bmp", missing = dir / "cursor.bmp";
    WriteSolidBmp(strip, 200, 50, {255, 255, 255});
    Sprite across;
    EXPECT_EQ(across.LoadStrip(strip.c_str(), 4, 0), 4);
    EXPECT_EQ(across.width, 200) << "the whole width until fixed";
    across.FixFrameWidth();
    EXPECT_EQ(across.width, 50);

    Sprite bad;
    for (int count : {0, 300})
        EXPECT_EQ(bad.LoadStrip(strip.c_str(), count, 0), 0) << count;
    EXPECT_EQ(bad.LoadStrip(missing.c_str(), 2, 0), 0);
    bad.FixFrameWidth(); // no frames: nothing to divide by
    EXPECT_EQ(bad.FrameCount(), 0);
    EXPECT_EQ(bad.AddFrameFromFile(missing.c_str()), 1);
    EXPECT_EQ(bad.FrameCount(), 0);
    EXPECT_EQ(plat::null::MessageBoxes(),
              std::vector<std::string>{"ERROR: can't find file!|" + missing});
    WriteSolidBmp(missing, 8, 16, {0, 0, 0});
    bad.AddFrameFromFile(missing.c_str());
    EXPECT_EQ(bad.FrameCount(), 1);
    EXPECT_EQ(plat::null::MessageBoxes().size(), 1u);
}

} // namespace
