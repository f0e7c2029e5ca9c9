#include "gfx/image_strip.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/strip_group.h"
#include "support/bmp_file.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

constexpr uint16_t kFrameColours[] = {kRed, kGreen, kWhite, 0x1234, 0x4321};

// A strip at (x, y) with `count` frames of 40 by 20, each of its own colour.
ImageStrip* MakeStrip(int count, int x = 100, int y = 100) {
    auto* strip = new ImageStrip(x, y);
    for (int i = 0; i < count; ++i)
        strip->AddFrame(i, SolidSurface(40, 20, kFrameColours[i]));
    return strip;
}

using ImageStripTest = NullDisplayTest;

// The mouse polled once a frame, and what the strip makes of each step: its state (drawn with
// that state's frame) and whether it completes a click.
TEST_F(ImageStripTest, FollowsTheMouseAndReportsEachClickOnce) {
    constexpr int N = STRIP_NORMAL, H = STRIP_HOVER, P = STRIP_PRESSED;
    const struct {
        int x, y, buttons, state, clicked;
    } steps[] = {{10, 10, 0, N, 0},   {110, 105, 0, H, 0}, // hover
                 {110, 105, 1, P, 0},                      // press
                 {110, 105, 0, H, 1},                      // release: a click
                 {110, 105, 0, H, 0},                      // that lasts one update
                 {110, 105, 1, P, 0}, {300, 300, 1, N, 0}, // dragged out
                 {300, 300, 0, N, 0},                      // released outside: no click
                 {110, 105, 0, H, 0},                      // back without a button: a hover only
                 {300, 300, 1, N, 0},                      // pressed outside
                 {110, 105, 1, P, 0},                      // dragged in
                 {110, 105, 0, H, 1},                      // released inside: a click
                 {139, 119, 0, H, 0},                      // the right and bottom edges are outside
                 {140, 110, 0, N, 0}, {110, 120, 0, N, 0}, {99, 110, 0, N, 0}};
    ImageStrip* button = MakeStrip(3);
    button->SetTrackDirty(1);
    button->Redraw();
    for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& s = steps[i];
        EXPECT_EQ(button->UpdateWithMouse(s.x, s.y, s.buttons), s.state) << "step " << i;
        EXPECT_EQ(button->WasClicked(), s.clicked) << "step " << i;
        EXPECT_EQ(BackPixel(110, 105), kFrameColours[s.state]) << "step " << i;
    }
    const DirtyRect* drawn = dirtyRects.List(dirtyRects.Page()).Get(0);
    EXPECT_EQ((std::vector<int>{drawn->x, drawn->y, drawn->w, drawn->h, drawn->flags}),
              (std::vector<int>{100, 100, 40, 20, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET}));
    // An inactive strip ignores the mouse and draws nothing.
    FillSurface(Back(), kBlack);
    button->SetActive(0);
    EXPECT_EQ(button->UpdateWithMouse(110, 105, 1), STRIP_NORMAL);
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
        ImageStrip* strip = c.frames ? MakeStrip(c.frames) : new ImageStrip(100, 100, 40, 20);
        strip->SetState(STRIP_HOVER);
        strip->SetStatic(c.isStatic);
        strip->SetFrameBase(c.base); // redraws
        EXPECT_EQ(strip->FrameToDraw(), c.drawn);
        EXPECT_EQ(BackPixel(100, 100), c.drawn < 0 ? kBlack : kFrameColours[c.drawn]);
        delete strip;
    }
    ImageStrip* single = MakeStrip(1); // a switch of one frame has nothing to swap with
    single->SwapFrames();
    EXPECT_EQ(BackPixel(100, 100), kRed);
    delete single;
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
        {"odd.bmp", 0, 0, 0, 0, 0},     {"missing.bmp", 2, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " in " << c.count);
        ImageStrip strip;
        strip.LoadStrip((dir / c.file).c_str(), c.count, c.vertical);
        EXPECT_EQ(strip.FrameCount(), c.frames);
        EXPECT_EQ(strip.Width(), c.width);
        EXPECT_EQ(strip.Height(), c.height);
    }
}

TEST_F(ImageStripTest, AGroupMovesFindsRemovesAndLetsAnEarlierClickHideALaterOne) {
    StripGroup group;
    const std::pair<const char*, int> named[] = {{"play", 10}, {"exit", 10}, {"play", 90}};
    for (const auto& [name, x] : named)
        group.Add(MakeStrip(1, x, 20))->SetName(name);
    group.SetOrigin(100, 200);
    group.UpdateAll(120, 230, 1); // "play" and "exit" share a place: both see the click
    group.UpdateAll(120, 230, 0);
    EXPECT_EQ(group.FindClicked(), group.Get(0));
    EXPECT_EQ(group.WasNamedClicked("exit"), 0);
    EXPECT_EQ(group.WasNamedClicked("play"), 1);
    EXPECT_EQ(group.WasNamedClicked("Play"), 0);
    group.UpdateAll(120, 230, 0);
    EXPECT_EQ(group.FindClicked(), nullptr);

    EXPECT_EQ(group.FindByName("play"), group.Get(0));
    EXPECT_EQ(group.FindByName("none"), nullptr);
    group.Remove("play");
    group.Remove("none");
    EXPECT_EQ(group.Count(), 2);
    EXPECT_EQ(group.FindByName("play")->X(), 90);
    FillSurface(Back(), kBlack);
    group.DrawAll();
    EXPECT_EQ(BackPixel(190, 220), kRed) << "the second play, moved by the group's origin";
    EXPECT_EQ(BackPixel(90, 20), kBlack);
}

} // namespace
