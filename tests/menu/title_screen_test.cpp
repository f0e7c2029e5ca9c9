// A game's title screen: the sound switches and "options.ini", the name slots and the current
// player, the pop-ups it opens and what it writes after them, "Play" and "Menu".
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "menu_fixture.h"

using namespace menu_test;

namespace {

constexpr int kSfxX = 77, kMusicX = 131, kSwitchY = 530;
constexpr int kPlayersX = 398, kPlayersY = 342;
constexpr int kPanelBackX = 53 + 608 + 30, kPanelBackY = 18 + 489 + 20;

class TitleScreenTest : public MenuTest {
  protected:
    void SetUp() override {
        MenuTest::SetUp();
        AddGame("Kestrin");
    }
    void Open() {
        Start("Kestrin");
        ASSERT_STREQ(ScreenName(), "title");
    }
    static void TapSlot(int i) { Tap(NAME_SLOTS[i].x + 5, NAME_SLOTS[i].y + 5); }
    // The colour a slot's first letter is drawn in.
    static int SlotInk(int i) { return ShownPixel(NAME_SLOTS[i].x + 1, NAME_SLOTS[i].y + 1); }
    std::string Options() const { return ReadFile("options.ini"); }
};

TEST_F(TitleScreenTest, SwitchesShowAndWriteTheirSettings) {
    const struct {
        const char* options;
        int clickX;
        int sfxPicture, musicPicture; // before the click
        const char* written;
    } cases[] = {
        {"", kSfxX, Pixel(kSwitchOn), Pixel(kSwitchOn), "SFX=N"},
        {"[setup]\nMusic=N\n", kMusicX, Pixel(kSwitchOn), Pixel(kSwitchOff), "Music=Y"},
        {"[SETUP]\nsfx=No\nMusic=yes\n", kSfxX, Pixel(kSwitchOff), Pixel(kSwitchOn), "=Y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        FreshSuite();
        AddGame("Kestrin");
        WriteBytes(suite / "options.ini", c.options);
        Open();
        Frame();
        EXPECT_EQ(ShownPixel(kSfxX, kSwitchY), c.sfxPicture);
        EXPECT_EQ(ShownPixel(kMusicX, kSwitchY), c.musicPicture);
        Click(c.clickX, kSwitchY);
        EXPECT_NE(Options().find(c.written), std::string::npos) << Options();
        const int sfxNow = c.clickX == kSfxX ? (c.sfxPicture == Pixel(kSwitchOn) ? Pixel(kSwitchOff)
                                                                                 : Pixel(kSwitchOn))
                                             : c.sfxPicture;
        EXPECT_EQ(ShownPixel(kSfxX, kSwitchY), sfxNow);
    }
}

TEST_F(TitleScreenTest, ATapOnANameMakesItTheCurrentPlayerOnce) {
    WriteBytes(suite / "options.ini", "[Player4]\nname=Anna Maria\n");
    Open();
    Frame();
    EXPECT_STREQ(titleScreen.NameSlot(3)->Text(), "Anna");
    EXPECT_EQ(SlotInk(0), Pixel(kHighlightRed));
    EXPECT_EQ(SlotInk(3), Pixel(kNameWhite));

    TapSlot(3);
    Frame();
    EXPECT_NE(Options().find("playerid=3"), std::string::npos);
    EXPECT_EQ(titleScreen.CurrentPlayer(), 3);
    // Taken once: a second press on a selected slot would have made it active.
    EXPECT_EQ(titleScreen.NameSlot(3)->IsActive(), 0);
    Frame();
    EXPECT_EQ(SlotInk(3), Pixel(kHighlightRed));
    EXPECT_EQ(SlotInk(0), Pixel(kNameWhite));

    Tap(20, 20); // beside every slot
    Frame();
    Frame();
    EXPECT_EQ(titleScreen.CurrentPlayer(), 3);
    EXPECT_EQ(SlotInk(3), Pixel(kHighlightRed));
}

TEST_F(TitleScreenTest, EveryPlayerIsWrittenBackWhateverClosesThePlayersPopup) {
    const struct {
        int x, y;
        const char* result;
    } buttons[] = {
        {kPanelBackX, kPanelBackY, "back"},
        {53 + 474 + 50, 18 + 471 + 20, "play"},
        {53 + 360 + 50, 18 + 471 + 20, "remove"},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.result);
        WriteBytes(suite / "options.ini", "[setup]\nplayerid=1\n[Player2]\nname=Bo Ek\nsend=N\n");
        Open();
        EXPECT_EQ(ClickIntoPopup(kPlayersX, kPlayersY, Taps({{b.x, b.y}})), 1);
        const std::string options = Options();
        for (int i = 1; i <= MAX_PLAYERS; ++i)
            EXPECT_NE(options.find("[Player" + std::to_string(i) + "]"), std::string::npos);
        const bool removed = std::string(b.result) == "remove";
        EXPECT_NE(options.find(removed ? "name=Player2" : "name=Bo Ek"), std::string::npos);
        EXPECT_STREQ(titleScreen.NameSlot(1)->Text(), removed ? "Player2" : "Bo");
        std::filesystem::current_path(suite.path());
        screenManager.SwitchTo("Lumora");
    }
}

TEST_F(TitleScreenTest, PicturePopupsCloseOnAnyPress) {
    Open();
    for (int y : {320, 460}) { // "HowToPlay", "Credits"
        EXPECT_EQ(ClickIntoPopup(100, y, Taps({{400, 300}})), 1);
        EXPECT_STREQ(ScreenName(), "title");
    }
    // Without its picture the pop-up would be invisible and could not be closed: it stays shut.
    std::filesystem::remove(suite.path() / "Kestrin/title/Credits.bmp");
    EXPECT_EQ(ClickIntoPopup(
                  100, 460, [](int) {}, 5),
              1);
}

TEST_F(TitleScreenTest, MenuGoesBackToThePagesInTheSuiteFolder) {
    Open();
    EXPECT_EQ(std::filesystem::current_path(), suite.path() / "Kestrin");
    Click(690, 390);
    EXPECT_STREQ(ScreenName(), "Lumora");
    EXPECT_EQ(std::filesystem::current_path(), suite.path());
    Frame(); // the pages' first frame
    EXPECT_EQ(Click(730, 100), UPDATE_QUIT);
}

TEST_F(TitleScreenTest, PlayStartsTheGameOrSaysWhyNot) {
    const std::string program = (suite.path() / "Kestrin/Kestrin").string();
    const struct {
        const char* name;
        std::function<void()> damage;
        int result;
    } cases[] = {
        {"runnable", [] {}, UPDATE_QUIT},
        {"not executable", [&] { chmod(program.c_str(), 0644); }, 1},
        {"missing", [&] { std::filesystem::remove(program); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FreshSuite();
        AddGame("Kestrin");
        c.damage();
        Open();
        EXPECT_EQ(Click(690, 320), c.result);
        ASSERT_EQ(plat::null::StartedPrograms().size(), 1u);
        const auto& started = plat::null::StartedPrograms()[0];
        EXPECT_EQ(started.program, program);
        EXPECT_EQ(started.parameter, suite.path().string());
        EXPECT_EQ(started.workDir, (suite.path() / "Kestrin").string());
        const bool failed = c.result != UPDATE_QUIT;
        EXPECT_EQ(plat::null::MessageBoxes().size(), failed ? 1u : 0u);
        if (failed) { // still on the title screen, in the game's folder
            EXPECT_STREQ(ScreenName(), "title");
            EXPECT_EQ(std::filesystem::current_path(), suite.path() / "Kestrin");
            EXPECT_EQ(Click(690, 470), UPDATE_QUIT);
        }
    }
}

TEST_F(TitleScreenTest, SettingsThatCannotBeSavedAreReportedOnce) {
    std::filesystem::create_directory(suite.path() / "options.ini");
    Open();
    Click(kSfxX, kSwitchY);
    Click(kMusicX, kSwitchY);
    TapSlot(2);
    Frame();
    EXPECT_EQ(plat::null::MessageBoxes().size(), 1u);
}

} // namespace
