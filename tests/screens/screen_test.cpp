#include "screens/screen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gfx/strip_group.h"
#include "platform/display.h"
#include "screens/screen_manager.h"
#include "support/bmp_file.h"
#include "support/null_display.h"
#include "support/temp_dir.h"

namespace {

using testing_support::CurrentDirGuard;
using testing_support::NullDisplayTest;
using testing_support::TempDir;
using testing_support::WriteBytes;
using testing_support::WriteSolidBmp;

// A screen that logs what is done to it.
class LoggingScreen : public Screen {
  public:
    LoggingScreen(const char* screenName, std::vector<std::string>* journal) : log(journal) {
        SetName(screenName);
    }
    void Enter(plat::Display* dd, Surface* back) override {
        log->push_back(std::string("enter ") + GetName());
        Screen::Enter(dd, back);
    }
    void Leave() override {
        log->push_back(std::string("leave ") + GetName());
        Screen::Leave();
    }
    int HandleMessage(plat::Window*, unsigned message, uintptr_t, intptr_t) override {
        log->push_back(std::string("message ") + std::to_string(message));
        return 5;
    }
    int Update(int active) override {
        log->push_back(std::string("update ") + std::to_string(active));
        return 9;
    }
    plat::Display* StoredDisplay() const { return directDraw; }
    Surface* StoredBack() const { return backSurface; }

  private:
    std::vector<std::string>* log;
};

class CountingPresenter : public Screen {
  public:
    int Present() override {
        ++presents;
        return 42;
    }
    int presents = 0;
};

class ScreenTest : public NullDisplayTest {
  protected:
    void SetUp() override {
        NullDisplayTest::SetUp();
        guard = std::make_unique<CurrentDirGuard>();
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override {
        guard.reset();
        NullDisplayTest::TearDown();
    }
    std::string Ini(const std::string& text) {
        const std::string path = dir / "images.ini";
        WriteBytes(path, text);
        return path;
    }

    TempDir dir;
    std::unique_ptr<CurrentDirGuard> guard;
};

TEST_F(ScreenTest, ImageListEndsAtTheFirstMissingNumber) {
    WriteSolidBmp(dir / "one.bmp", 4, 3, {255, 0, 0});
    WriteSolidBmp(dir / "three.bmp", 4, 3, {0, 255, 0});
    Screen screen;
    EXPECT_EQ(screen.LoadImageList(Ini("[images]\nimage01=one\nimage03=three\n").c_str()), 0);
    ASSERT_EQ(screen.Images()->Count(), 1);
    EXPECT_NE(screen.FindImage("one"), nullptr);
    EXPECT_EQ(screen.FindImage("three"), nullptr);
}

TEST_F(ScreenTest, ImageKeysHaveTwoDigitsAtLeast) {
    WriteSolidBmp(dir / "one.bmp", 4, 3, {255, 0, 0});
    Screen screen;
    screen.LoadImageList(Ini("[images]\nimage1=one\n").c_str());
    EXPECT_EQ(screen.Images()->Count(), 0);
    screen.LoadImageList(Ini("[IMAGES]\nIMAGE01=one\n").c_str()); // keys match in any case
    EXPECT_EQ(screen.Images()->Count(), 1);
}

TEST_F(ScreenTest, ImageFileDefaultsToTheSectionNameAndPositionToZero) {
    WriteSolidBmp(dir / "panel.bmp", 7, 5, {255, 0, 0});
    WriteSolidBmp(dir / "other.bmp", 3, 2, {0, 255, 0});
    Screen screen;
    screen.LoadImageList(Ini("[images]\nimage01=panel\nimage02=button\nimage03=ghost\n"
                             "[panel]\n"
                             "[button]\nfile=other.bmp\nx=120\ny=-7\n"
                             "[ghost]\nfile=missing.bmp\nx=3\n")
                             .c_str());
    ASSERT_EQ(screen.Images()->Count(), 3);

    Image* panel = screen.FindImage("panel");
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(panel->surface, nullptr); // loaded from "panel.bmp"
    EXPECT_EQ(panel->width, 7);
    EXPECT_EQ(panel->x, 0);
    EXPECT_EQ(panel->y, 0);

    Image* button = screen.FindImage("button"); // named by its section, not its file
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->width, 3);
    EXPECT_EQ(button->x, 120);
    EXPECT_EQ(button->y, -7);
    EXPECT_EQ(screen.FindImage("other.bmp"), nullptr);
    ASSERT_NE(button->surface, nullptr);
    EXPECT_EQ(button->surface->colorKey, 0x001F);

    // A picture that cannot be loaded stays in the list, found by name, drawing nothing.
    Image* ghost = screen.FindImage("ghost");
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->surface, nullptr);
    EXPECT_EQ(ghost->x, 3);
    plat::ClearWritten(Back());
    EXPECT_EQ(screen.DrawImageAtHome(Back(), "ghost"), 1);
    EXPECT_FALSE(plat::HasWritten(Back()));
}

TEST_F(ScreenTest, MissingImageListGivesNoImages) {
    Screen screen;
    EXPECT_EQ(screen.LoadImageList((dir / "absent.ini").c_str()), 0);
    EXPECT_EQ(screen.Images()->Count(), 0);
}

TEST_F(ScreenTest, AddImageKeepsOnlyPicturesThatLoaded) {
    WriteSolidBmp(dir / "pic.bmp", 2, 2, {255, 0, 0});
    Screen screen;
    EXPECT_EQ(screen.AddImage("nothing.bmp"), nullptr);
    EXPECT_EQ(screen.Images()->Count(), 0);
    Image* pic = screen.AddImage("pic.bmp");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(screen.Images()->Count(), 1);
    EXPECT_EQ(screen.FindImage("pic.bmp"), pic);
    EXPECT_EQ(screen.FindImage("PIC.BMP"), nullptr); // names compare exactly
}

TEST_F(ScreenTest, DrawImageFindsByNameAndDrawsWithTheBlueKey) {
    WriteBytes(
        dir / "pic.bmp", testing_support::BmpBytes(2, 1, [](int x, int) {
            return x == 0 ? testing_support::Rgb{0, 0, 255} : testing_support::Rgb{255, 255, 255};
        }));
    Screen screen;
    Image* pic = screen.AddImage("pic.bmp");
    ASSERT_NE(pic, nullptr);
    pic->x = 30;
    pic->y = 40;
    EXPECT_EQ(screen.DrawImage(Back(), "unknown", 0, 0), 0);
    EXPECT_EQ(screen.DrawImageAtHome(Back(), "unknown"), 0);
    EXPECT_EQ(screen.DrawImage(Back(), "pic.bmp", 10, 20), 1);
    EXPECT_EQ(BackPixel(10, 20), testing_support::kBlack); // key pixel left alone
    EXPECT_EQ(BackPixel(11, 20), testing_support::kWhite);
    EXPECT_EQ(screen.DrawImageAtHome(Back(), "pic.bmp"), 1);
    EXPECT_EQ(BackPixel(31, 40), testing_support::kWhite);
}

TEST_F(ScreenTest, LeaveFreesEverythingAndTheNextEnterStartsEmpty) {
    WriteSolidBmp(dir / "pic.bmp", 2, 2, {255, 0, 0});
    std::vector<std::string> log;
    LoggingScreen screen("s", &log);
    screen.Enter(nullptr, Back());
    screen.AddImage("pic.bmp");
    screen.AddStrip(new ImageStrip());
    ASSERT_EQ(screen.Strips()->Count(), 1);
    screen.Leave();
    EXPECT_EQ(screen.FindImage("pic.bmp"), nullptr);
    EXPECT_EQ(screen.FindImage(""), nullptr);
    EXPECT_EQ(screen.Images(), nullptr);
    EXPECT_EQ(screen.Strips(), nullptr);
    EXPECT_EQ(screen.DrawImage(Back(), "pic.bmp", 0, 0), 0);
    screen.Leave(); // twice is harmless

    screen.Enter(plat::CurrentDisplay(), Back());
    ASSERT_NE(screen.Images(), nullptr);
    ASSERT_NE(screen.Strips(), nullptr);
    EXPECT_EQ(screen.Images()->Count(), 0);
    EXPECT_EQ(screen.Strips()->Count(), 0);
    EXPECT_EQ(screen.StoredDisplay(), plat::CurrentDisplay());
    EXPECT_EQ(screen.StoredBack(), Back());
}

TEST_F(ScreenTest, ButtonsAreCutIntoTheirFramesPlacedAtTheGroupsOriginAndFoundByName) {
    WriteSolidBmp(dir / "exit.bmp", 40, 10, {255, 0, 0});
    std::vector<std::string> log;
    LoggingScreen screen("s", &log);
    screen.Enter(nullptr, Back());
    screen.Strips()->SetOrigin(100, 50);
    ImageStrip* exit = screen.AddButton("exit", 7, 8, "exit.bmp");
    ImageStrip* missing = screen.AddButton("gone", 0, 0, "missing.bmp");
    EXPECT_EQ(screen.Strips()->FindByName("exit"), exit);
    EXPECT_EQ(screen.Strips()->FindByName("gone"), missing);
    EXPECT_EQ(exit->FrameCount(), 2);
    EXPECT_EQ(exit->Width(), 20); // two frames side by side
    EXPECT_EQ(exit->OriginX(), 100);
    EXPECT_EQ(missing->FrameCount(), 0); // a missing bitmap gives a button that draws nothing
}

TEST_F(ScreenTest, ATapBetweenTwoFramesClicksAButtonOnce) {
    WriteSolidBmp(dir / "exit.bmp", 40, 10, {255, 0, 0});
    Screen screen;
    screen.Enter(nullptr, Back());
    screen.AddButton("exit", 100, 100, "exit.bmp");
    mouseCursor.SetPosition(105, 105);
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

TEST_F(ScreenTest, NamesAreCutToTheirField) {
    Screen screen;
    EXPECT_STREQ(screen.GetName(), "");
    const std::string longName(300, 'x');
    screen.SetName(longName.c_str());
    EXPECT_EQ(std::string(screen.GetName()), longName.substr(0, 255));
    screen.SetName(nullptr);
    EXPECT_STREQ(screen.GetName(), "");
}

TEST_F(ScreenTest, PresentFlipsThenRestoresTheOtherPage) {
    Surface* target = testing_support::SolidSurface(800, 600, testing_support::kGreen);
    dirtyRects.SetTarget(target);
    dirtyRects.AddRectFlags(5, 5, 2, 2, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET); // frame N
    Screen screen;
    const unsigned flipsBefore = plat::GetFlipStats().flips;
    EXPECT_EQ(screen.Present(), 1);
    EXPECT_EQ(plat::GetFlipStats().flips, flipsBefore + 1);
    EXPECT_EQ(dirtyRects.Page(), 1);
    EXPECT_EQ(BackPixel(5, 5), testing_support::kBlack);
    screen.Present(); // frame N+1 ends: frame N's rectangle is restored
    EXPECT_EQ(BackPixel(5, 5), testing_support::kGreen);
    dirtyRects.Clear();
    ReleaseSurface(target);
}

TEST_F(ScreenTest, PresentDelegateTakesOverTheWholePresent) {
    Surface* target = testing_support::SolidSurface(800, 600, testing_support::kGreen);
    dirtyRects.SetTarget(target);
    dirtyRects.AddRectFlags(5, 5, 2, 2, DIRTY_ONE_SHOT, DIRTY_FROM_TARGET);
    dirtyRects.FlipPage(); // due at the next Present
    CountingPresenter presenter;
    Screen screen;
    screen.SetPresentDelegate(&presenter);
    const unsigned flipsBefore = plat::GetFlipStats().flips;
    EXPECT_EQ(screen.Present(), 42);
    EXPECT_EQ(presenter.presents, 1);
    EXPECT_EQ(plat::GetFlipStats().flips, flipsBefore);  // no flip of its own
    EXPECT_EQ(dirtyRects.Page(), 1);                     // no page turn
    EXPECT_EQ(BackPixel(5, 5), testing_support::kBlack); // nothing restored
    EXPECT_EQ(dirtyRects.List(0).Count(), 1);

    screen.SetPresentDelegate(nullptr);
    screen.Present();
    EXPECT_EQ(presenter.presents, 1);
    EXPECT_EQ(BackPixel(5, 5), testing_support::kGreen);
    dirtyRects.Clear();
    ReleaseSurface(target);
}

// The pattern of the programs' screens: two copies of one picture, the target composed on and
// the background repaired from, and the whole picture shown at the next presents.
class PictureScreen : public Screen {
  public:
    explicit PictureScreen(const char* file) : fileName(file) {}
    void Enter(plat::Display* dd, Surface* back) override {
        Screen::Enter(dd, back);
        SetUpStillPicture(fileName);
    }
    Image* Target() const { return targetImage; }
    Image* Background() const { return backgroundImage; }

  private:
    const char* fileName;
};

TEST_F(ScreenTest, StillPictureIsComposedFromTwoCopiesAndShownWhole) {
    WriteSolidBmp(dir / "background.bmp", 40, 30, {255, 0, 0});
    PictureScreen screen("background.bmp");
    screen.Enter(plat::CurrentDisplay(), Back());
    ASSERT_NE(screen.Target(), nullptr);
    ASSERT_NE(screen.Background(), nullptr);
    EXPECT_NE(screen.Target()->surface, screen.Background()->surface);
    EXPECT_EQ(dirtyRects.GetTarget(), screen.Target()->surface);
    EXPECT_EQ(dirtyRects.GetBackground(), screen.Background()->surface);
    screen.Present();
    EXPECT_EQ(BackPixel(0, 0), testing_support::kBlack);
    screen.Present();
    EXPECT_EQ(BackPixel(0, 0), testing_support::kRed);
    EXPECT_EQ(BackPixel(39, 29), testing_support::kRed);
    EXPECT_EQ(BackPixel(40, 29), testing_support::kBlack);
    screen.Leave();
    EXPECT_EQ(screen.Target(), nullptr);
    EXPECT_EQ(screen.Background(), nullptr);

    // A screen whose picture is missing leaves nothing of the earlier one to restore from.
    PictureScreen missing("nothing.bmp");
    missing.Enter(plat::CurrentDisplay(), Back());
    EXPECT_EQ(missing.Target(), nullptr);
    EXPECT_EQ(dirtyRects.GetTarget(), nullptr);
    EXPECT_EQ(dirtyRects.GetBackground(), nullptr);
    FillSurface(Back(), testing_support::kBlack);
    missing.Present();
    missing.Present();
    EXPECT_EQ(BackPixel(0, 0), testing_support::kBlack);
}

class ScreenManagerTest : public ::testing::Test {
  protected:
    ScreenManager manager;
    std::vector<std::string> log;
    LoggingScreen a{"a", &log};
    LoggingScreen b{"b", &log};
};

TEST_F(ScreenManagerTest, WithoutACurrentScreenRoutingAndUpdateGiveTheirDefaults) {
    EXPECT_EQ(manager.RouteMessage(nullptr, 0x200, 0, 0), 1);
    EXPECT_EQ(manager.Update(1), 0);
    manager.Register(&a);
    EXPECT_EQ(manager.RouteMessage(nullptr, 0x200, 0, 0), 1); // registered is not current
    EXPECT_EQ(manager.Update(1), 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(ScreenManagerTest, SwitchLeavesTheOldScreenBeforeEnteringTheNew) {
    int display = 0;
    Surface back;
    manager.SetDisplay(reinterpret_cast<plat::Display*>(&display), &back);
    manager.Register(&a);
    manager.Register(&b);
    EXPECT_EQ(manager.SwitchTo("a"), &a);
    EXPECT_EQ(a.StoredDisplay(), reinterpret_cast<plat::Display*>(&display));
    EXPECT_EQ(a.StoredBack(), &back);
    EXPECT_EQ(manager.SwitchTo("a"), &a); // its own name: nothing happens
    EXPECT_EQ(manager.SwitchTo("B"), &a); // names compare exactly
    EXPECT_EQ(manager.SwitchTo("nowhere"), &a);
    EXPECT_EQ(manager.SwitchTo(nullptr), &a);
    EXPECT_EQ(manager.SwitchTo("b"), &b);
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "leave a", "enter b"}));
}

TEST_F(ScreenManagerTest, CurrentScreenGetsTheFramesAndMessages) {
    manager.Register(&a);
    manager.Register(&b);
    manager.SwitchTo("b");
    log.clear();
    EXPECT_EQ(manager.Update(1), 9);
    EXPECT_EQ(manager.RouteMessage(nullptr, 0x201, 0, 0), 5);
    EXPECT_EQ(log, (std::vector<std::string>{"update 1", "message 513"}));
}

TEST_F(ScreenManagerTest, SameNameTwiceSwitchesToTheNextScreenOfThatName) {
    LoggingScreen twin("a", &log);
    manager.Register(&a);
    manager.Register(&twin);
    EXPECT_EQ(manager.SwitchTo("a"), &a);
    EXPECT_EQ(manager.SwitchTo("a"), &twin); // the first that is not current
}

TEST_F(ScreenManagerTest, LeaveAllLeavesEveryScreenInRegistrationOrder) {
    manager.Register(&b);
    manager.Register(&a);
    manager.SwitchTo("a");
    log.clear();
    manager.LeaveAll();
    EXPECT_EQ(log, (std::vector<std::string>{"leave b", "leave a"}));
}

} // namespace
