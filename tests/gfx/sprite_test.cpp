#include "gfx/sprite.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "support/bmp_file.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

constexpr uint16_t kColours[] = {kRed, kGreen, kWhite, 0x1234, 0x4321};

class SpriteTest : public NullDisplayTest {
  protected:
    // `count` frames of 40 by 20, each of its own colour.
    static void AddFrames(Sprite& sprite, int count) {
        for (int i = 0; i < count; ++i)
            sprite.AddFrame(SolidSurface(40, 20, kColours[i]));
    }
    // The frames Animate shows over `ms` milliseconds: the first, then "frame@tick" for each
    // change.
    static std::string Play(Sprite& sprite, int ms) {
        std::string seen = std::to_string(sprite.current);
        for (int t = 0; t < ms; t += 10) {
            const int before = sprite.current;
            TimerEvent();
            sprite.Animate();
            char change[32];
            std::snprintf(change, sizeof change, " %d@%d", sprite.current, GetTicks());
            if (sprite.current != before)
                seen += change;
        }
        return seen;
    }
    // A background and a target for the dirty-rectangle list, released at the end of the test.
    void UseStillPictures(uint16_t backgroundColour, uint16_t targetColour) {
        background = SolidSurface(800, 600, backgroundColour);
        target = SolidSurface(800, 600, targetColour);
        dirtyRects.SetBackground(background);
        dirtyRects.SetTarget(target);
    }
    void TearDown() override {
        NullDisplayTest::TearDown();
        ReleaseSurface(background);
        ReleaseSurface(target);
    }
    Surface* background = nullptr;
    Surface* target = nullptr;
};

TEST_F(SpriteTest, EndModesInBothDirections) {
    const struct {
        const char* name;
        int frames, first, end, delay, mode, step, from, ms;
        const char* played;
        int running;
    } cases[] = {
        {"hold last", 5, 1, 4, 100, SPRITE_END_HOLD_LAST, 1, 1, 450, "1 2@110 3@220", 0},
        {"back to first", 5, 1, 4, 100, SPRITE_END_BACK_TO_FIRST, 1, 1, 450, "1 2@110 3@220 1@330",
         0},
        {"vanish", 5, 1, 4, 100, SPRITE_END_VANISH, 1, 1, 450, "1 2@110 3@220 -1@330", 0},
        {"loop: again from frame 0", 3, 0, 3, 100, SPRITE_END_LOOP, 1, 0, 450,
         "0 1@110 2@220 0@330 1@440", 1},
        {"loop backwards", 4, 0, 4, 0, SPRITE_END_LOOP, -1, 0, 40, "0 3@10 2@20 1@30 0@40", 1},
        {"hold last backwards: stops at the first", 4, 0, 4, 0, SPRITE_END_HOLD_LAST, -1, 1, 40,
         "1 0@10", 0},
        {"back to first backwards", 4, 0, 4, 0, SPRITE_END_BACK_TO_FIRST, -1, 1, 40, "1 0@10", 0},
        {"vanish backwards", 4, 0, 4, 0, SPRITE_END_VANISH, -1, 0, 40, "0 -1@10", 0},
        {"no frames: no animation", 0, -1, -1, 0, SPRITE_END_LOOP, 1, 0, 40, "0", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetTimerService();
        Sprite sprite;
        AddFrames(sprite, c.frames);
        sprite.SetRange(c.first, c.end);
        sprite.SetDelay(c.delay);
        sprite.SetEndMode(c.mode);
        sprite.step = c.step;
        sprite.SetRunning(1);
        sprite.SetCurrent(c.from);
        EXPECT_EQ(Play(sprite, c.ms), c.played);
        EXPECT_EQ(sprite.running, c.running);
    }
}

TEST_F(SpriteTest, StepWithAndWithoutWrap) {
    Sprite sprite;
    AddFrames(sprite, 3);
    sprite.SetDelay(50);
    // Milliseconds waited, wrap, step; then what Step returns and the frame it leaves. A step
    // moves the clock on by the delay, also where the last frame stays for want of wrap.
    const int steps[][5] = {{0, 0, 1, 0, 0},  {10, 0, 1, 1, 1}, {0, 0, 1, 0, 1},  {60, 0, 1, 1, 2},
                            {60, 0, 1, 1, 2}, {60, 1, 1, 1, 0}, {60, 1, -1, 1, 2}};
    for (const auto& s : steps) {
        Wait(s[0]);
        sprite.wrap = s[1];
        sprite.step = s[2];
        EXPECT_EQ(sprite.Step(), s[3]) << "at " << GetTicks();
        EXPECT_EQ(sprite.current, s[4]) << "at " << GetTicks();
        if (s[3]) {
            EXPECT_EQ(sprite.frameTime, GetTicks() + 50);
        }
    }
}

TEST_F(SpriteTest, CentredSpriteIsDrawnAndRepairedAroundItsCentre) {
    Sprite sprite;
    AddFrames(sprite, 1);
    sprite.centred = 1;
    sprite.x = 100.7f;
    sprite.y = 50.2f;
    sprite.Draw(Back());
    EXPECT_EQ(BackPixel(80, 40), kRed);
    EXPECT_EQ(BackPixel(119, 59), kRed);
    for (const auto& outside : {std::pair{79, 40}, {80, 39}, {120, 59}, {119, 60}})
        EXPECT_EQ(BackPixel(outside.first, outside.second), kBlack);
    const auto& list = dirtyRects.List(dirtyRects.Page());
    ASSERT_EQ(list.Count(), 1);
    const DirtyRect* drawn = list.Get(0);
    EXPECT_EQ((std::vector<int>{drawn->x, drawn->y, drawn->w, drawn->h, drawn->flags}),
              (std::vector<int>{80, 40, 40, 20, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET}));
}

// A sprite sent far off every surface (a runaway velocity, a position never set) draws nothing
// and repairs nothing, and converting its position stays defined behaviour.
TEST_F(SpriteTest, PositionsFarOffEverySurfaceDrawNothing) {
    UseStillPictures(kWhite, kBlack);
    dirtyRects.SetTarget(Back());
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* name;
        float x, y;
        int centred;
    } cases[] = {
        {"far right", 3e9f, 10, 0},          {"far left", -3e9f, 10, 0},
        {"far below, centred", 10, 3e9f, 1}, {"just past int", 2147483648.0f, 2147483648.0f, 0},
        {"infinite", inf, -inf, 0},          {"not a number", nan, nan, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        plat::ClearWritten(Back());
        Sprite sprite;
        AddFrames(sprite, 1);
        sprite.x = c.x;
        sprite.y = c.y;
        sprite.centred = c.centred;
        sprite.restoreBackground = 1;
        sprite.Draw(Back());
        dirtyRects.Restore(Back());
        EXPECT_FALSE(plat::HasWritten(Back()));
    }
}

TEST_F(SpriteTest, WithoutAValidFrameOrHiddenOnlyTheBackgroundIsRestored) {
    UseStillPictures(kWhite, kBlack);
    Sprite sprite;
    EXPECT_EQ(sprite.AddFrame(nullptr), 1);
    EXPECT_EQ(sprite.FrameCount(), 0);
    AddFrames(sprite, 2);
    sprite.SetPosition(10, 10);
    sprite.restoreBackground = 1;
    sprite.SetCurrent(-1);
    sprite.Draw(Back());
    EXPECT_EQ(GetPixelValue(target, 10, 10), kWhite); // repaired from the background
    EXPECT_EQ(BackPixel(10, 10), kBlack);             // nothing drawn
    EXPECT_EQ(dirtyRects.List(dirtyRects.Page()).Count(), 1);

    sprite.SetCurrent(2);
    sprite.SetMarkDirty(0);
    sprite.Draw(Back());
    EXPECT_EQ(BackPixel(10, 10), kBlack);
    EXPECT_EQ(dirtyRects.List(dirtyRects.Page()).Count(), 2);

    sprite.SetCurrent(1);
    sprite.SetVisible(0);
    sprite.Draw(Back());
    EXPECT_EQ(BackPixel(10, 10), kBlack);
    sprite.SetVisible(1);
    sprite.DrawOnScreen(); // onto the dirty-rectangle target
    EXPECT_EQ(GetPixelValue(target, 10, 10), kGreen);
    // A frame of another size is noticed, and the sprite takes its size.
    sprite.sizeMismatch = 0;
    sprite.AddFrame(SolidSurface(10, 20, kRed));
    EXPECT_EQ(sprite.sizeMismatch, 1);
    EXPECT_EQ(sprite.width, 10);
}

TEST_F(SpriteTest, ClonesShareFramesAndSurviveEachOther) {
    auto* prototype = new Sprite();
    AddFrames(*prototype, 2);
    prototype->SetName("flash");
    prototype->SetPosition(5, 5);
    prototype->vx = 2;
    auto* a = new Sprite(*prototype);
    auto* b = new Sprite(*prototype);
    EXPECT_EQ(a->FrameSurface(1), prototype->FrameSurface(1));
    EXPECT_STREQ(b->name, "flash");
    a->Move();
    EXPECT_EQ(a->x, 7);
    EXPECT_EQ(prototype->x, 5);
    delete a;
    delete b;
    prototype->Draw(Back()); // the frames are still the prototype's
    EXPECT_EQ(BackPixel(5, 5), kRed);
    delete prototype;
}

TEST_F(SpriteTest, FramesFromFiles) {
    TempDir dir;
    WriteSolidBmp(dir / "strip.bmp", 200, 50, {255, 255, 255});
    Sprite across;
    EXPECT_EQ(across.LoadStrip((dir / "strip.bmp").c_str(), 4, 0), 4);
    EXPECT_EQ(across.width, 200) << "the whole width until fixed";
    EXPECT_EQ(across.end, 4);
    across.FixFrameWidth();
    EXPECT_EQ(across.width, 50);
    Sprite down;
    ASSERT_EQ(down.LoadStrip((dir / "strip.bmp").c_str(), 5, 1), 5);
    EXPECT_EQ(down.FrameSurface(4)->height, 10);
    Sprite grid;
    EXPECT_EQ(grid.LoadFrames((dir / "strip.bmp").c_str(), 50, 25), 1);
    EXPECT_EQ(grid.FrameCount(), 8);
    EXPECT_EQ(grid.width, 50);
    EXPECT_EQ(grid.end, 8);

    Sprite bad;
    EXPECT_EQ(bad.LoadStrip((dir / "strip.bmp").c_str(), 0, 0), 0);
    EXPECT_EQ(bad.LoadStrip((dir / "strip.bmp").c_str(), 300, 0), 0);
    EXPECT_EQ(bad.LoadStrip((dir / "none.bmp").c_str(), 2, 0), 0);
    EXPECT_EQ(bad.LoadFrames((dir / "none.bmp").c_str(), 32, 32), 0);
    EXPECT_EQ(bad.LoadFrames((dir / "strip.bmp").c_str(), 0, 32), 0);
    bad.FixFrameWidth(); // no frames: nothing to divide by
    EXPECT_EQ(bad.FrameCount(), 0);

    const std::string missing = dir / "cursor.bmp";
    EXPECT_EQ(bad.AddFrameFromFile(missing.c_str()), 1);
    EXPECT_EQ(bad.FrameCount(), 0);
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_EQ(plat::null::MessageBoxes()[0], "ERROR: can't find file!|" + missing);
    WriteSolidBmp(missing, 8, 16, {0, 0, 0});
    bad.AddFrameFromFile(missing.c_str());
    EXPECT_EQ(bad.FrameCount(), 1);
    EXPECT_EQ(plat::null::MessageBoxes().size(), 1u);
}

} // namespace
