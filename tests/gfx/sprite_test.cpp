#include "gfx/sprite.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "gfx/sprite_list.h"
#include "support/bmp_file.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

constexpr uint16_t kColours[] = {kRed, kGreen, kWhite, 0x1234, 0x4321};

// `count` frames of 40 by 20, each of its own colour.
void AddFrames(Sprite& sprite, int count) {
    for (int i = 0; i < count; ++i)
        sprite.AddFrame(SolidSurface(40, 20, kColours[i]));
}

using SpriteTest = NullDisplayTest;

// The frame shown first, then after each of `ticks` timer events that Animate follows.
std::string Play(Sprite& sprite, int ticks) {
    std::string seen = std::to_string(sprite.current);
    for (int t = 0; t < ticks; ++t) {
        TimerEvent();
        sprite.Animate();
        seen += ' ';
        seen += std::to_string(sprite.current);
    }
    return seen;
}

// Without a delay every tick moves the animation on; SpriteList's test plays one with a delay.
TEST_F(SpriteTest, EndModesInBothDirections) {
    const struct {
        const char* name;
        int frames, first, end, mode, step, from, ticks;
        const char* played;
        int running;
    } cases[] = {
        {"hold last", 5, 1, 4, SPRITE_END_HOLD_LAST, 1, 1, 3, "1 2 3 3", 0},
        {"back to first", 5, 1, 4, SPRITE_END_BACK_TO_FIRST, 1, 1, 3, "1 2 3 1", 0},
        {"loop: again from frame 0", 5, 1, 4, SPRITE_END_LOOP, 1, 1, 4, "1 2 3 0 1", 1},
        {"loop backwards", 4, 0, 4, SPRITE_END_LOOP, -1, 0, 4, "0 3 2 1 0", 1},
        {"hold last backwards: the first", 4, 0, 4, SPRITE_END_HOLD_LAST, -1, 1, 3, "1 0 0 0", 0},
        {"vanish backwards", 4, 0, 4, SPRITE_END_VANISH, -1, 0, 2, "0 -1 -1", 0},
        {"no frames: no animation", 0, -1, -1, SPRITE_END_LOOP, 1, 0, 2, "0 0 0", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sprite sprite;
        AddFrames(sprite, c.frames);
        sprite.SetRange(c.first, c.end);
        sprite.SetEndMode(c.mode);
        sprite.step = c.step;
        sprite.SetRunning(1);
        sprite.SetCurrent(c.from);
        EXPECT_EQ(Play(sprite, c.ticks), c.played);
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

TEST_F(SpriteTest, DrawsItsFrameWhereItStandsAndMarksWhatItCovered) {
    Sprite sprite;
    EXPECT_EQ(sprite.AddFrame(nullptr), 1);
    EXPECT_EQ(sprite.FrameCount(), 0);
    AddFrames(sprite, 2);
    sprite.centred = 1;
    sprite.x = 100.7f;
    sprite.y = 50.2f;
    plat::ClearWritten(Back());
    sprite.Draw(Back());
    const SurfaceRect w = Back()->written; // read before any pixel: a read marks it all
    EXPECT_EQ((std::vector<int>{w.left, w.top, w.right, w.bottom}),
              (std::vector<int>{80, 40, 120, 60}));
    const DirtyRect* drawn = dirtyRects.List(dirtyRects.Page()).Get(0);
    EXPECT_EQ((std::vector<int>{drawn->x, drawn->y, drawn->w, drawn->h, drawn->flags}),
              (std::vector<int>{80, 40, 40, 20, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET}));

    // Without a frame to show only the background under it is restored.
    Surface* background = SolidSurface(800, 600, kWhite);
    Surface* target = SolidSurface(800, 600, kBlack);
    dirtyRects.SetBackground(background);
    dirtyRects.SetTarget(target); // drops the one-shot marks
    sprite.centred = 0;
    sprite.restoreBackground = 1;
    sprite.SetPosition(10, 10);
    sprite.SetFrame(2); // no such frame: the current one stays
    EXPECT_EQ(sprite.current, 0);
    sprite.SetCurrent(-1);
    sprite.Draw(Back());
    EXPECT_EQ(GetPixelValue(target, 10, 10), kWhite);
    EXPECT_EQ(BackPixel(10, 10), kBlack);
    EXPECT_EQ(dirtyRects.List(dirtyRects.Page()).Count(), 1);
    sprite.restoreBackground = 0;
    sprite.SetFrame(1);
    sprite.SetMarkDirty(0);
    sprite.SetVisible(0);
    sprite.Draw(Back());
    EXPECT_EQ(BackPixel(10, 10), kBlack) << "hidden";
    sprite.SetVisible(1);
    sprite.DrawOnScreen(); // onto the dirty-rectangle target
    EXPECT_EQ(GetPixelValue(target, 10, 10), kGreen);
    EXPECT_EQ(dirtyRects.List(dirtyRects.Page()).Count(), 1);
    sprite.sizeMismatch = 0;
    sprite.AddFrame(SolidSurface(10, 20, kRed));
    EXPECT_EQ(sprite.sizeMismatch, 1);
    EXPECT_EQ(sprite.width, 10) << "the last frame's size is the sprite's";
    dirtyRects.Clear();
    ReleaseSurface(background);
    ReleaseSurface(target);
}

// A sprite sent far off every surface (a runaway position, one never set) draws nothing and
// repairs nothing, and converting its position stays defined behaviour.
TEST_F(SpriteTest, PositionsFarOffEverySurfaceDrawNothing) {
    dirtyRects.SetBackground(Back());
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
        sprite.AddFrame(SolidSurface(40, 20, kRed));
        sprite.x = c.x;
        sprite.y = c.y;
        sprite.centred = c.centred;
        sprite.restoreBackground = 1;
        sprite.Draw(Back());
        dirtyRects.Restore(Back());
        EXPECT_FALSE(plat::HasWritten(Back()));
    }
}

// Copies play from the first frame of their range and leave the list when they vanish.
TEST_F(SpriteTest, ListPlaysCopiesFindsStepsAndRemovesThem) {
    Sprite prototype;
    AddFrames(prototype, 5);
    prototype.SetName("flash");
    prototype.SetRange(0, 4);
    prototype.SetRunning(1);
    prototype.SetDelay(100);
    prototype.SetEndMode(SPRITE_END_VANISH);
    prototype.SetPosition(300, 300);
    prototype.SetCurrent(3);
    SpriteList list;
    EXPECT_EQ(list.FindByName("flash"), nullptr);
    list.UpdateAll(Back());
    list.StepAll();
    EXPECT_EQ(list.AddCopy(nullptr), nullptr);
    Wait(200);
    Sprite* copy = list.AddCopy(&prototype);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->current, 0);
    EXPECT_EQ(copy->frameTime, 200);
    std::vector<int> shown{kBlack};
    while (list.Count() > 0 && GetTicks() < 2000) {
        TimerEvent();
        list.UpdateAll(Back());
        if (shown.back() != BackPixel(300, 300))
            shown.push_back(BackPixel(300, 300));
    }
    EXPECT_EQ(GetTicks(), 200 + 4 * 110) << "each frame shown for the delay and one tick";
    EXPECT_EQ(shown, (std::vector<int>{kBlack, kRed, kGreen, kWhite, 0x1234}));

    // Copies move on their own and share the prototype's frames, which outlive them.
    prototype.SetEndMode(SPRITE_END_LOOP);
    prototype.vx = 2;
    Sprite* first = list.AddCopy(&prototype);
    list.AddCopy(&prototype);
    EXPECT_EQ(list.FindByName("flash"), first);
    EXPECT_EQ(first->FrameSurface(4), prototype.FrameSurface(4));
    first->Move();
    EXPECT_EQ(first->x - prototype.x, 2);
    Wait(10);
    dirtyRects.SetTarget(Back());
    list.StepAll();
    EXPECT_EQ(first->current, 1);
    EXPECT_EQ(BackPixel(300, 300), kGreen) << "each step is drawn on the screen";
    list.Remove("flash");
    list.Remove("nothing");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_NE(list.Get(0), first);
    prototype.Draw(Back());
    EXPECT_EQ(BackPixel(300, 300), kRed);
}

TEST_F(SpriteTest, FramesFromFiles) {
    TempDir dir;
    const std::string strip = dir / "strip.bmp", missing = dir / "cursor.bmp";
    WriteSolidBmp(strip, 200, 50, {255, 255, 255});
    Sprite across;
    EXPECT_EQ(across.LoadStrip(strip.c_str(), 4, 0), 4);
    EXPECT_EQ(across.width, 200) << "the whole width until fixed";
    EXPECT_EQ(across.end, 4);
    across.FixFrameWidth();
    EXPECT_EQ(across.width, 50);
    Sprite grid;
    EXPECT_EQ(grid.LoadFrames(strip.c_str(), 50, 25), 1);
    EXPECT_EQ((std::vector<int>{grid.FrameCount(), grid.width, grid.end}),
              (std::vector<int>{8, 50, 8}));

    Sprite bad;
    for (int count : {0, 300})
        EXPECT_EQ(bad.LoadStrip(strip.c_str(), count, 0), 0) << count;
    EXPECT_EQ(bad.LoadStrip(missing.c_str(), 2, 0), 0);
    EXPECT_EQ(bad.LoadFrames(missing.c_str(), 32, 32), 0);
    EXPECT_EQ(bad.LoadFrames(strip.c_str(), 0, 32), 0);
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
