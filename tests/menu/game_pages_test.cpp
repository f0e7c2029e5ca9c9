// The pages of games: which folders are games, what each slot shows and does on each page, the
// page arrows, the collect marker, the command line's choice of a game.
#include <gtest/gtest.h>

#include <set>

#include "gfx/strip_group.h"
#include "menu_fixture.h"

using namespace menu_test;

namespace {

constexpr int kSlotX[3] = {14, 271, 528};
constexpr int kSlotY[4] = {140, 247, 355, 461};
int SlotCentreX(int k) {
    return kSlotX[k % 3] + 125;
}
int SlotCentreY(int k) {
    return kSlotY[k / 3] + 50;
}

class GamePagesTest : public MenuTest {
  protected:
    std::set<std::string> GameNames() const {
        std::set<std::string> names;
        for (int i = 0; i < gamePagesScreen.Games().Count(); ++i)
            names.insert(gamePagesScreen.Games().Get(i)->name);
        return names;
    }
    // What each slot shows ('G' a game's icon, 'C' the collect marker, '.' nothing) and which
    // slots take presses ('x').
    static std::string Shown() {
        std::string shown;
        for (int k = 0; k < GAME_SLOTS; ++k) {
            int pixel = ShownPixel(SlotCentreX(k), SlotCentreY(k));
            shown += pixel == Pixel(kIconRed) ? 'G' : pixel == Pixel(kMarkerYellow) ? 'C' : '.';
        }
        return shown;
    }
    static std::string Pressable() {
        std::string active;
        for (int k = 0; k < GAME_SLOTS; ++k) {
            std::string name = "button" + std::to_string(k + 1);
            active += gamePagesScreen.Strips()->FindByName(name.c_str())->IsActive() ? 'x' : '.';
        }
        return active;
    }
};

TEST_F(GamePagesTest, OnlyPlainFoldersWithAButtonPictureAreGames) {
    AddGame("Kestrin");
    AddGame("No icon", false);
    AddGame(".hidden");
    AddGame("Spaces \"quotes\"; and \xE9t\xE9");
    AddGame(std::string(63, 'L'));
    AddGame(std::string(64, 'M')); // does not fit the program file's 64 bytes
    AddGame("Broken");
    WriteBytes(suite / "Broken/LumoraButton.bmp", "not a bitmap");
    std::filesystem::create_directory_symlink(suite.path() / "Kestrin", suite.path() / "Linked");
    WriteBytes(suite / "plain file", "x");

    testing::internal::CaptureStderr();
    Start();
    std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_EQ(GameNames(), (std::set<std::string>{"Kestrin", "Spaces \"quotes\"; and \xE9t\xE9",
                                                  std::string(63, 'L'), "Broken"}));
    EXPECT_NE(errors.find(std::string(64, 'M')), std::string::npos) << errors;
    const GameRecord* kestrin = gamePagesScreen.Games().FindByProgram("Kestrin");
    ASSERT_NE(kestrin, nullptr);
    EXPECT_EQ(std::filesystem::path(kestrin->folder), suite.path() / "Kestrin");
    EXPECT_STREQ(kestrin->programFile, "Kestrin");
    EXPECT_EQ(kestrin->icon->FrameCount(), 1);
    // The picture that is no bitmap is reported and its game listed without an icon.
    EXPECT_EQ(gamePagesScreen.Games().FindByProgram("Broken")->icon->FrameCount(), 0);
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_NE(plat::null::MessageBoxes()[0].find("Broken"), std::string::npos);
}

TEST_F(GamePagesTest, SlotsMarkerAndPagesFollowTheNumberOfGames) {
    const struct {
        int games;
        const char* firstPage; // what the slots show, then which take presses
        const char* firstActive;
        int pageAfterRight;
        const char* afterRight;
        const char* afterRightActive;
    } cases[] = {
        {0, "C...........", "x...........", 0, "C...........", "x..........."},
        {5, "GGGGGC......", "xxxxxx......", 0, "GGGGGC......", "xxxxxx......"},
        {11, "GGGGGGGGGGGC", "xxxxxxxxxxxx", 0, "GGGGGGGGGGGC", "xxxxxxxxxxxx"},
        {12, "GGGGGGGGGGGG", "xxxxxxxxxxxx", 1, "............", "............"},
        {14, "GGGGGGGGGGGG", "xxxxxxxxxxxx", 1, "GG..........", "xx.........."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.games) + " games");
        FreshSuite();
        AddGames(c.games);
        Start();
        // Drawn into the still picture, restored from it after the next flip, then shown.
        Frames(3);
        EXPECT_EQ(Shown(), c.firstPage);
        EXPECT_EQ(Pressable(), c.firstActive);
        Click(759, 41); // "right"
        Frames(3);
        EXPECT_EQ(gamePagesScreen.Page(), c.pageAfterRight);
        EXPECT_EQ(Shown(), c.afterRight);
        EXPECT_EQ(Pressable(), c.afterRightActive);
        Click(658, 41); // "left"
        EXPECT_EQ(gamePagesScreen.Page(), 0);
    }
}

TEST_F(GamePagesTest, HundredsOfGamesTurnThroughTwoDigitPages) {
    AddGames(250);
    Start();
    EXPECT_EQ(gamePagesScreen.Games().Count(), 250);
    for (int i = 0; i < 25; ++i)
        Click(759, 41);
    Frames(3);
    EXPECT_EQ(gamePagesScreen.Page(), 20); // 20 full pages, then 10 games on page 21
    EXPECT_EQ(Shown(), "GGGGGGGGGG..");
    // "21" ends at x = 716: digit frames are 10 wide, frame d in red 20 * (d + 1).
    EXPECT_EQ(ShownPixel(700, 35), Pixel(Rgb{60, 0, 0}));
    EXPECT_EQ(ShownPixel(710, 35), Pixel(Rgb{40, 0, 0}));
}

TEST_F(GamePagesTest, AGameOpensItsTitleScreenAndAFreePlaceTheWebSite) {
    AddGames(14);
    WriteBytes(suite / "setup.ini", "[suite]\nwebsite=https://games.example/\n");
    Start();
    Click(759, 41);
    // Page 2: the 13th game in the first place; an empty place does nothing at all.
    Click(SlotCentreX(2), SlotCentreY(2));
    EXPECT_STREQ(ScreenName(), "Lumora");
    EXPECT_TRUE(plat::null::OpenedAddresses().empty());
    const GameRecord* thirteenth = gamePagesScreen.Games().Get(12);
    Click(SlotCentreX(0), SlotCentreY(0));
    EXPECT_STREQ(ScreenName(), "title");
    EXPECT_EQ(titleScreen.Game(), thirteenth);

    std::vector<std::string> opened;
    for (const char* setup : {"[suite]\nwebsite=https://games.example/\n", "[suite]\nwebsite=\n"}) {
        FreshSuite();
        WriteBytes(suite / "setup.ini", setup);
        Start();
        Click(SlotCentreX(0), SlotCentreY(0)); // the marker of an empty suite
        Click(SlotCentreX(1), SlotCentreY(1)); // nothing there
        opened.insert(opened.end(), plat::null::OpenedAddresses().begin(),
                      plat::null::OpenedAddresses().end());
    }
    EXPECT_EQ(opened,
              (std::vector<std::string>{"https://games.example/", "http://127.0.0.1:8080"}));
}

TEST_F(GamePagesTest, TheCommandLineOpensTheFirstGameWhoseProgramItBegins) {
    AddGame("Kestrin");
    AddGame("Kestrel");
    const struct {
        const char* argument;
        const char* screen;
        const char* game;
    } cases[] = {
        {"Kestrin", "title", "Kestrin"},
        {"Kestre", "title", "Kestrel"},
        {"kestrin", "Lumora", nullptr},
        {"Kestrins", "Lumora", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        Start(c.argument);
        EXPECT_STREQ(ScreenName(), c.screen);
        if (c.game) {
            EXPECT_STREQ(titleScreen.Game()->name, c.game);
        }
        std::filesystem::current_path(suite.path());
        screenManager.SwitchTo("Lumora");
    }
}

TEST_F(GamePagesTest, InformationPopupClosesWithBackAndExitEndsTheProgram) {
    Start();
    // "back" of the centred panel closes it; a quit while it is open ends the program.
    EXPECT_EQ(ClickIntoPopup(650, 100, Taps({{10 + 689 + 20, 75 + 370 + 20}})), 1);
    EXPECT_STREQ(ScreenName(), "Lumora");
    EXPECT_EQ(ClickIntoPopup(
                  650, 100, [](int) {}, 5),
              UPDATE_QUIT);
    DropQuit();
    Frame(); // the frame the quit cut short
    EXPECT_EQ(Click(730, 100), UPDATE_QUIT);
}

} // namespace
