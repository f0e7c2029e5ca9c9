// The players pop-up, opened from the title screen: typing, moving between the fields, taps on
// and beside them, the send switch, and what "enter" and "back" leave in "options.ini".
#include <gtest/gtest.h>

#include "menu/players_layout.h"
#include "menu_fixture.h"

using namespace menu_test;

namespace {

const auto kEnter = MenuTest::TapAt(kPanelX + 474 + 10, kPanelY + 471 + 10);
const auto kBack = MenuTest::TapAt(kPanelX + 608 + 10, kPanelY + 489 + 10);
const auto kYesNo = MenuTest::TapAt(kPanelX + 37 + 10, kPanelY + 486 + 10);

class PlayersScreenTest : public MenuTest {
  protected:
    void SetUp() override {
        MenuTest::SetUp();
        AddGame("Kestrin");
        WriteBytes(suite / "options.ini",
                   "[setup]\nplayerid=2\n[Player3]\nname=Cy\naddress=Old\nemail=\nsend=N\n");
        Start("Kestrin");
    }
    static int Run(Script script) { return ClickIntoPopup(290, 328, std::move(script)); }
    std::string Player3() const {
        const std::string options = ReadFile("options.ini");
        const size_t at = options.find("[Player3]");
        return options.substr(at, options.find('[', at + 1) - at);
    }
};

TEST_F(PlayersScreenTest, TabAndEnterMoveOnAndEnterStoresEveryField) {
    ASSERT_EQ(Run({{1, [] { Type("Ada"), TypeKey(KEY_ENTER), Type("dropped"); }},
                   {2, [] { Type(" 1 Road"), TypeKey(KEY_TAB); }},
                   {3, [] { Type("a@b.c"), TypeKey(KEY_TAB); }}, // from the email to the name
                   {4, [] { Type("X"); }},
                   {5, kEnter}}),
              1);
    EXPECT_EQ(Player3(), "[Player3]\nname=CyAdaX\naddress=Old 1 Road\nemail=a@b.c\nsend=N\n");
}

TEST_F(PlayersScreenTest, ATapOnAFieldActivatesItAndATapBesideThemAllGoesBackToTheName) {
    const int emailY = kPanelY + PLAYER_FIELDS[2].y + 10;
    ASSERT_EQ(Run({{1, TapAt(kPanelX + 300, emailY)},
                   {3, [] { Type("e"); }},
                   {4, [] { Type("dropped"), Tap(kPanelX + 300, kPanelY + 100); }},
                   {6, [] { Type("Z"); }},
                   {7, kEnter}}),
              1);
    EXPECT_EQ(Player3(), "[Player3]\nname=CyZ\naddress=Old\nemail=e\nsend=N\n");
}

TEST_F(PlayersScreenTest, BackKeepsTheRecord) {
    ASSERT_EQ(Run({{1, [] { Type("Typed"); }}, {2, kYesNo}, {5, kBack}}), 1);
    EXPECT_EQ(Player3(), "[Player3]\nname=Cy\naddress=Old\nemail=\nsend=N\n");
}

TEST_F(PlayersScreenTest, TheSendSwitchStoresWhatItShowsLast) {
    for (int toggles : {1, 2}) {
        SCOPED_TRACE(toggles);
        Script script;
        for (int t = 0; t < toggles; ++t)
            script[1 + 3 * t] = kYesNo;
        script[1 + 3 * toggles] = kEnter;
        int shownAtStart = -1, nameInk = -1;
        script[2] = [&] {
            shownAtStart = ShownPixel(kPanelX + 37 + 10, kPanelY + 486 + 10);
            // The fields move with the panel: "Cy" in the entry font where the name field is.
            nameInk =
                ShownPixel(kPanelX + PLAYER_FIELDS[0].x + 1, kPanelY + PLAYER_FIELDS[0].y + 1);
        };
        FreshSuite();
        ASSERT_EQ(Run(script), 1);
        EXPECT_NE(Player3().find(toggles == 1 ? "send=Y" : "send=N"), std::string::npos);
        EXPECT_EQ(shownAtStart, Pixel(kSwitchOff)); // "N" shows the second picture
        EXPECT_EQ(nameInk, Pixel(kHighlightRed));
    }
}

TEST(PlayerFields, LieInsideThePanelWithTheirFirstCharacter) {
    for (const PlayerFieldBox& box : PLAYER_FIELDS)
        EXPECT_TRUE(box.x > 0 && box.x + box.width < 694 && box.y > 0 && box.y + box.height < 564);
}

} // namespace
