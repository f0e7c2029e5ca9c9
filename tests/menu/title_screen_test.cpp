// A game's title screen: the name slots and the current player, its pop-ups, "Menu", "Play", and
// settings that cannot be saved.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "menu_fixture.h"

using namespace menu_test;

namespace {

constexpr int kSfxX = 62, kSwitchY = 515;

class TitleScreenTest : public MenuTest {
  protected:
    void SetUp() override {
        MenuTest::SetUp();
        AddGame("Kestrin");
    }
    // The colour of a slot's first letter.
    static int SlotInk(int i) { return ShownPixel(NAME_SLOTS[i].x + 1, NAME_SLOTS[i].y + 1); }
};

TEST_F(TitleScreenTest, ATapOnANameMakesItTheCurrentPlayerOnceAndMenuLeaves) {
    WriteBytes(suite / "options.ini", "[Player4]\nname=Anna Maria\n");
    Start("Kestrin");
    Frame();
    EXPECT_STREQ(titleScreen.NameSlot(3)->Text(), "Anna");
    EXPECT_EQ(SlotInk(0), Rgb565(kHighlightRed));
    Tap(NAME_SLOTS[3].x + 5, NAME_SLOTS[3].y + 5);
    Frame();
    EXPECT_NE(ReadFile("options.ini").find("playerid=3\n"), std::string::npos);
    // Taken once: a second press on the selected slot would have made it active.
    EXPECT_EQ(titleScreen.NameSlot(3)->IsActive(), 0);
    Frame();
    EXPECT_EQ(std::make_pair(SlotInk(3), SlotInk(0)),
              std::make_pair(Rgb565(kHighlightRed), Rgb565(kNameWhite)));
    Tap(20, 20); // beside every slot
    Frames(2);
    EXPECT_EQ(SlotInk(3), Rgb565(kHighlightRed));
    mouseCursor.SetPosition(NAME_SLOTS[5].x + 5, NAME_SLOTS[5].y + 5);
    PressLeft(); // held over two frames: still one press
    Frames(2);
    ReleaseLeft();
    Frame();
    EXPECT_EQ(titleScreen.CurrentPlayer(), 5);
    EXPECT_EQ(titleScreen.NameSlot(5)->IsActive(), 0);
    EXPECT_EQ(Click(646, 375), 1); // "Menu"
    EXPECT_STREQ(ScreenName(), "Lumora");
    EXPECT_EQ(std::filesystem::current_path(), suite.path());
}

TEST_F(TitleScreenTest, PicturePopupsCloseOnAPressOrAQuitAndAMissingOneStaysShut) {
    Start("Kestrin");
    for (int y : {306, 445}) // "HowToPlay", "Credits"
        EXPECT_EQ(ClickIntoPopup(62, y, {{1, TapAt(400, 300)}}), 1);
    std::filesystem::remove(suite.path() / "Kestrin/title/Credits.bmp");
    EXPECT_EQ(ClickIntoPopup(62, 445, {}, 5), 1); // no invisible pop-up that nothing closes
    EXPECT_EQ(ClickIntoPopup(62, 306, {}, 5), UPDATE_QUIT);
}

TEST_F(TitleScreenTest, AGameFolderThatIsGoneIsSaidAndThePagesStay) {
    Start();
    std::filesystem::remove_all(suite.path() / "Kestrin");
    Click(139, 190);
    Frame();
    EXPECT_STREQ(ScreenName(), "Lumora");
    EXPECT_EQ(plat::null::MessageBoxes().size(), 1u);
}

TEST_F(TitleScreenTest, PlayStartsTheGameOrSaysWhyNotAndStays) {
    const std::string program = (suite.path() / "Kestrin/Kestrin").string();
    const std::pair<int, std::function<void()>> cases[] = {
        {UPDATE_QUIT, [] {}},
        {1, [&] { chmod(program.c_str(), 0644); }},
        {1, [&] { std::filesystem::remove(program); }},
    };
    for (const auto& [result, damage] : cases) {
        FreshSuite();
        damage();
        Start("Kestrin");
        EXPECT_EQ(Click(646, 306), result);
        ASSERT_EQ(plat::null::StartedPrograms().size(), 1u);
        const auto& started = plat::null::StartedPrograms()[0];
        EXPECT_EQ(std::vector<std::string>({started.program, started.parameter, started.workDir}),
                  std::vector<std::string>(
                      {program, suite.path().string(), (suite.path() / "Kestrin").string()}));
        EXPECT_EQ(plat::null::MessageBoxes().size(), result == UPDATE_QUIT ? 0u : 1u);
        EXPECT_EQ(std::filesystem::current_path(),
                  result == UPDATE_QUIT ? suite.path() : suite.path() / "Kestrin");
    }
    EXPECT_EQ(Click(646, 445), UPDATE_QUIT); // still on the title screen: "Exit"
}

TEST_F(TitleScreenTest, SettingsThatCannotBeSavedAreReportedOnce) {
    std::filesystem::create_directory(suite.path() / "options.ini");
    Start("Kestrin");
    Tap(NAME_SLOTS[2].x + 5, NAME_SLOTS[2].y + 5);
    Frame();
    EXPECT_EQ(plat::null::MessageBoxes().size(), 1u);
    Click(kSfxX, kSwitchY);
    EXPECT_EQ(ClickIntoPopup(290, 328, {{1, TapAt(kPanelX + 618, kPanelY + 499)}}), 1);
    EXPECT_EQ(plat::null::MessageBoxes().size(), 1u);
}

} // namespace
