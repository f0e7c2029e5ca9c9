#include "gfx/image_strip.h"

#include <gtest/gtest.h>

#include "gfx/strip_group.h"
#include "platform/messages.h"
#include "support/bmp_file.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

constexpr uint16_t kFrameColours[] = {kRed, kGreen, kWhite, 0x1234, 0x4321};

class ImageStripTest : public NullDisplayTest {
  protected:
    // A button at (100, 100) with `count` frames of 40 by 20, each of its own colour.
    static ImageStrip* MakeButton(int count) {
        auto* strip = new ImageStrip(100, 100);
        for (int i = 0; i < count; ++i)
            strip->AddFrame(i, SolidSurface(40, 20, kFrameColours[i]));
        return strip;
    }
    static intptr_t At(int x, int y) { return plat::MakeLParam(x, y); }
};

TEST_F(ImageStripTest, PolledButtonGoesThroughHoverPressedAndOneClick) {
    ImageStrip* button = MakeButton(3);
    EXPECT_EQ(button->UpdateWithMouse(10, 10, 0), STRIP_NORMAL);

    EXPECT_EQ(button->UpdateWithMouse(110, 105, 0), STRIP_HOVER);
    EXPECT_EQ(BackPixel(110, 105), kGreen);
    EXPECT_EQ(button->UpdateWithMouse(110, 105, 1), STRIP_PRESSED);
    EXPECT_EQ(BackPixel(110, 105), kWhite);
    EXPECT_EQ(button->WasClicked(), 0);

    EXPECT_EQ(button->UpdateWithMouse(110, 105, 0), STRIP_HOVER);
    EXPECT_EQ(button->WasClicked(), 1);
    EXPECT_EQ(button->ClickKind(), CLICK_LEFT);
    EXPECT_EQ(BackPixel(110, 105), kGreen);

    // The click lasts exactly one update.
    button->UpdateWithMouse(110, 105, 0);
    EXPECT_EQ(button->WasClicked(), 0);
    EXPECT_EQ(button->ClickKind(), 0);
    delete button;
}

TEST_F(ImageStripTest, PressInsideReleaseOutsideGivesNoClick) {
    ImageStrip* button = MakeButton(3);
    button->UpdateWithMouse(110, 105, 1);
    EXPECT_EQ(button->UpdateWithMouse(300, 300, 1), STRIP_NORMAL);
    EXPECT_EQ(BackPixel(110, 105), kRed);
    EXPECT_EQ(button->UpdateWithMouse(300, 300, 0), STRIP_NORMAL);
    EXPECT_EQ(button->WasClicked(), 0);
    // Coming back without a button is only a hover.
    button->UpdateWithMouse(110, 105, 0);
    EXPECT_EQ(button->WasClicked(), 0);
    delete button;
}

TEST_F(ImageStripTest, PressOutsideThenDragInIsPressedButClicksOnlyOnRelease) {
    ImageStrip* button = MakeButton(3);
    EXPECT_EQ(button->UpdateWithMouse(300, 300, 1), STRIP_NORMAL);
    EXPECT_EQ(button->UpdateWithMouse(110, 105, 1), STRIP_PRESSED);
    EXPECT_EQ(button->WasClicked(), 0);
    EXPECT_EQ(button->UpdateWithMouse(110, 105, 0), STRIP_HOVER);
    EXPECT_EQ(button->WasClicked(), 1);
    delete button;
}

TEST_F(ImageStripTest, RightAndBottomEdgesAreOutsideWhenPolledInsideForMessages) {
    ImageStrip* button = MakeButton(3); // hit rectangle (100, 100) size 40 by 20
    EXPECT_EQ(button->UpdateWithMouse(139, 119, 0), STRIP_HOVER);
    EXPECT_EQ(button->UpdateWithMouse(140, 110, 0), STRIP_NORMAL);
    EXPECT_EQ(button->UpdateWithMouse(110, 120, 0), STRIP_NORMAL);
    EXPECT_EQ(button->UpdateWithMouse(99, 110, 0), STRIP_NORMAL);

    EXPECT_EQ(button->HandleMouseMessage(plat::WM_MOUSEMOVE, 0, At(140, 120)), STRIP_HOVER);
    EXPECT_EQ(button->HandleMouseMessage(plat::WM_MOUSEMOVE, 0, At(141, 120)), STRIP_NORMAL);
    EXPECT_EQ(button->HandleMouseMessage(plat::WM_MOUSEMOVE, 0, At(100, 100)), STRIP_HOVER);
    EXPECT_EQ(button->HandleMouseMessage(plat::WM_MOUSEMOVE, 0, At(100, 121)), STRIP_NORMAL);
    delete button;
}

TEST_F(ImageStripTest, MessageFormClicksOnAnyReleaseInside) {
    ImageStrip* button = MakeButton(3);
    // No press was seen, yet a left release inside is a click.
    EXPECT_EQ(button->HandleMouseMessage(plat::WM_LBUTTONUP, 0, At(110, 110)), STRIP_HOVER);
    EXPECT_EQ(button->WasClicked(), 1);
    EXPECT_EQ(button->ClickKind(), CLICK_LEFT);

    EXPECT_EQ(button->HandleMouseMessage(plat::WM_LBUTTONDOWN, 0, At(110, 110)), STRIP_PRESSED);
    EXPECT_EQ(button->WasClicked(), 0);
    // A right release clicks without changing the state.
    EXPECT_EQ(button->HandleMouseMessage(plat::WM_RBUTTONUP, 0, At(110, 110)), STRIP_PRESSED);
    EXPECT_EQ(button->ClickKind(), CLICK_RIGHT);

    EXPECT_EQ(button->HandleMouseMessage(plat::WM_LBUTTONUP, 0, At(300, 300)), STRIP_NORMAL);
    EXPECT_EQ(button->WasClicked(), 0);
    button->HandleMouseMessage(plat::WM_RBUTTONUP, 0, At(300, 300));
    EXPECT_EQ(button->WasClicked(), 0);
    delete button;
}

TEST_F(ImageStripTest, InactiveStripIgnoresTheMouseAndDoesNotRedraw) {
    ImageStrip* button = MakeButton(3);
    button->SetActive(0);
    EXPECT_EQ(button->UpdateWithMouse(110, 105, 1), STRIP_NORMAL);
    EXPECT_EQ(button->HandleMouseMessage(plat::WM_LBUTTONUP, 0, At(110, 105)), STRIP_NORMAL);
    EXPECT_EQ(button->WasClicked(), 0);
    button->Redraw();
    EXPECT_EQ(BackPixel(110, 105), kBlack);
    delete button;
}

TEST_F(ImageStripTest, FrameBaseChoosesTheFrameAndTooFewFramesGiveTheLast) {
    ImageStrip* five = MakeButton(5);
    five->SetState(STRIP_HOVER);
    five->SetFrameBase(3);
    EXPECT_EQ(five->FrameToDraw(), 4);
    EXPECT_EQ(BackPixel(100, 100), kFrameColours[4]);
    five->SetStatic(1);
    EXPECT_EQ(five->FrameToDraw(), 0);
    delete five;

    ImageStrip* four = MakeButton(4);
    four->SetState(STRIP_HOVER);
    four->SetFrameBase(3);
    EXPECT_EQ(four->FrameToDraw(), 3);
    EXPECT_EQ(BackPixel(100, 100), kFrameColours[3]);
    delete four;

    ImageStrip none(5, 5, 10, 10);
    EXPECT_EQ(none.FrameToDraw(), -1);
    none.Redraw(); // draws nothing, and must not fail
    EXPECT_EQ(BackPixel(5, 5), kBlack);
}

TEST_F(ImageStripTest, OriginMovesTheDrawingAndHitRectangles) {
    auto* strip = new ImageStrip(10, 10, 80, 40);
    strip->AddFrame(0, SolidSurface(40, 20, kRed));
    EXPECT_EQ(strip->Width(), 40); // the frame size wins
    strip->SetHitRect(10, 10, 80, 40);
    strip->SetOrigin(200, 300);
    EXPECT_EQ(strip->UpdateWithMouse(289, 349, 0), STRIP_HOVER);
    EXPECT_EQ(strip->UpdateWithMouse(15, 15, 0), STRIP_NORMAL);
    strip->Redraw();
    EXPECT_EQ(BackPixel(210, 310), kRed);
    EXPECT_EQ(BackPixel(249, 329), kRed);
    EXPECT_EQ(BackPixel(250, 310), kBlack);
    delete strip;
}

TEST_F(ImageStripTest, PixelHitIgnoresTransparentPartsOfFrameZero) {
    auto* strip = new ImageStrip(0, 0);
    Surface* frame = SolidSurface(40, 20, kRed);
    FillArea(frame, 0, 0, 20, 20, kBlue); // left half transparent
    strip->AddFrame(0, frame);
    strip->AddFrame(1, SolidSurface(40, 20, kGreen));
    strip->AddFrame(2, SolidSurface(40, 20, kWhite));
    strip->SetPixelHit(1);

    EXPECT_EQ(strip->UpdateWithMouse(5, 5, 0), STRIP_NORMAL);
    EXPECT_EQ(strip->UpdateWithMouse(5, 5, 1), STRIP_NORMAL);
    EXPECT_EQ(strip->UpdateWithMouse(30, 5, 0), STRIP_HOVER);
    EXPECT_EQ(strip->UpdateWithMouse(30, 5, 1), STRIP_PRESSED);
    // Released over a transparent pixel: no click.
    EXPECT_EQ(strip->UpdateWithMouse(5, 5, 0), STRIP_NORMAL);
    EXPECT_EQ(strip->WasClicked(), 0);

    // A hit rectangle larger than the picture is transparent beyond it.
    strip->SetHitRect(0, 0, 100, 100);
    EXPECT_EQ(strip->UpdateWithMouse(90, 90, 1), STRIP_NORMAL);
    delete strip;
}

TEST_F(ImageStripTest, SwapFramesExchangesTheFirstTwo) {
    ImageStrip* toggle = MakeButton(2);
    toggle->SwapFrames();
    EXPECT_EQ(BackPixel(100, 100), kGreen);
    toggle->SwapFrames();
    EXPECT_EQ(BackPixel(100, 100), kRed);
    delete toggle;

    ImageStrip* single = MakeButton(1);
    single->SwapFrames(); // nothing to swap with
    EXPECT_EQ(single->FrameCount(), 1);
    delete single;
}

TEST_F(ImageStripTest, TrackDirtyRegistersEveryDrawnRectangle) {
    ImageStrip* button = MakeButton(3);
    button->SetTrackDirty(1);
    button->Redraw();
    button->UpdateWithMouse(110, 105, 0);
    const auto& list = dirtyRects.List(dirtyRects.Page());
    ASSERT_EQ(list.Count(), 2);
    DirtyRect* entry = list.Get(1);
    EXPECT_EQ(entry->x, 100);
    EXPECT_EQ(entry->y, 100);
    EXPECT_EQ(entry->w, 40);
    EXPECT_EQ(entry->h, 20);
    EXPECT_EQ(entry->flags, DIRTY_ONE_SHOT | DIRTY_FROM_TARGET);
    delete button;
}

TEST_F(ImageStripTest, ShowDrawsIntoBothStillPictures) {
    Surface* background = SolidSurface(800, 600, kBlack);
    Surface* target = SolidSurface(800, 600, kBlack);
    dirtyRects.SetBackground(background);
    dirtyRects.SetTarget(target);
    ImageStrip* button = MakeButton(1);
    button->Show(0);
    EXPECT_EQ(GetPixelValue(target, 100, 100), kBlack);
    button->Show(1);
    EXPECT_EQ(GetPixelValue(background, 100, 100), kRed);
    EXPECT_EQ(GetPixelValue(target, 100, 100), kRed);
    delete button;
    dirtyRects.Clear();
    ReleaseSurface(background);
    ReleaseSurface(target);
}

class StripFileTest : public ImageStripTest {
  protected:
    TempDir dir;
};

TEST_F(StripFileTest, LoadStripCutsHorizontalAndVerticalStrips) {
    WriteSolidBmp(dir / "strip.bmp", 150, 40, {255, 0, 0});
    ImageStrip across;
    across.LoadStrip((dir / "strip.bmp").c_str(), 3, 0);
    ASSERT_EQ(across.FrameCount(), 3);
    EXPECT_EQ(across.Width(), 50);
    EXPECT_EQ(across.Height(), 40);

    ImageStrip down;
    down.LoadStrip((dir / "strip.bmp").c_str(), 4, 1);
    ASSERT_EQ(down.FrameCount(), 4);
    EXPECT_EQ(down.Width(), 150);
    EXPECT_EQ(down.Height(), 10);
}

TEST_F(StripFileTest, LoadStripThatDoesNotCutExactlyAddsNothing) {
    WriteSolidBmp(dir / "odd.bmp", 11, 5, {0, 255, 0});
    ImageStrip strip;
    strip.LoadStrip((dir / "odd.bmp").c_str(), 4, 0); // 2-pixel frames: five of them
    EXPECT_EQ(strip.FrameCount(), 0);
    strip.LoadStrip((dir / "odd.bmp").c_str(), 12, 0); // frames narrower than a pixel
    strip.LoadStrip((dir / "odd.bmp").c_str(), 0, 0);
    strip.LoadStrip((dir / "odd.bmp").c_str(), -3, 1);
    strip.LoadStrip((dir / "missing.bmp").c_str(), 2, 0);
    EXPECT_EQ(strip.FrameCount(), 0);
    EXPECT_EQ(strip.AddFrameFromFile(0, (dir / "missing.bmp").c_str()), 0);
    EXPECT_EQ(strip.AddFrameFromFile(7, (dir / "odd.bmp").c_str()), 1);
    EXPECT_EQ(strip.FrameCount(), 1);
    EXPECT_EQ(strip.Width(), 11);
}

TEST(StripNameTest, LongNamesAreCutAndTerminated) {
    ImageStrip strip;
    std::string longName(200, 'n');
    strip.SetName(longName.c_str());
    EXPECT_EQ(std::string(strip.Name()), std::string(STRIP_NAME_SIZE - 1, 'n'));
    strip.SetName(nullptr);
    EXPECT_STREQ(strip.Name(), "");
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
    ImageStrip* second = Add("b", 50, 20);
    Add("a", 90, 20);
    group.SetOrigin(100, 200);
    EXPECT_EQ(first->OriginX(), 100);
    EXPECT_EQ(second->OriginY(), 200);
    EXPECT_EQ(group.X(), 100);

    EXPECT_EQ(group.FindByName("a"), first);
    EXPECT_EQ(group.FindByName("c"), nullptr);
    group.Remove("a");
    EXPECT_EQ(group.Count(), 2);
    EXPECT_EQ(group.FindByName("a")->X(), 90);
    group.Remove("c");
    EXPECT_EQ(group.Count(), 2);

    group.DrawAll();
    EXPECT_EQ(BackPixel(150, 220), kRed);
    EXPECT_EQ(BackPixel(110, 220), kBlack);
}

} // namespace
