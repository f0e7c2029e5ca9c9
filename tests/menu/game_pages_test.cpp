// The pages of games: which folders are games, what each slot shows and does on each page, the
// page arrows and number, the collect marker, and the command line's choice of a game.
#include <gtest/gtest.h>

#include <set>

#include "gfx/strip_group.h"
#include "menu_fixture.h"

using namespace menu_test;

namespace {

int SlotX(int k) {
    return 14 + 257 * (k % 3) + 125;
}
int SlotY(int k) {
    const int top[4] = {140, 247, 355, 461};
    return top[k / 3] + 50;
}

class GamePagesTest : public MenuTest {
  protected:
    void AddGames(int count) {
        for (int i = 0; i < count; ++i)
            AddGame("Game" + std::to_string(100 + i), false);
    }
    // Per slot: 'G' a game's icon shown, 'C' the collect marker, '.' nothing; lower case (and
    // '_' for nothing) when the slot takes no presses.
    static std::string Slots() {
        std::string slots;
        for (int k = 0; k < GAME_SLOTS; ++k) {
            const int pixel = ShownPixel(SlotX(k), SlotY(k));
            char shown = pixel == Rgb565(kIconRed)        ? 'G'
                         : pixel == Rgb565(kMarkerYellow) ? 'C'
                                                          : '.';
            const std::string name = "button" + std::to_string(k + 1);
            if (!gamePagesScreen.Strips()->FindByName(name.c_str())->IsActive())
                shown = shown == '.' ? '_' : static_cast<char>(shown + 32);
            slots += shown;
        }
        return slots;
    }
};

TEST_F(GamePagesTest, OnlyPlainFoldersWithAButtonPictureAreGames) {
    const std::string odd = "Spaces \"quotes\"; and \xE9t\xE9", tooLong(64, 'M');
    for (const std::string& name :
         {std::string("Kestrin"), odd, tooLong, std::string(".hidden"), std::string("Broken")})
        AddGame(name);
    std::filesystem::create_directory(suite.path() / "No button");
    WriteBytes(suite / "Broken/LumoraButton.bmp", "not a bitmap");
    std::filesystem::create_directory_symlink(suite.path() / "Kestrin", suite.path() / "Linked");
    testing::internal::CaptureStderr();
    Start();
    const std::string errors = testing::internal::GetCapturedStderr();

    std::set<std::string> names;
    for (int i = 0; i < gamePagesScreen.Games().Count(); ++i)
        names.insert(gamePagesScreen.Games().Get(i)->name);
    EXPECT_EQ(names, (std::set<std::string>{"Kestrin", odd, "Broken"}));
    // A name that does not fit the program file's 64 bytes is said, never cut and used.
    EXPECT_NE(errors.find(tooLong), std::string::npos) << errors;
    const GameRecord* kestrin = gamePagesScreen.Games().FindByProgram("Kestrin");
    EXPECT_EQ(std::make_pair(std::string(kestrin->folder), std::string(kestrin->programFile)),
              std::make_pair((suite.path() / "Kestrin").string(), std::string("Kestrin")));
    // A game handing control back names its program, or the beginning of it, in exact case.
    for (const char* miss : {"kestrin", "Kestrins", "", static_cast<const char*>(nullptr)}) {
        gamePagesScreen.SelectByProgram(miss);
        EXPECT_STREQ(ScreenName(), "Lumora");
    }
    EXPECT_EQ(gamePagesScreen.Games().FindByProgram(nullptr), nullptr);
    gamePagesScreen.SelectByProgram("Kest");
    EXPECT_EQ(titleScreen.Game(), kestrin);
    // A button picture that is no bitmap is reported, and its game listed without an icon.
    EXPECT_EQ(gamePagesScreen.Games().FindByProgram("Broken")->icon->FrameCount(), 0);
    ASSERT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_NE(plat::null::MessageBoxes()[0].find("Broken"), std::string::npos);
}

TEST_F(GamePagesTest, SlotsMarkerAndPagesFollowTheNumberOfGames) {
    // games, the first page's slots, "right" pressed so often, the page then and its slots
    const std::tuple<int, const char*, int, int, const char*> cases[] = {
        {0, "C___________", 1, 0, "C___________"},
        {11, "GGGGGGGGGGGC", 1, 0, "GGGGGGGGGGGC"},
        {12, "GGGGGGGGGGGG", 1, 1, "____________"},
        // Slots left active by the first page take no presses where they show nothing.
        {14, "GGGGGGGGGGGG", 1, 1, "GG__________"},
        {250, "GGGGGGGGGGGG", 25, 20, "GGGGGGGGGG__"},
    };
    for (const auto& [games, firstPage, rights, page, thatPage] : cases) {
        SCOPED_TRACE(std::to_string(games) + " games");
        FreshSuite();
        AddGames(games);
        Start();
        Frames(3);
        EXPECT_EQ(Slots(), firstPage);
        for (int i = 0; i < rights; ++i)
            Click(749, 29);
        Frames(3); // drawn into the still picture, restored from it, shown
        EXPECT_EQ(gamePagesScreen.Page(), page);
        EXPECT_EQ(Slots(), thatPage);
    }
    // Page 21's number, ending at x = 716: digit frames 10 wide, frame d in red 20 * (d + 1).
    EXPECT_EQ(std::make_pair(ShownPixel(700, 35), ShownPixel(710, 35)),
              std::make_pair(Rgb565({60, 0, 0}), Rgb565({40, 0, 0})));
    Click(648, 29); // "left"
    EXPECT_EQ(gamePagesScreen.Page(), 19);
}

TEST_F(GamePagesTest, AGameOnALaterPageOpensItsTitleScreenAndInformationAndTheMarkerOpen) {
    AddGames(14);
    Start(); // the information pop-up closes with "back", or when the program quits (at the end)
    EXPECT_EQ(ClickIntoPopup(647, 99, {{1, TapAt(kPanelX + 689 + 10, kPanelY + 370 + 10)}}), 1);
    Click(749, 29);            // "right"
    Click(SlotX(2), SlotY(2)); // nothing there
    EXPECT_TRUE(plat::null::OpenedAddresses().empty());
    Click(SlotX(1), SlotY(1));
    EXPECT_STREQ(ScreenName(), "title");
    EXPECT_EQ(titleScreen.Game(), gamePagesScreen.Games().Get(13));

    // The web site from "setup.ini", or the default for none or one too long to hold whole.
    std::vector<std::string> opened;
    const std::string websites[] = {"https://games.example/", "", std::string(3000, 'w')};
    for (const std::string& website : websites) {
        FreshSuite();
        WriteBytes(suite / "setup.ini", "[suite]\nwebsite=" + website + "\n");
        Start();
        Click(SlotX(0), SlotY(0));
        opened.push_back(plat::null::OpenedAddresses().at(0));
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"https://games.example/", "http://127.0.0.1:8080",
                                                "http://127.0.0.1:8080"}));
    Frame(); // shows the marker's release
    EXPECT_EQ(ClickIntoPopup(647, 99, {}, 5), UPDATE_QUIT);
}

} // namespace
