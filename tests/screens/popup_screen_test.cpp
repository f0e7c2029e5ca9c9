#include "screens/popup_screen.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gfx/strip_group.h"
#include "platform/window.h"
#include "support/bmp_file.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

// A pop-up whose per-frame hook also runs a test script (press, release, time, quit), so that
// Run can be driven without sleeps. It gives up after maxFrames so a fault cannot hang a test.
class ScriptedPopup : public PopupScreen {
  public:
    std::function<void(int frame)> script;
    int frames = 0;
    int maxFrames = 200;

    int OnFrame(int mouseX, int mouseY, int buttons) override {
        if (++frames > maxFrames)
            return 0;
        int result = PopupScreen::OnFrame(mouseX, mouseY, buttons);
        if (script)
            script(frames);
        return result;
    }
};

class PopupScreenTest : public NullDisplayTest {
  protected:
    void SetUp() override {
        NullDisplayTest::SetUp();
        WriteSolidBmp(Path("panel.bmp"), 200, 120, {255, 0, 0});
        WriteSolidBmp(Path("small.bmp"), 40, 30, {0, 255, 0});
    }
    std::string Path(const char* name) const { return dir / name; }
    // Presses and releases the left button over (x, y) on frames 1 and 2.
    static std::function<void(int)> ClickAt(int x, int y) {
        mouseCursor.SetPosition(x, y);
        return [](int frame) {
            if (frame == 1)
                PressLeft();
            if (frame == 2)
                ReleaseLeft();
        };
    }

    TempDir dir;
    ScriptedPopup popup;
};

TEST_F(PopupScreenTest, UnplacedPopupIsCentredAndSetPositionPlacesIt) {
    Image* panel = popup.AddBackground(Path("panel.bmp").c_str(), "panel");
    ASSERT_NE(panel, nullptr);
    EXPECT_STREQ(panel->name, "panel");
    EXPECT_EQ(popup.Left(), 300);
    EXPECT_EQ(popup.Top(), 240);
    EXPECT_EQ(popup.Right(), 500);
    EXPECT_EQ(popup.Bottom(), 360);

    auto* button = new ImageStrip(10, 10, 20, 20);
    popup.AddStrip(button);
    popup.SetPosition(100, 50);
    EXPECT_EQ(popup.Left(), 100);
    EXPECT_EQ(popup.Top(), 50);
    EXPECT_EQ(popup.Right(), 300);
    EXPECT_EQ(popup.Bottom(), 170);
    EXPECT_EQ(popup.X(), 100);
    EXPECT_EQ(popup.Y(), 50);
    EXPECT_EQ(button->OriginX(), 100);
    EXPECT_EQ(button->OriginY(), 50);

    // A later background keeps the placement, and (-1, -1) changes nothing.
    popup.AddBackground(Path("small.bmp").c_str(), nullptr);
    EXPECT_EQ(popup.Left(), 100);
    EXPECT_EQ(popup.Right(), 300);
    popup.SetPosition(-1, -1);
    EXPECT_EQ(popup.Top(), 50);
    popup.SetPosition(-1, 400); // one coordinate given is a placement
    EXPECT_EQ(popup.Left(), -1);
    EXPECT_EQ(popup.Top(), 400);
}

TEST_F(PopupScreenTest, SelectBackgroundFallsBackToTheFirst) {
    Image* panel = popup.AddBackground(Path("panel.bmp").c_str(), "panel");
    Image* small = popup.AddBackground(Path("small.bmp").c_str(), "small");
    EXPECT_EQ(popup.Background(), small);
    EXPECT_EQ(popup.SelectBackground("nothing"), panel);
    EXPECT_EQ(popup.SelectBackground("small"), small);
    EXPECT_EQ(popup.FindBackground("Small"), nullptr);
    EXPECT_EQ(popup.SetBackground(nullptr), nullptr);
    EXPECT_EQ(popup.Background(), small);
}

TEST_F(PopupScreenTest, MissingBackgroundFileGivesAnEmptyPictureCentredAsAPoint) {
    Image* missing = popup.AddBackground(Path("gone.bmp").c_str(), "gone");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->surface, nullptr);
    EXPECT_EQ(popup.Left(), 400);
    EXPECT_EQ(popup.Bottom(), 300);
    popup.SetDeadline(GetTicks() + 20);
    popup.script = [](int) { TimerEvent(); };
    char result[64] = "x";
    EXPECT_EQ(popup.Run(result, nullptr), 1);
}

TEST_F(PopupScreenTest, DefaultStripEndsRunWithDefault) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    popup.AddDefaultStrip();
    popup.script = ClickAt(350, 300);
    char result[64] = "unchanged";
    EXPECT_EQ(popup.Run(result, nullptr), 1);
    EXPECT_STREQ(result, "default");
    EXPECT_EQ(popup.frames, 3); // hover, press, release
    // The background was drawn at the pop-up's place in the back surface.
    EXPECT_EQ(BackPixel(300, 240), kRed);
    EXPECT_EQ(BackPixel(499, 359), kRed);
    EXPECT_EQ(BackPixel(299, 240), kBlack);
}

TEST_F(PopupScreenTest, ATapBetweenTwoFramesClosesItOnce) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    popup.AddDefaultStrip();
    mouseCursor.SetPosition(350, 300);
    popup.script = [](int frame) {
        if (frame == 1) { // pressed and released before the next frame reads the mouse
            PressLeft();
            ReleaseLeft();
        }
    };
    char result[64] = "";
    EXPECT_EQ(popup.Run(result, nullptr), 1);
    EXPECT_STREQ(result, "default");
    EXPECT_EQ(popup.frames, 3); // hover, the tap's press, its release
    // The tap was taken: the next pop-up sees no click.
    popup.script = [](int) { TimerEvent(); };
    popup.maxFrames = popup.frames + 5;
    EXPECT_EQ(popup.Run(result, nullptr), 0);
}

TEST_F(PopupScreenTest, AButtonAddedAfterTheDefaultStripIsHiddenByIt) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    popup.AddDefaultStrip();
    auto* ok = new ImageStrip(10, 10, 40, 20);
    ok->SetName("ok");
    popup.AddStrip(ok);
    popup.script = ClickAt(320, 260);
    char result[64] = "";
    EXPECT_EQ(popup.Run(result, nullptr), 1);
    EXPECT_STREQ(result, "default");
}

TEST_F(PopupScreenTest, PressedButtonNamesTheResultAndAPressOutsideDoesNothing) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    popup.SetPosition(100, 50);
    auto* ok = new ImageStrip(10, 10, 40, 20);
    ok->SetName("ok");
    popup.AddStrip(ok);
    popup.AddDefaultStrip();
    mouseCursor.SetPosition(700, 500);
    popup.script = [](int frame) {
        if (frame == 1)
            PressLeft();
        if (frame == 2)
            ReleaseLeft();
        if (frame == 3)
            mouseCursor.SetPosition(115, 65);
        if (frame == 4)
            PressLeft();
        if (frame == 5)
            ReleaseLeft();
    };
    char result[64] = "";
    EXPECT_EQ(popup.Run(result, nullptr), 1);
    EXPECT_STREQ(result, "ok");
    EXPECT_EQ(popup.frames, 6);
}

TEST_F(PopupScreenTest, DeadlineEndsRunWithAnEmptyResult) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    popup.SetDeadline(GetTicks() + 50);
    EXPECT_EQ(popup.Deadline(), 50);
    popup.script = [](int) { TimerEvent(); };
    char result[64] = "stale";
    EXPECT_EQ(popup.Run(result, nullptr), 1);
    EXPECT_STREQ(result, "");
    // Frame k sees the clock at 10 (k - 1) ms: at 50 the deadline is reached but not passed,
    // so the seventh frame (60 ms) is the one that ends the run.
    EXPECT_EQ(popup.frames, 7);
}

TEST_F(PopupScreenTest, QuitPostedBeforeRunEndsItWithZeroAndStaysQueued) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    Surface* callerTarget = SolidSurface(8, 8, kBlack);
    dirtyRects.SetTarget(callerTarget);
    plat::PostQuitMessage(3);
    char result[64] = "keep";
    EXPECT_EQ(popup.Run(result, nullptr), 0);
    EXPECT_STREQ(result, "keep");
    EXPECT_EQ(popup.frames, 0);
    EXPECT_EQ(dirtyRects.GetTarget(), callerTarget);
    plat::Message message{};
    ASSERT_TRUE(plat::PeekMessage(&message));
    EXPECT_EQ(message.message, plat::WM_QUIT);
    EXPECT_EQ(message.wParam, 3u);
    dirtyRects.Clear();
    ReleaseSurface(callerTarget);
}

TEST_F(PopupScreenTest, QuitDuringRunEndsIt) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    popup.AddDefaultStrip();
    popup.script = [](int frame) {
        if (frame == 3)
            plat::PostQuitMessage(0);
    };
    char result[64] = "keep";
    EXPECT_EQ(popup.Run(result, nullptr), 0);
    EXPECT_EQ(popup.frames, 3);
    EXPECT_STREQ(result, "keep");
    plat::Message message{};
    ASSERT_TRUE(plat::PeekMessage(&message));
    EXPECT_EQ(message.message, plat::WM_QUIT);
}

TEST_F(PopupScreenTest, FrameHookRefusalEndsRunWithZero) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    popup.maxFrames = 2;
    char result[64] = "keep";
    EXPECT_EQ(popup.Run(result, nullptr), 0);
    EXPECT_EQ(popup.frames, 3);
    EXPECT_STREQ(result, "keep");
}

TEST_F(PopupScreenTest, DirtyTargetIsTheBackgroundWhileRunning) {
    Image* panel = popup.AddBackground(Path("panel.bmp").c_str(), "panel");
    Surface* callerTarget = SolidSurface(8, 8, kBlack);
    dirtyRects.SetTarget(callerTarget);
    Surface* seen = nullptr;
    popup.script = [&](int) {
        seen = dirtyRects.GetTarget();
        popup.SetResult("done");
    };
    char result[64] = "";
    EXPECT_EQ(popup.Run(result, "panel"), 1);
    EXPECT_STREQ(result, "done");
    EXPECT_EQ(seen, panel->surface);
    EXPECT_EQ(dirtyRects.GetTarget(), callerTarget);

    popup.SetSwitchDirtyTarget(0);
    popup.Run(result, nullptr);
    EXPECT_EQ(seen, callerTarget);
    dirtyRects.Clear();
    ReleaseSurface(callerTarget);
}

TEST_F(PopupScreenTest, RunAgainStartsFreshAndResultsAreBounded) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    popup.script = [&](int) { popup.SetResult(std::string(300, 'r').c_str()); };
    char small[8] = "";
    EXPECT_EQ(popup.Run(small, nullptr), 1);
    EXPECT_STREQ(small, "rrrrrrr");
    EXPECT_EQ(std::string(popup.Result()).size(), 255u);

    popup.script = [&](int frame) {
        if (frame == 2)
            popup.SetResult(nullptr); // done, result left as it is: empty
    };
    popup.frames = 0;
    char result[64] = "x";
    EXPECT_EQ(popup.Run(result, nullptr), 1);
    EXPECT_STREQ(result, "");
    EXPECT_EQ(popup.frames, 2);
    popup.frames = 0;
    EXPECT_EQ(popup.Run(nullptr, 0, nullptr), 1); // a result nobody asked for is not written
}

TEST_F(PopupScreenTest, PopupAreaIsRepairedAsOneRectangle) {
    popup.AddBackground(Path("panel.bmp").c_str(), nullptr);
    popup.SetPosition(100, 50);
    dirtyRects.AddPopupArea(&popup);
    const auto& list = dirtyRects.List(dirtyRects.Page());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(0)->x, 100);
    EXPECT_EQ(list.Get(0)->y, 50);
    EXPECT_EQ(list.Get(0)->w, 200);
    EXPECT_EQ(list.Get(0)->h, 120);
}

TEST_F(PopupScreenTest, LeaveFreesTheBackgroundsAndStrips) {
    popup.AddBackground(Path("panel.bmp").c_str(), "panel");
    popup.AddDefaultStrip();
    popup.Leave();
    EXPECT_EQ(popup.FindBackground("panel"), nullptr);
    EXPECT_EQ(popup.Background(), nullptr);
    EXPECT_EQ(popup.Strips(), nullptr);
    // Usable again after Leave.
    EXPECT_NE(popup.AddBackground(Path("small.bmp").c_str(), "small"), nullptr);
    popup.Init();
    EXPECT_EQ(popup.FindBackground("small"), popup.Background());
}

} // namespace
