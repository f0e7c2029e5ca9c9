// The players pop-up, opened from the title screen: typing, moving between the fields, clicks
// on and beside them, the send switch, and what each button leaves in "options.ini".
#include <gtest/gtest.h>

#include <map>

#include "menu/players_layout.h"
#include "menu_fixture.h"

using namespace menu_test;

namespace {

constexpr int kPanelX = 53, kPanelY = 18;
constexpr int kPlayersX = 398, kPlayersY = 342;
constexpr std::pair<int, int> kEnter{kPanelX + 474 + 50, kPanelY + 471 + 20};
constexpr std::pair<int, int> kBack{kPanelX + 608 + 30, kPanelY + 489 + 20};
constexpr std::pair<int, int> kYesNo{kPanelX + 37 + 40, kPanelY + 486 + 20};

std::pair<int, int> InField(int i) {
    return {kPanelX + PLAYER_FIELDS[i].x + 200, kPanelY + PLAYER_FIELDS[i].y + 10};
}

class PlayersScreenTest : public MenuTest {
  protected:
    // Actions at the end of given frames of the pop-up.
    static std::function<void(int)> Script(std::map<int, std::function<void()>> steps) {
        return [steps](int frame) {
            auto step = steps.find(frame);
            if (step != steps.end())
                step->second();
        };
    }
    static std::function<void()> TapAt(std::pair<int, int> place) {
        return [place] { Tap(place.first, place.second); };
    }
    void SetUp() override {
        MenuTest::SetUp();
        AddGame("Kestrin");
        WriteBytes(suite / "options.ini",
                   "[setup]\nplayerid=2\n[Player3]\nname=Cy\naddress=Old\nsend=N\n");
        Start("Kestrin");
    }
    int RunPopup(std::map<int, std::function<void()>> steps) {
        return ClickIntoPopup(kPlayersX, kPlayersY, Script(std::move(steps)));
    }
    bool Holds(const std::string& line) const {
        return ReadFile("options.ini").find(line + "\n") != std::string::npos;
    }
};

TEST_F(PlayersScreenTest, TabAndEnterMoveOnAndEnterStoresEveryField) {
    ASSERT_EQ(RunPopup({{1, [] { Type("Ada"), TypeKey(KEY_ENTER), Type("lost"); }},
                        {2, [] { Type(" 1 Road"), TypeKey(KEY_TAB); }},
                        {3, [] { Type("a@b.c"), TypeKey(KEY_TAB); }},
                        {4, [] { Type("X"); }},
                        {5, TapAt(kEnter)}}),
              1);
    EXPECT_TRUE(Holds("name=CyAdaX"));
    EXPECT_TRUE(Holds("address=Old 1 Road"));
    EXPECT_TRUE(Holds("email=a@b.c"));
    EXPECT_TRUE(Holds("send=N"));
}

TEST_F(PlayersScreenTest, ATapBesideEveryFieldGoesBackToTheNameAndDropsWhatWasTyped) {
    ASSERT_EQ(RunPopup({{1, TapAt(InField(2))},
                        {3, [] { Type("e"); }},
                        {4, [] { Type("lost"), Tap(kPanelX + 300, kPanelY + 100); }},
                        {6, [] { Type("Z"); }},
                        {7, TapAt(kEnter)}}),
              1);
    EXPECT_TRUE(Holds("name=CyZ"));
    EXPECT_TRUE(Holds("email=e"));
}

TEST_F(PlayersScreenTest, BackKeepsTheRecord) {
    ASSERT_EQ(RunPopup({{1, [] { Type("Typed"); }}, {2, TapAt(kYesNo)}, {5, TapAt(kBack)}}), 1);
    EXPECT_TRUE(Holds("name=Cy"));
    EXPECT_TRUE(Holds("address=Old"));
    EXPECT_TRUE(Holds("send=N"));
}

TEST_F(PlayersScreenTest, TheSendSwitchStoresWhatItShowsLast) {
    const struct {
        int toggles;
        const char* stored;
    } cases[] = {{0, "send=N"}, {1, "send=Y"}, {2, "send=N"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toggles);
        std::map<int, std::function<void()>> steps;
        for (int t = 0; t < c.toggles; ++t)
            steps[1 + 3 * t] = TapAt(kYesNo);
        steps[1 + 3 * c.toggles] = TapAt(kEnter);
        int pictureAtStart = -1;
        steps[2] = [&] { pictureAtStart = ShownPixel(kYesNo.first, kYesNo.second); };
        FreshSuite();
        ASSERT_EQ(RunPopup(steps), 1);
        EXPECT_TRUE(Holds(c.stored));
        EXPECT_EQ(pictureAtStart, Pixel(kSwitchOff)); // "N": the second picture
    }
}

TEST_F(PlayersScreenTest, FieldsLieInsideThePanelAndMoveWithIt) {
    for (const PlayerFieldBox& box : PLAYER_FIELDS) {
        EXPECT_GE(box.x, 8);
        EXPECT_LE(box.x + box.width, 694 - 8);
    }
    int nameInk = -1;
    ASSERT_EQ(RunPopup({{2,
                         [&] {
                             nameInk = ShownPixel(kPanelX + PLAYER_FIELDS[0].x + 1,
                                                  kPanelY + PLAYER_FIELDS[0].y + 1);
                         }},
                        {3, TapAt(kBack)}}),
              1);
    EXPECT_EQ(nameInk, Pixel(kHighlightRed)); // "Cy" in the entry font where the field is
}

} // namespace
