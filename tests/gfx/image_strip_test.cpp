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

// A strip at (x, y) with `count` frames of 40 by 20, each of its own colour.
ImageStrip* MakeStrip(int count, int x = 100, int y = 100) {
    auto* strip = new ImageStrip(x, y);
    for (int i = 0; i < count; ++i)
        strip->AddFrame(i, SolidSurface(40, 20, kFrameColours[i]));
    return strip;
}

using ImageStripTest = NullDisplayTest;

// The mouse as the strip sees it, polled once a frame or as window messages, and what the strip
// makes of each step: its state (drawn with that state's frame) and the click it completes.
TEST_F(ImageStripTest, FollowsTheMouseAndReportsEachClickOnce) {
    constexpr int N = STRIP_NORMAL, H = STRIP_HOVER, P = STRIP_PRESSED;
    constexpr int L = CLICK_LEFT, R = CLICK_RIGHT;
    constexpr unsigned kPoll = 0, kMove = plat::WM_MOUSEMOVE, kDown = plat::WM_LBUTTONDOWN;
    constexpr unsigned kUp = plat::WM_LBUTTONUP, kRightUp = plat::WM_RBUTTONUP;
    const struct {
        unsigned message;
        int x, y, buttons, state, click;
    } steps[] = {{kPoll, 10, 10, 0, N, 0},
                 {kPoll, 110, 105, 0, H, 0}, // hover
                 {kPoll, 110, 105, 1, P, 0}, // press
                 {kPoll, 110, 105, 0, H, L}, // release: a click
                 {kPoll, 110, 105, 0, H, 0}, // that lasts one update
                 {kPoll, 110, 105, 1, P, 0},
                 {kPoll, 300, 300, 1, N, 0}, // dragged out
                 {kPoll, 300, 300, 0, N, 0}, // released outside: no click
                 {kPoll, 110, 105, 0, H, 0}, // back without a button: a hover only
                 {kPoll, 300, 300, 1, N, 0}, // pressed outside
                 {kPoll, 110, 105, 1, P, 0}, // dragged in
                 {kPoll, 110, 105, 0, H, L}, // released inside: a click
                 {kPoll, 139, 119, 0, H, 0}, // polled, the right and bottom edges are outside
                 {kPoll, 140, 110, 0, N, 0},
                 {kPoll, 110, 120, 0, N, 0},
                 {kPoll, 99, 110, 0, N, 0},
                 {kMove, 140, 120, 0, H, 0}, // for messages: inside
                 {kMove, 141, 120, 0, N, 0},
                 {kMove, 100, 100, 0, H, 0},
                 {kMove, 100, 121, 0, N, 0},
                 {kUp, 110, 110, 0, H, L}, // any left release inside clicks, pressed or not
                 {kDown, 300, 300, 0, N, 0},
                 {kDown, 110, 110, 0, P, 0},
                 {kUp, 300, 300, 0, N, 0},
                 {kRightUp, 300, 300, 0, N, 0},
                 {kDown, 110, 110, 0, P, 0},
                 {kRightUp, 110, 110, 0, P, R}, // a right release clicks, the state stays
                 {kMove, 120, 110, 0, P, 0}};   // moved while pressed: still pressed
    ImageStrip* button = MakeStrip(3);
    button->SetTrackDirty(1);
    button->Redraw();
    for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& s = steps[i];
        const int state =
            s.message == kPoll
                ? button->UpdateWithMouse(s.x, s.y, s.buttons)
                : button->HandleMouseMessage(s.message, 0, plat::MakeLParam(s.x, s.y));
        EXPECT_EQ(state, s.state) << "step " << i;
        EXPECT_EQ(button->ClickKind(), s.click) << "step " << i;
        EXPECT_EQ(button->WasClicked(), s.click != 0) << "step " << i;
        EXPECT_EQ(BackPixel(110, 105), kFrameColours[s.state]) << "step " << i;
    }
    const DirtyRect* drawn = dirtyRects.List(dirtyRects.Page()).Get(0);
    EXPECT_EQ((std::vector<int>{drawn->x, drawn->y, drawn->w, drawn->h, drawn->flags}),
              (std::vector<int>{100, 100, 40, 20, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET}));
    EXPECT_EQ(button->GetState(), STRIP_PRESSED);
    button->Reset();
    EXPECT_EQ(button->GetState(), STRIP_NORMAL);
    EXPECT_EQ(BackPixel(110, 105), kRed);
    // An inactive strip ignores the mouse and draws nothing.
    FillSurface(Back(), kBlack);
    button->SetActive(0);
    EXPECT_EQ(button->UpdateWithMouse(110, 105, 1), STRIP_NORMAL);
    EXPECT_EQ(button->HandleMouseMessage(kUp, 0, plat::MakeLParam(110, 105)), STRIP_NORMAL);
    EXPECT_EQ(button->WasClicked(), 0);
    button->Redraw();
    EXPECT_EQ(BackPixel(110, 105), kBlack);
    delete button;
}

// With pixel hits only the opaque part of frame 0 counts, within a hit rectangle that the
// origin moves and that may be larger than the picture. Shown, the strip is drawn into both
// still pictures, so repairs keep it on the screen.
TEST_F(ImageStripTest, HitRectangleOriginPixelHitsAndShowing) {
    ImageStrip strip(10, 10);
    Surface* frame = SolidSurface(40, 20, kRed);
    FillArea(frame, 0, 0, 20, 20, kBlue); // left half transparent
    strip.AddFrame(0, frame);
    strip.AddFrame(1, SolidSurface(40, 20, kGreen));
    strip.AddFrame(2, SolidSurface(40, 20, kWhite));
    strip.SetOrigin(200, 300);
    strip.SetHitRect(10, 10, 80, 40);
    const int steps[][5] = {
        // pixel hits, x, y, buttons, state
        {0, 289, 349, 0, STRIP_HOVER},   // the far corner of the hit rectangle
        {0, 15, 15, 0, STRIP_NORMAL},    // where it would be without the origin
        {1, 215, 315, 0, STRIP_NORMAL},  // over a transparent pixel
        {1, 215, 315, 1, STRIP_NORMAL},  // pressed there
        {1, 240, 315, 0, STRIP_HOVER},   // over an opaque pixel
        {1, 240, 315, 1, STRIP_PRESSED}, // pressed there
        {1, 215, 315, 0, STRIP_NORMAL},  // released over a transparent one: no click
        {1, 280, 340, 1, STRIP_NORMAL},  // pressed in the hit rectangle beyond the picture
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        strip.SetPixelHit(steps[i][0]);
        EXPECT_EQ(strip.UpdateWithMouse(steps[i][1], steps[i][2], steps[i][3]), steps[i][4])
            << "step " << i;
        EXPECT_EQ(strip.WasClicked(), 0) << "step " << i;
    }
    Surface* still[] = {SolidSurface(800, 600, kBlack), SolidSurface(800, 600, kBlack)};
    dirtyRects.SetBackground(still[0]);
    dirtyRects.SetTarget(still[1]);
    strip.Show(0);
    EXPECT_EQ(GetPixelValue(still[1], 249, 329), kBlack);
    strip.Show(1);
    dirtyRects.Clear();
    for (Surface* picture : still) {
        EXPECT_EQ(GetPixelValue(picture, 249, 329), kRed);
        EXPECT_EQ(GetPixelValue(picture, 250, 310), kBlack) << "the frame's size wins";
        ReleaseSurface(picture);
    }
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
    ImageStrip strip;
    EXPECT_EQ(strip.AddFrameFromFile(0, (dir / "missing.bmp").c_str()), 0);
    EXPECT_EQ(strip.AddFrameFromFile(7, (dir / "odd.bmp").c_str()), 1);
    EXPECT_EQ(strip.FrameCount(), 1);
    EXPECT_EQ(strip.Width(), 11);
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
