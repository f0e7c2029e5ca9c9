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

class SpriteTest : public NullDisplayTest {
  protected:
    // A sprite with `count` frames of 40 by 20, each of its own colour.
    static void AddFrames(Sprite& sprite, int count) {
        for (int i = 0; i < count; ++i)
            sprite.AddFrame(SolidSurface(40, 20, kColours[i]));
    }
    // The frames Animate shows over `ms` milliseconds, one entry per change.
    static std::vector<int> Play(Sprite& sprite, int ms) {
        std::vector<int> seen{sprite.current};
        for (int t = 0; t < ms; t += 10) {
            TimerEvent();
            sprite.Animate();
            if (sprite.current != seen.back())
                seen.push_back(sprite.current);
        }
        return seen;
    }
    static void Start(Sprite& sprite, int mode, int step, int from) {
        sprite.SetEndMode(mode);
        sprite.step = step;
        sprite.SetRunning(1);
        sprite.SetCurrent(from);
        sprite.frameTime = GetTicks();
    }
};

TEST_F(SpriteTest, AddFrameSetsSizeRangeBoundsAndNoticesMismatch) {
    Sprite sprite;
    EXPECT_EQ(sprite.first, -1);
    EXPECT_EQ(sprite.AddFrame(nullptr), 1);
    EXPECT_EQ(sprite.FrameCount(), 0);
    AddFrames(sprite, 2);
    EXPECT_EQ(sprite.width, 40);
    EXPECT_EQ(sprite.height, 20);
    EXPECT_EQ(sprite.first, 0);
    EXPECT_EQ(sprite.end, 2);
    EXPECT_EQ(sprite.bounds.right, 40);
    sprite.sizeMismatch = 0;
    sprite.AddFrame(SolidSurface(10, 20, kRed));
    EXPECT_EQ(sprite.sizeMismatch, 1);
    EXPECT_EQ(sprite.width, 10);
}

TEST_F(SpriteTest, EndModesForwards) {
    struct Case {
        int mode;
        std::vector<int> frames;
        int running;
    };
    const Case cases[] = {
        {SPRITE_END_HOLD_LAST, {1, 2, 3}, 0},
        {SPRITE_END_BACK_TO_FIRST, {1, 2, 3, 1}, 0},
        {SPRITE_END_VANISH, {1, 2, 3, -1}, 0},
    };
    for (const Case& c : cases) {
        Sprite sprite;
        AddFrames(sprite, 5);
        sprite.SetRange(1, 4);
        sprite.SetDelay(100);
        Start(sprite, c.mode, 1, 1);
        std::vector<int> expected{1};
        expected.insert(expected.end(), c.frames.begin() + 1, c.frames.end());
        EXPECT_EQ(Play(sprite, 1000), expected) << "end mode " << c.mode;
        EXPECT_EQ(sprite.running, c.running);
    }
}

TEST_F(SpriteTest, LoopingStartsAgainAtFrameZeroAndStepsOnlyAfterTheDelay) {
    Sprite sprite;
    AddFrames(sprite, 3);
    sprite.SetDelay(100);
    Start(sprite, SPRITE_END_LOOP, 1, 0);
    Wait(100);
    sprite.Animate(); // exactly the delay: not yet
    EXPECT_EQ(sprite.current, 0);
    Wait(10);
    sprite.Animate();
    EXPECT_EQ(sprite.current, 1);
    EXPECT_EQ(Play(sprite, 330), (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(sprite.running, 1);
}

TEST_F(SpriteTest, EndModesBackwards) {
    Sprite loop;
    AddFrames(loop, 4);
    Start(loop, SPRITE_END_LOOP, -1, 0);
    Wait(10);
    loop.Animate();
    EXPECT_EQ(loop.current, 3);

    // Running off the front stops at the first frame, not the last, in both one-shot modes.
    for (int mode : {SPRITE_END_HOLD_LAST, SPRITE_END_BACK_TO_FIRST}) {
        Sprite sprite;
        AddFrames(sprite, 4);
        Start(sprite, mode, -1, 1);
        Wait(10);
        sprite.Animate();
        EXPECT_EQ(sprite.current, 0) << "end mode " << mode;
        EXPECT_EQ(sprite.running, 1);
        Wait(10);
        sprite.Animate();
        EXPECT_EQ(sprite.current, 0) << "end mode " << mode;
        EXPECT_EQ(sprite.running, 0);
    }

    Sprite vanish;
    AddFrames(vanish, 4);
    Start(vanish, SPRITE_END_VANISH, -1, 0);
    Wait(10);
    vanish.Animate();
    EXPECT_EQ(vanish.current, -1);
    EXPECT_EQ(vanish.running, 0);
}

TEST_F(SpriteTest, NoRangeMeansNoAnimation) {
    Sprite sprite;
    sprite.SetRunning(1);
    Wait(50);
    sprite.Animate();
    EXPECT_EQ(sprite.current, 0);
    EXPECT_EQ(sprite.frameTime, 0);
}

TEST_F(SpriteTest, CentredSpriteIsBlittedAroundItsCentre) {
    Sprite sprite;
    AddFrames(sprite, 1);
    sprite.centred = 1;
    sprite.x = 100.7f;
    sprite.y = 50.2f;
    sprite.Draw(Back());
    EXPECT_EQ(BackPixel(80, 40), kRed);
    EXPECT_EQ(BackPixel(119, 59), kRed);
    EXPECT_EQ(BackPixel(79, 40), kBlack);
    EXPECT_EQ(BackPixel(80, 39), kBlack);
    EXPECT_EQ(BackPixel(120, 59), kBlack);
    // The drawn rectangle is what gets repaired.
    const auto& list = dirtyRects.List(dirtyRects.Page());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(0)->x, 80);
    EXPECT_EQ(list.Get(0)->y, 40);
    EXPECT_EQ(list.Get(0)->w, 40);
    EXPECT_EQ(list.Get(0)->flags, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET);
}

// A sprite sent far off every surface (a runaway velocity, a position never set) draws nothing
// and repairs nothing, and converting its position stays defined behaviour.
TEST_F(SpriteTest, PositionsFarOffEverySurfaceDrawNothing) {
    Surface* background = SolidSurface(800, 600, kWhite);
    dirtyRects.SetBackground(background);
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
    dirtyRects.Clear();
    ReleaseSurface(background);
}

TEST_F(SpriteTest, DrawWithoutAValidFrameOnlyRestoresTheBackground) {
    Surface* background = SolidSurface(800, 600, kWhite);
    Surface* target = SolidSurface(800, 600, kBlack);
    dirtyRects.SetBackground(background);
    dirtyRects.SetTarget(target);
    Sprite sprite;
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
    dirtyRects.Clear();
    ReleaseSurface(background);
    ReleaseSurface(target);
}

TEST_F(SpriteTest, StepWithAndWithoutWrap) {
    Sprite sprite;
    AddFrames(sprite, 3);
    sprite.SetDelay(50);
    EXPECT_EQ(sprite.Step(), 0); // frameTime 0 is not before the clock at 0
    Wait(10);
    EXPECT_EQ(sprite.Step(), 1);
    EXPECT_EQ(sprite.current, 1);
    EXPECT_EQ(sprite.frameTime, 60);
    EXPECT_EQ(sprite.Step(), 0);
    Wait(60);
    sprite.Step();
    EXPECT_EQ(sprite.current, 2);
    Wait(60);
    // At the last frame without wrap: stays, but still reports a step and moves the clock.
    EXPECT_EQ(sprite.Step(), 1);
    EXPECT_EQ(sprite.current, 2);
    EXPECT_EQ(sprite.frameTime, GetTicks() + 50);

    sprite.wrap = 1;
    Wait(60);
    sprite.Step();
    EXPECT_EQ(sprite.current, 0);
    sprite.step = -1;
    Wait(60);
    sprite.Step();
    EXPECT_EQ(sprite.current, 2);
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
    EXPECT_EQ(a->sharedFrames, 1);
    EXPECT_STREQ(b->name, "flash");
    EXPECT_EQ(b->vx, 2);
    a->Move();
    EXPECT_EQ(a->x, 7);
    EXPECT_EQ(prototype->x, 5);
    delete a;
    delete b;
    prototype->Draw(Back()); // the frames are still the prototype's
    EXPECT_EQ(BackPixel(5, 5), kRed);
    delete prototype;
}

TEST_F(SpriteTest, ListPlaysAVanishingCopyAndRemovesIt) {
    Sprite prototype;
    AddFrames(prototype, 5);
    prototype.SetRange(0, 4);
    prototype.SetRunning(1);
    prototype.SetDelay(100);
    prototype.SetEndMode(SPRITE_END_VANISH);
    prototype.SetPosition(300, 300);
    prototype.SetCurrent(3); // AddCopy starts it from the range's first frame

    SpriteList list;
    Wait(200);
    Sprite* copy = list.AddCopy(&prototype);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->current, 0);
    EXPECT_EQ(copy->frameTime, 200);

    std::vector<uint16_t> shown;
    while (list.Count() > 0 && GetTicks() < 2000) {
        TimerEvent();
        FillSurface(Back(), kBlack);
        list.UpdateAll(Back());
        uint16_t pixel = static_cast<uint16_t>(BackPixel(300, 300));
        if (shown.empty() || shown.back() != pixel)
            shown.push_back(pixel);
    }
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(GetTicks(), 200 + 4 * 110);
    EXPECT_EQ(shown, (std::vector<uint16_t>{kRed, kGreen, kWhite, 0x1234, kBlack}));
}

TEST_F(SpriteTest, ListFindsStepsAndRemovesByName) {
    Sprite prototype;
    AddFrames(prototype, 2);
    prototype.SetName("coin");
    SpriteList list;
    EXPECT_EQ(list.FindByName("coin"), nullptr);
    EXPECT_EQ(list.AddCopy(nullptr), nullptr);
    Sprite* first = list.AddCopy(&prototype);
    list.AddCopy(&prototype);
    EXPECT_EQ(list.FindByName("coin"), first);
    Wait(10);
    list.StepAll();
    EXPECT_EQ(first->current, 1);
    list.Remove("coin");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_NE(list.Get(0), first);
    list.Remove("nothing");
    EXPECT_EQ(list.Count(), 1);
}

class SpriteFileTest : public SpriteTest {
  protected:
    TempDir dir;
};

TEST_F(SpriteFileTest, HorizontalStripKeepsTheWholeWidthUntilFixed) {
    WriteSolidBmp(dir / "strip.bmp", 200, 50, {255, 255, 255});
    Sprite sprite;
    EXPECT_EQ(sprite.LoadStrip((dir / "strip.bmp").c_str(), 4, 0), 4);
    EXPECT_EQ(sprite.width, 200);
    EXPECT_EQ(sprite.end, 4);
    sprite.FixFrameWidth();
    EXPECT_EQ(sprite.width, 50);

    Sprite down;
    EXPECT_EQ(down.LoadStrip((dir / "strip.bmp").c_str(), 5, 1), 5);
    EXPECT_EQ(down.height, 50);
    int w = 0, h = 0;
    GetSurfaceSize(down.FrameSurface(4), &w, &h);
    EXPECT_EQ(h, 10);

    Sprite bad;
    EXPECT_EQ(bad.LoadStrip((dir / "strip.bmp").c_str(), 0, 0), 0);
    EXPECT_EQ(bad.LoadStrip((dir / "strip.bmp").c_str(), 300, 0), 0);
    EXPECT_EQ(bad.LoadStrip((dir / "none.bmp").c_str(), 2, 0), 0);
    bad.FixFrameWidth(); // no frames: nothing to divide by
    EXPECT_EQ(bad.FrameCount(), 0);
}

TEST_F(SpriteFileTest, LoadFramesCutsRowByRow) {
    WriteSolidBmp(dir / "grid.bmp", 64, 64, {0, 255, 0});
    Sprite sprite;
    EXPECT_EQ(sprite.LoadFrames((dir / "grid.bmp").c_str(), 32, 32), 1);
    EXPECT_EQ(sprite.FrameCount(), 4);
    EXPECT_EQ(sprite.width, 32);
    EXPECT_EQ(sprite.end, 4);
    EXPECT_EQ(sprite.LoadFrames((dir / "none.bmp").c_str(), 32, 32), 0);
    EXPECT_EQ(sprite.LoadFrames((dir / "grid.bmp").c_str(), 0, 32), 0);
    EXPECT_EQ(sprite.FrameCount(), 4);
}

TEST_F(SpriteFileTest, MissingFrameFileShowsTheErrorBox) {
    Sprite sprite;
    std::string missing = dir / "cursor.bmp";
    EXPECT_EQ(sprite.AddFrameFromFile(missing.c_str()), 1);
    EXPECT_EQ(sprite.FrameCount(), 0);
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_EQ(plat::null::MessageBoxes()[0], "ERROR: can't find file!|" + missing);

    WriteSolidBmp(missing, 8, 16, {0, 0, 0});
    sprite.AddFrameFromFile(missing.c_str());
    EXPECT_EQ(sprite.FrameCount(), 1);
    EXPECT_EQ(plat::null::MessageBoxes().size(), 1u);
}

TEST(SpriteNameTest, LongNamesAreCutAndTerminated) {
    Sprite sprite;
    std::string longName(100, 's');
    sprite.SetName(longName.c_str());
    EXPECT_EQ(std::string(sprite.name), std::string(SPRITE_NAME_SIZE - 1, 's'));
}

} // namespace
