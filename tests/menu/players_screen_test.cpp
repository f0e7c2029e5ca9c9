// The players pop-up, opened from the title screen: the send switch, and what "enter", "back"
// and "remove" leave in "options.ini".
#include <gtest/gtest.h>

#include "menu/players_layout.h"
#include "menu_fixture.h"

using namespace menu_test;

namespace {

const auto kEnter = MenuTest::TapAt(kPanelX + 474 + 10, kPanelY + 471 + 10);

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

// Whatever closes the pop-up, every player is written back; "remove" writes its reset at once.
TEST_F(PlayersScreenTest, TheSendSwitchStoresWhatItShowsLastAndEachCloseLeavesItsRecord) {
    const struct {
        int toggles;
        std::function<void()> close;
        const char* player3;
    } rows[] = {
        {1, kEnter, "[Player3]\nname=CyTyped\naddress=Old\nemail=\nsend=Y\n"},
        {2, kEnter, "[Player3]\nname=CyTyped\naddress=Old\nemail=\nsend=N\n"},
        {1, TapAt(kPanelX + 608 + 10, kPanelY + 489 + 10), // "back"
         "[Player3]\nname=Cy\naddress=Old\nemail=\nsend=N\n"},
        {0, TapAt(kPanelX + 360 + 10, kPanelY + 471 + 10), // "remove"
         "[Player3]\nname=Player3\naddress=\nemail=\nsend=Y\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.player3);
        int switchShown = -1, nameInk = -1;
        std::string whenClosed;
        Script script = {{1, [] { TypeText("Typed"); }},
                         {2, [&] {
                              switchShown = ShownPixel(kPanelX + 37 + 10, kPanelY + 486 + 10);
                              // The fields move with the panel: the name in the entry font.
                              nameInk = ShownPixel(kPanelX + PLAYER_FIELDS[0].x + 1,
                                                   kPanelY + PLAYER_FIELDS[0].y + 1);
                          }}};
        for (int t = 0; t < row.toggles; ++t)
            script[3 + 3 * t] = TapAt(kPanelX + 37 + 10, kPanelY + 486 + 10);
        script[3 + 3 * row.toggles] = row.close;
        script[5 + 3 * row.toggles] = [&] { whenClosed = ReadFile("options.ini"); };
        FreshSuite();
        ASSERT_EQ(Run(script), 1);
        EXPECT_EQ(Player3(), row.player3);
        EXPECT_EQ(switchShown, Rgb565(kSwitchOff)); // "N" shows the second picture
        EXPECT_EQ(nameInk, Rgb565(kHighlightRed));
        if (row.toggles == 0) {
            EXPECT_NE(whenClosed.find("name=Player3\n"), std::string::npos) << whenClosed;
        }
        for (int i = 1; i <= MAX_PLAYERS; ++i)
            EXPECT_NE(ReadFile("options.ini").find("[Player" + std::to_string(i) + "]\n"),
                      std::string::npos);
    }
    EXPECT_EQ(ClickIntoPopup(290, 328, {}, 5), UPDATE_QUIT) << "a quit while it shows";
}

} // namespace
