#include "screens/popup_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "gfx/strip_group.h"
#include "platform/window.h"
#include "support/bmp_file.h"
#include "support/null_display.h"

using namespace testing_support;

namespace {

// A pop-up whose frame hook also plays a script, one character a frame: 'o', 'd' and 'x' move
// the mouse over the "ok" button, over the rest of the pop-up and off it; 'p', 'r' and 't'
// press, release and tap the left button; '+' lets 10 ms pass; 'q' posts a quit; 'l' and 'n'
// set a long result and none. It refuses a frame past maxFrames, so no fault can hang a test.
class ScriptedPopup : public PopupScreen {
  public:
    int OnFrame(int mouseX, int mouseY, int buttons) override {
        if (++frames > maxFrames)
            return 0;
        const int result = PopupScreen::OnFrame(mouseX, mouseY, buttons);
        targets += dirtyRects.GetTarget() == background->surface ? "" : "?";
        const char step = frames <= static_cast<int>(script.size()) ? script[frames - 1] : '.';
        if (step == 'o' || step == 'd' || step == 'x')
            mouseCursor.SetPosition(step == 'o' ? 115 : step == 'd' ? 250 : 700, 65);
        if (step == 'p' || step == 't')
            NullDisplayTest::PressLeft();
        if (step == 'r' || step == 't')
            NullDisplayTest::ReleaseLeft();
        if (step == '+')
            TimerEvent();
        if (step == 'q')
            plat::PostQuitMessage(0);
        if (step == 'l' || step == 'n')
            SetResult(step == 'l' ? std::string(300, 'r').c_str() : nullptr);
        return result;
    }
    std::string script, targets;
    int frames = 0, maxFrames = 20;
};

class PopupScreenTest : public NullDisplayTest {
  protected:
    void SetUp() override {
        NullDisplayTest::SetUp();
        WriteSolidBmp(dir / "panel.bmp", 200, 120, {255, 0, 0});
        WriteSolidBmp(dir / "small.bmp", 40, 30, {0, 255, 0});
        popup.AddBackground((dir / "panel.bmp").c_str(), "panel");
    }
    // A panel at (100, 50) with an "ok" button at (10, 10) inside, then the default strip.
    void AddButtons(bool okFirst = true) {
        popup.SetPosition(100, 50);
        auto* ok = new ImageStrip(10, 10, 40, 20);
        ok->SetName("ok");
        if (okFirst)
            popup.AddStrip(ok);
        popup.AddDefaultStrip();
        if (!okFirst)
            popup.AddStrip(ok);
    }

    TempDir dir;
    ScriptedPopup popup;
};

TEST_F(PopupScreenTest, ItIsPlacedByItsBackgroundAndMovesItsButtonsAlong) {
    EXPECT_EQ(std::tuple(popup.X(), popup.Y(), popup.Right(), popup.Bottom()),
              std::tuple(300, 240, 500, 360)); // never placed: centred
    auto* button = new ImageStrip(10, 10, 20, 20);
    popup.AddStrip(button);
    popup.SetPosition(100, 50);
    EXPECT_EQ(std::tuple(popup.X(), popup.Y(), popup.Right(), popup.Bottom(), button->OriginX(),
                         button->OriginY()),
              std::tuple(100, 50, 300, 170, 100, 50));
    dirtyRects.AddPopupArea(&popup);
    const DirtyRect* area = dirtyRects.List(dirtyRects.Page()).Get(0);
    EXPECT_EQ(std::tuple(area->x, area->y, area->w, area->h), std::tuple(100, 50, 200, 120));
    // Another background keeps the placement; (-1, -1) changes nothing, one coordinate does.
    Image* small = popup.AddBackground((dir / "small.bmp").c_str(), "small");
    popup.SetPosition(-1, -1);
    EXPECT_EQ(std::tuple(popup.Left(), popup.Right()), std::tuple(100, 300));
    popup.SetPosition(-1, 400);
    EXPECT_EQ(std::tuple(popup.X(), popup.Y()), std::tuple(-1, 400));
    EXPECT_EQ(popup.SelectBackground("nothing"), popup.FindBackground("panel")); // the first
    EXPECT_EQ(std::tuple(popup.SelectBackground("small"), popup.SetBackground(nullptr)),
              std::tuple(small, nullptr));
    EXPECT_EQ(popup.Background(), small);
    popup.Leave();
    EXPECT_EQ(std::tuple(popup.FindBackground("small"), popup.Background(), popup.Strips()),
              std::tuple(nullptr, nullptr, nullptr));
    // Usable again; a picture that cannot be loaded is centred as a point.
    Image* gone = popup.AddBackground((dir / "gone.bmp").c_str(), "gone");
    ASSERT_NE(gone, nullptr);
    EXPECT_EQ(popup.FindBackground("gone"), gone);
    ScriptedPopup fresh;
    fresh.AddBackground((dir / "gone.bmp").c_str(), "gone");
    EXPECT_EQ(std::tuple(popup.Left(), popup.Top(), fresh.Left(), fresh.Bottom()),
              std::tuple(-1, 400, 400, 300));
}

struct RunCase {
    const char* name;
    const char* script;
    int run, frames;
    const char* result;
    bool okFirst = true;
    int deadline = 0, switchTarget = 1;
};

class PopupRunTest : public PopupScreenTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(PopupRunTest, RunEndsWithTheRightResult) {
    const RunCase& c = GetParam();
    AddButtons(c.okFirst);
    popup.script = c.script;
    popup.SetDeadline(c.deadline);
    popup.SetSwitchDirtyTarget(c.switchTarget);
    Surface* callerTarget = SolidSurface(8, 8, kBlack);
    dirtyRects.SetTarget(callerTarget);
    char result[8] = "unset";
    EXPECT_EQ(popup.Run(result, "panel"), c.run);
    EXPECT_STREQ(result, c.result);
    EXPECT_EQ(popup.frames, c.frames);
    EXPECT_EQ(popup.targets, c.switchTarget ? "" : "?") << "the dirty target while it runs";
    EXPECT_EQ(dirtyRects.GetTarget(), callerTarget);
    // The background drawn at the pop-up's place.
    EXPECT_EQ(std::tuple(BackPixel(100, 50), BackPixel(99, 50)), std::tuple(kRed, kBlack));
    dirtyRects.Clear();
    ReleaseSurface(callerTarget);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PopupRunTest,
    ::testing::Values(
        RunCase{"PressAndReleaseOnTheDefaultStrip", "dpr", 1, 4, "default"},
        RunCase{"PressOffThePopupDoesNothing", "xpropr", 1, 7, "ok"},
        RunCase{"AButtonAfterTheDefaultStripIsHiddenByIt", "opr", 1, 4, "default", false},
        RunCase{"LongResultIsCutToTheCallersBuffer", "..l", 1, 3, "rrrrrrr"},
        RunCase{"NoResultIsEmpty", "..n", 1, 3, ""},
        // Frame k sees the clock at 10 (k - 1) ms: at 50 the deadline is reached, not passed.
        RunCase{"DeadlineEndsWithAnEmptyResult", "++++++++", 1, 7, "", true, 50},
        RunCase{"QuitEndsWithZeroAndTheResultUnwritten", "..q", 0, 3, "unset"},
        RunCase{"RefusedFrameEndsWithZero", "", 0, 21, "unset"},
        RunCase{"WithoutSwitchingItComposesOnTheCallersTarget", "l", 1, 1, "rrrrrrr", true, 0, 0}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return info.param.name; });

TEST_F(PopupScreenTest, ATapBetweenTwoFramesClosesItOnce) {
    AddButtons();
    popup.script = "dt";
    char result[64] = "";
    EXPECT_EQ(popup.Run(result, nullptr), 1);
    EXPECT_STREQ(result, "default");
    EXPECT_EQ(popup.frames, 4); // moved, tapped, seen down, seen up
    popup.script = "";          // the next run sees no click
    popup.maxFrames = popup.frames + 5;
    EXPECT_EQ(popup.Run(result, nullptr), 0);
}

} // namespace
