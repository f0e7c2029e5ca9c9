#include "gfx/image_strip.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/strip_group.h"
#include "platform/messages.h"
#include "support/bmp_file.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

constexpr uint16_t kFrameColours[] = {kRed, kGreen, kWhite, 0x1234, 0x4321};
constexpr unsigned kPolled = 0; // a step of UpdateWithMouse rather than a window message

class ImageStripTest : public NullDisplayTest {
  protected:
    // A button at (100, 100) with `count` frames of 40 by 20, each of its own colour.
    static ImageStrip* MakeButton(int count) {
        auto* strip = new ImageStrip(100, 100);
        for (int i = 0; i < count; ++i)
            strip->AddFrame(i, SolidSurface(40, 20, kFrameColours[i]));
        return strip;
    }
};

// The mouse as the strip sees it, polled once a frame or as window messages, and what the strip
// makes of each step: its state (drawn with that state's frame) and the click it completes.
TEST_F(ImageStripTest, FollowsTheMouseAndReportsEachClickOnce) {
    constexpr int N = STRIP_NORMAL, H = STRIP_HOVER, P = STRIP_PRESSED;
    constexpr int L = CLICK_LEFT, R = CLICK_RIGHT;
    const unsigned kMove = plat::WM_MOUSEMOVE, kDown = plat::WM_LBUTTONDOWN;
    const unsigned kUp = plat::WM_LBUTTONUP, kRightUp = plat::WM_RBUTTONUP;
    const struct {
        unsigned message;
        int x, y, buttons;
        int state, click;
    } steps[] = {{kPolled, 10, 10, 0, N, 0},
                 {kPolled, 110, 105, 0, H, 0}, // hover
                 {kPolled, 110, 105, 1, P, 0}, // press
                 {kPolled, 110, 105, 0, H, L}, // release: a click
                 {kPolled, 110, 105, 0, H, 0}, // that lasts one update
                 {kPolled, 110, 105, 1, P, 0},
                 {kPolled, 300, 300, 1, N, 0}, // dragged out
                 {kPolled, 300, 300, 0, N, 0}, // released outside: no click
                 {kPolled, 110, 105, 0, H, 0}, // back without a button: a hover only
                 {kPolled, 300, 300, 1, N, 0}, // pressed outside
                 {kPolled, 110, 105, 1, P, 0}, // dragged in
                 {kPolled, 110, 105, 0, H, L}, // released inside: a click
                 {kPolled, 139, 119, 0, H, 0}, // polled, the right and bottom edges are outside
                 {kPolled, 140, 110, 0, N, 0},
                 {kPolled, 110, 120, 0, N, 0},
                 {kPolled, 99, 110, 0, N, 0},
                 {kMove, 140, 120, 0, H, 0}, // for messages they are inside
                 {kMove, 141, 120, 0, N, 0},
                 {kMove, 100, 100, 0, H, 0},
                 {kMove, 100, 121, 0, N, 0},
                 {kUp, 110, 110, 0, H, L}, // any left release inside clicks, pressed or not
                 {kDown, 110, 110, 0, P, 0},
                 {kRightUp, 110, 110, 0, P, R}, // a right release clicks, the state stays
                 {kUp, 300, 300, 0, N, 0},
                 {kRightUp, 300, 300, 0, N, 0}};
    ImageStrip* button = MakeButton(3);
    button->Redraw();
    for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& s = steps[i];
        const int state =
            s.message == kPolled
                ? button->UpdateWithMouse(s.x, s.y, s.buttons)
                : button->HandleMouseMessage(s.message, 0, plat::MakeLParam(s.x, s.y));
        EXPECT_EQ(state, s.state) << "step " << i;
        EXPECT_EQ(button->ClickKind(), s.click) << "step " << i;
        EXPECT_EQ(button->WasClicked(), s.click != 0) << "step " << i;
        EXPECT_EQ(BackPixel(110, 105), kFrameColours[s.state]) << "step " << i;
    }
    // An inactive strip ignores the mouse and draws nothing.
    FillSurface(Back(), kBlack);
    button->SetActive(0);
    EXPECT_EQ(button->UpdateWithMouse(110, 105, 1), STRIP_NORMAL);
    EXPECT_EQ(button->HandleMouseMessage(plat::WM_LBUTTONUP, 0, plat::MakeLParam(110, 105)),
              STRIP_NORMAL);
    EXPECT_EQ(button->WasClicked(), 0);
    button->Redraw();
    EXPECT_EQ(BackPixel(110, 105), kBlack);
    delete button;
}

TEST_F(ImageStripTest, TheFrameDrawnFollowsBaseStaticAndTheFramesThereAre) {
    const struct {
        int frames, base, isStatic, drawn;
    } cases[] = {{5, 3, 0, 4}, {5, 3, 1, 0}, {4, 3, 0, 3}, {0, 0, 0, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frames << " frames, base " << c.base);
        FillSurface(Back(), kBlack);
        ImageStrip* strip = c.frames ? MakeButton(c.frames) : new ImageStrip(100, 100, 40, 20);
        strip->SetState(STRIP_HOVER);
        strip->SetStatic(c.isStatic);
        strip->SetFrameBase(c.base); // redraws
        EXPECT_EQ(strip->FrameToDraw(), c.drawn);
        EXPECT_EQ(BackPixel(100, 100), c.drawn < 0 ? kBlack : kFrameColours[c.drawn]);
        delete strip;
    }
    for (int frames : {2, 1}) { // a switch swaps its two frames; one frame stays as it is
        ImageStrip* toggle = MakeButton(frames);
        toggle->SwapFrames();
        EXPECT_EQ(BackPixel(100, 100), frames == 2 ? kGreen : kRed);
        toggle->SwapFrames();
        EXPECT_EQ(BackPixel(100, 100), kRed);
        delete toggle;
    }
}

TEST_F(ImageStripTest, OriginMovesTheDrawingAndHitRectangles) {
    ImageStrip strip(10, 10, 80, 40);
    strip.AddFrame(0, SolidSurface(40, 20, kRed));
    strip.SetHitRect(10, 10, 80, 40);
    strip.SetOrigin(200, 300);
    EXPECT_EQ(strip.UpdateWithMouse(289, 349, 0), STRIP_HOVER);
    EXPECT_EQ(strip.UpdateWithMouse(15, 15, 0), STRIP_NORMAL);
    strip.Redraw();
    EXPECT_EQ(BackPixel(210, 310), kRed);
    EXPECT_EQ(BackPixel(249, 329), kRed);
    EXPECT_EQ(BackPixel(250, 310), kBlack) << "the frame's size wins over the strip's";
}

TEST_F(ImageStripTest, PixelHitIgnoresTransparentPartsOfFrameZero) {
    ImageStrip strip(0, 0);
    Surface* frame = SolidSurface(40, 20, kRed);
    FillArea(frame, 0, 0, 20, 20, kBlue); // left half transparent
    strip.AddFrame(0, frame);
    strip.AddFrame(1, SolidSurface(40, 20, kGreen));
    strip.AddFrame(2, SolidSurface(40, 20, kWhite));
    strip.SetPixelHit(1);
    EXPECT_EQ(strip.UpdateWithMouse(5, 5, 0), STRIP_NORMAL);
    EXPECT_EQ(strip.UpdateWithMouse(5, 5, 1), STRIP_NORMAL);
    EXPECT_EQ(strip.UpdateWithMouse(30, 5, 0), STRIP_HOVER);
    EXPECT_EQ(strip.UpdateWithMouse(30, 5, 1), STRIP_PRESSED);
    EXPECT_EQ(strip.UpdateWithMouse(5, 5, 0), STRIP_NORMAL);
    EXPECT_EQ(strip.WasClicked(), 0) << "released over a transparent pixel";
    strip.SetHitRect(0, 0, 100, 100);
    EXPECT_EQ(strip.UpdateWithMouse(90, 90, 1), STRIP_NORMAL) << "transparent beyond the frame";
}

TEST_F(ImageStripTest, DrawingIsTrackedAndShownInBothStillPictures) {
    ImageStrip* button = MakeButton(3);
    button->SetTrackDirty(1);
    button->Redraw();
    button->UpdateWithMouse(110, 105, 0);
    const auto& list = dirtyRects.List(dirtyRects.Page());
    ASSERT_EQ(list.Count(), 2);
    const DirtyRect* entry = list.Get(1);
    EXPECT_EQ((std::vector<int>{entry->x, entry->y, entry->w, entry->h, entry->flags}),
              (std::vector<int>{100, 100, 40, 20, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET}));
    delete button;
    dirtyRects.Clear();

    Surface* background = SolidSurface(800, 600, kBlack);
    Surface* target = SolidSurface(800, 600, kBlack);
    dirtyRects.SetBackground(background);
    dirtyRects.SetTarget(target);
    ImageStrip* shown = MakeButton(1);
    shown->Show(0);
    EXPECT_EQ(GetPixelValue(target, 100, 100), kBlack);
    shown->Show(1);
    EXPECT_EQ(GetPixelValue(background, 100, 100), kRed);
    EXPECT_EQ(GetPixelValue(target, 100, 100), kRed);
    delete shown;
    dirtyRects.Clear();
    ReleaseSurface(background);
    ReleaseSurface(target);
}

TEST_F(ImageStripTest, AStripFileGivesFramesOnlyWhenItCutsExactly) {
    TempDir dir;
    WriteSolidBmp(dir / "strip.bmp", 150, 40, {255, 0, 0});
    WriteSolidBmp(dir / "odd.bmp", 11, 5, {0, 255, 0});
    const struct {
        const char* file;
        int count, vertical;
        int frames, width, height;
    } cases[] = {
        {"strip.bmp", 3, 0, 3, 50, 40}, {"strip.bmp", 4, 1, 4, 150, 10},
        {"odd.bmp", 4, 0, 0, 0, 0},     {"odd.bmp", 12, 0, 0, 0, 0},
        {"odd.bmp", 0, 0, 0, 0, 0},     {"odd.bmp", -3, 1, 0, 0, 0},
        {"missing.bmp", 2, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " in " << c.count);
        ImageStrip strip;
        strip.LoadStrip((dir / c.file).c_str(), c.count, c.vertical);
        EXPECT_EQ(strip.FrameCount(), c.frames);
        EXPECT_EQ(strip.Width(), c.width);
        EXPECT_EQ(strip.Height(), c.height);
    }
    ImageStrip strip;
    EXPECT_EQ(strip.AddFrameFromFile(0, (dir / "missing.bmp").c_str()), 0);
    EXPECT_EQ(strip.AddFrameFromFile(7, (dir / "odd.bmp").c_str()), 1);
    EXPECT_EQ(strip.FrameCount(), 1);
    EXPECT_EQ(strip.Width(), 11);
}

class StripGroupTest : public ImageStripTest {
  protected:
    StripGroup group;
    ImageStrip* Add(const char* name, int x, int y) {
        auto* strip = new ImageStrip(x, y);
        strip->AddFrame(0, SolidSurface(40, 20, kRed));
        strip->SetName(name);
        return group.Add(strip);
    }
};

TEST_F(StripGroupTest, AnEarlierClickedStripHidesALaterOne) {
    Add("play", 0, 0);
    Add("exit", 0, 0); // the same place: both see the click
    group.UpdateAll(10, 10, 1);
    group.UpdateAll(10, 10, 0);
    EXPECT_STREQ(group.FindClicked()->Name(), "play");
    EXPECT_EQ(group.WasNamedClicked("exit"), 0);
    EXPECT_EQ(group.WasNamedClicked("play"), 1);
    EXPECT_EQ(group.WasNamedClicked("Play"), 0);
    group.UpdateAll(10, 10, 0);
    EXPECT_EQ(group.FindClicked(), nullptr);
    EXPECT_EQ(group.WasNamedClicked("play"), 0);
}

TEST_F(StripGroupTest, OriginFindAndRemove) {
    ImageStrip* first = Add("a", 10, 20);
    Add("b", 50, 20);
    Add("a", 90, 20);
    group.SetOrigin(100, 200);
    EXPECT_EQ(group.FindByName("a"), first);
    EXPECT_EQ(group.FindByName("c"), nullptr);
    group.Remove("a");
    group.Remove("c");
    EXPECT_EQ(group.Count(), 2);
    EXPECT_EQ(group.FindByName("a")->X(), 90);
    group.DrawAll();
    EXPECT_EQ(BackPixel(150, 220), kRed) << "b at the group's origin";
    EXPECT_EQ(BackPixel(110, 220), kBlack) << "the removed a";
}

} // namespace
