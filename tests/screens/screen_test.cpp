#include "screens/screen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "gfx/strip_group.h"
#include "platform/display.h"
#include "screens/screen_manager.h"
#include "support/bmp_file.h"
#include "support/null_display.h"

namespace {

using namespace testing_support;

// Pictures are found by their names in the current directory, a fresh one for each test.
class ScreenTest : public NullDisplayTest {
  protected:
    void SetUp() override {
        NullDisplayTest::SetUp();
        std::filesystem::current_path(dir.path());
        WriteSolidBmp("red.bmp", 40, 10, {255, 0, 0});
        // A white picture whose first column is pure blue, the colour that is never drawn.
        WriteBytes("keyed.bmp", BmpBytes(3, 2, [](int x, int) {
                       return x == 0 ? Rgb{0, 0, 255} : Rgb{255, 255, 255};
                   }));
    }
    TempDir dir;
    CurrentDirGuard guard;
};

TEST_F(ScreenTest, ImageListNamesPicturesByTheirSectionsUpToTheFirstMissingNumber) {
    Screen screen;
    WriteBytes("images.ini",
               "[IMAGES]\nIMAGE01=red\nimage02=button\nimage03=ghost\nimage05=late\n"
               "[button]\nfile=keyed.bmp\nx=120\ny=7\n[ghost]\nfile=gone.bmp\nx=-3\n");
    EXPECT_EQ(screen.LoadImageList("images.ini"), 0);
    // Red's file is named after its section, placed at 0, 0; ghost is listed though not loaded.
    Image *red = screen.FindImage("red"), *ghost = screen.FindImage("ghost");
    ASSERT_TRUE(red && ghost);
    EXPECT_EQ(std::tuple(red->width, red->x, red->y, ghost->x), std::tuple(40, 0, 0, -3));
    plat::ClearWritten(Back());
    EXPECT_EQ(screen.DrawImageAtHome(Back(), "ghost"), 1);
    for (const char* unknown : {"RED", "keyed.bmp", "late", static_cast<const char*>(nullptr)})
        EXPECT_EQ(std::tuple(screen.FindImage(unknown), screen.DrawImage(Back(), unknown, 0, 0),
                             screen.DrawImageAtHome(Back(), unknown)),
                  std::tuple(nullptr, 0, 0))
            << (unknown ? unknown : "null");
    EXPECT_FALSE(plat::HasWritten(Back()));
    EXPECT_EQ(screen.DrawImage(Back(), "button", 10, 20), 1);
    EXPECT_EQ(screen.DrawImageAtHome(Back(), "button"), 1);
    EXPECT_EQ(std::tuple(BackPixel(10, 20), BackPixel(11, 20), BackPixel(121, 7)),
              std::tuple(kBlack, kWhite, kWhite));
}

TEST_F(ScreenTest, LeaveFreesEverythingAndTheNextEnterStartsEmpty) {
    Screen screen;
    EXPECT_EQ(screen.AddImage("gone.bmp"), nullptr); // only pictures that load are kept
    screen.AddImage("red.bmp");
    screen.AddStrip(new ImageStrip());
    EXPECT_EQ(screen.Images()->Count() + screen.Strips()->Count(), 2);
    for (int round = 0; round < 2; ++round) { // twice in a row is harmless
        screen.Leave();
        EXPECT_EQ(std::tuple(screen.FindImage("red.bmp"), screen.Images(), screen.Strips()),
                  std::tuple(nullptr, nullptr, nullptr));
    }
    screen.Enter(plat::CurrentDisplay(), Back());
    EXPECT_EQ(screen.Images()->Count() + screen.Strips()->Count(), 0);
    const std::string longName(300, 'x');
    screen.SetName(longName.c_str());
    EXPECT_EQ(screen.GetName(), longName.substr(0, 255));
    screen.SetName(nullptr);
    EXPECT_STREQ(screen.GetName(), "");
}

TEST_F(ScreenTest, ATapBetweenTwoFramesClicksAButtonOnce) {
    Screen screen;
    screen.Strips()->SetOrigin(100, 50);
    ImageStrip* exit = screen.AddButton("exit", 7, 8, "red.bmp"); // two frames side by side
    EXPECT_EQ(screen.AddButton("gone", 0, 0, "gone.bmp")->FrameCount(), 0);
    EXPECT_EQ(std::tuple(exit->FrameCount(), exit->Width()), std::tuple(2, 20));
    mouseCursor.SetPosition(126, 59);
    int clicks = 0;
    for (int frame = 0; frame < 6; ++frame) {
        if (frame == 1) {
            PressLeft();
            ReleaseLeft();
        }
        screen.UpdateStrips();
        clicks += screen.Strips()->WasNamedClicked("exit");
        screen.Present();
    }
    EXPECT_EQ(clicks, 1);
}

// A screen that writes down what is done to it.
class LoggingScreen : public Screen {
  public:
    LoggingScreen(const char* screenName, std::string* journal) : log(journal) {
        SetName(screenName);
    }
    void Enter(plat::Display*, Surface*) override { *log += std::string("+") + name; }
    void Leave() override { *log += std::string("-") + name; }
    int HandleMessage(plat::Window*, unsigned message, uintptr_t, intptr_t) override {
        *log += " m" + std::to_string(message);
        return 5;
    }
    int Update(int active) override {
        *log += " u" + std::to_string(active);
        return 9;
    }
    int Present() override {
        *log += " p";
        return 3;
    }
    std::string* log;
};

// Presenting handed to another screen: the screen itself neither flips nor restores.
TEST_F(ScreenTest, ADelegateTakesOverPresenting) {
    std::string log;
    LoggingScreen presenter("p", &log);
    Screen screen;
    const unsigned flips = plat::GetFlipStats().flips;
    const int page = dirtyRects.Page();
    screen.SetPresentDelegate(&presenter);
    EXPECT_EQ(screen.Present(), 3);
    EXPECT_EQ(std::tuple(log, plat::GetFlipStats().flips, dirtyRects.Page()),
              std::tuple(" p", flips, page));
}

TEST(ScreenManagerTest, SwitchLeavesTheOldScreenBeforeEnteringTheNewAndTheCurrentGetsAll) {
    std::string log;
    LoggingScreen a("a", &log), b("b", &log), twin("a", &log);
    ScreenManager manager;
    for (Screen* screen : {&a, &b}) { // registered is not current: defaults
        EXPECT_EQ(manager.RouteMessage(nullptr, 0x200, 0, 0), 1);
        EXPECT_EQ(manager.Update(1), 0);
        manager.Register(screen);
    }
    for (const char* name : {"a", "a", "B", "nowhere", static_cast<const char*>(nullptr)})
        EXPECT_EQ(manager.SwitchTo(name), &a) << (name ? name : "null");
    EXPECT_EQ(manager.SwitchTo("b"), &b);
    EXPECT_EQ(manager.Update(1), 9);
    EXPECT_EQ(manager.RouteMessage(nullptr, 0x201, 0, 0), 5);
    manager.Register(&twin);
    manager.SwitchTo("a");
    EXPECT_EQ(manager.SwitchTo("a"), &twin); // the first of that name that is not current
    manager.LeaveAll();
    EXPECT_EQ(log, "+a-a+b u1 m513-b+a-a+a-a-b-a");
}

} // namespace
