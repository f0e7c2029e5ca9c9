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
    EXPECT_EQ(screen.LoadImageList("absent.ini"), 0);
    EXPECT_EQ(screen.Images()->Count(), 0);
    WriteBytes("images.ini",
               "[IMAGES]\nIMAGE01=red\nimage02=button\nimage03=ghost\nimage05=late\n"
               "[button]\nfile=keyed.bmp\nx=120\ny=7\n[ghost]\nfile=gone.bmp\nx=-3\n");
    EXPECT_EQ(screen.LoadImageList("images.ini"), 0);
    ASSERT_EQ(screen.Images()->Count(), 3);
    Image* red = screen.FindImage("red"); // its file named after the section, placed at 0, 0
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(std::tuple(red->width, red->x, red->y), std::tuple(40, 0, 0));
    EXPECT_EQ(screen.FindImage("RED"), screen.FindImage("keyed.bmp")); // neither is there
    EXPECT_EQ(screen.DrawImageAtHome(Back(), "button"), 1);
    EXPECT_EQ(std::tuple(BackPixel(120, 7), BackPixel(121, 7)), std::tuple(kBlack, kWhite));
    // A picture that cannot be loaded stays listed and draws nothing.
    ASSERT_NE(screen.FindImage("ghost"), nullptr);
    EXPECT_EQ(screen.FindImage("ghost")->x, -3);
    plat::ClearWritten(Back());
    EXPECT_EQ(screen.DrawImageAtHome(Back(), "ghost"), 1);
    EXPECT_EQ(screen.DrawImageAtHome(Back(), "late"), 0);
    EXPECT_FALSE(plat::HasWritten(Back()));
    // Added one by one, only pictures that load are kept, named by their files.
    EXPECT_EQ(screen.AddImage("gone.bmp"), nullptr);
    Image* keyed = screen.AddImage("keyed.bmp");
    ASSERT_NE(keyed, nullptr);
    EXPECT_EQ(screen.FindImage("keyed.bmp"), keyed);
    EXPECT_EQ(screen.DrawImage(Back(), "x", 0, 0), 0);
    EXPECT_EQ(screen.DrawImage(Back(), "keyed.bmp", 10, 20), 1);
    EXPECT_EQ(BackPixel(11, 20), kWhite);
}

TEST_F(ScreenTest, LeaveFreesEverythingAndTheNextEnterStartsEmpty) {
    Screen screen;
    screen.AddImage("red.bmp");
    screen.AddStrip(new ImageStrip());
    for (int round = 0; round < 2; ++round) { // twice in a row is harmless
        screen.Leave();
        EXPECT_EQ(std::tuple(screen.FindImage("red.bmp"), screen.Strips()),
                  std::tuple(nullptr, nullptr));
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

// The programs' screens: two copies of one picture, the target composed on and the background
// repaired from, and the whole picture shown. Presenting can be handed to another screen.
class PictureScreen : public Screen {
  public:
    explicit PictureScreen(const char* file) : fileName(file) {}
    void Enter(plat::Display* dd, Surface* back) override {
        Screen::Enter(dd, back);
        SetUpStillPicture(fileName);
    }
    int Present() override {
        ++presents;
        return Screen::Present();
    }
    const char* fileName;
    int presents = 0;
};

TEST_F(ScreenTest, PresentFlipsThenRestoresWhatWasDrawnTwoFramesAgo) {
    PictureScreen screen("red.bmp"), presenter("red.bmp");
    screen.Enter(plat::CurrentDisplay(), Back());
    ASSERT_NE(dirtyRects.GetTarget(), nullptr);
    EXPECT_NE(dirtyRects.GetTarget(), dirtyRects.GetBackground());
    screen.SetPresentDelegate(&presenter);
    const unsigned flips = plat::GetFlipStats().flips;
    EXPECT_EQ(screen.Present(), 1);
    EXPECT_EQ(std::tuple(presenter.presents, plat::GetFlipStats().flips), std::tuple(1, flips + 1));
    EXPECT_EQ(BackPixel(39, 9), kBlack); // the picture is restored when the page that had it ends
    screen.SetPresentDelegate(nullptr);
    screen.Present();
    EXPECT_EQ(std::tuple(BackPixel(39, 9), BackPixel(40, 9)), std::tuple(kRed, kBlack));
    screen.Leave();
    PictureScreen missing("nothing.bmp"); // black, and nothing of the earlier one to restore from
    missing.Enter(plat::CurrentDisplay(), Back());
    EXPECT_EQ(std::tuple(dirtyRects.GetTarget(), dirtyRects.GetBackground(), BackPixel(39, 9)),
              std::tuple(nullptr, nullptr, kBlack));
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
    std::string* log;
};

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
