// The Hall of Fame pop-up, opened from the title screen: where and in which colour each entry is
// drawn, "clear", and the address "upload" opens.
#include <gtest/gtest.h>

#include <cstring>

#include "menu_fixture.h"
#include "records/high_score_table.h"

using namespace menu_test;

namespace {

constexpr int kPanelX = 53, kPanelY = 18;
constexpr int kHighScoresX = 108, kHighScoresY = 393;
constexpr std::pair<int, int> kUpload{kPanelX + 552 + 60, kPanelY + 88 + 24};
constexpr std::pair<int, int> kClear{kPanelX + 552 + 60, kPanelY + 149 + 24};
constexpr std::pair<int, int> kBack{kPanelX + 595 + 38, kPanelY + 220 + 22};

class HallOfFameTest : public MenuTest {
  protected:
    void SetUp() override {
        MenuTest::SetUp();
        AddGame("Kestrin");
    }
    // A table whose first `used` entries hold the given player string.
    void WriteTable(int used, const char* playerString, const char* lastString = nullptr) {
        HighScoreTable table;
        table.Allocate(HIGH_SCORE_ENTRIES);
        for (int i = 0; i < used; ++i)
            table.Insert(playerString, 1200 - i);
        if (lastString)
            table.Insert(lastString, 1);
        ASSERT_TRUE(table.Save((suite / "Kestrin/hiscore.dat").c_str()));
    }
    // Opens the Hall of Fame, looks at the frame shown after `lookAt`, and presses `button`.
    int Run(
        std::pair<int, int> button, std::function<void()> lookAt = [] {}) {
        Start("Kestrin");
        return ClickIntoPopup(kHighScoresX, kHighScoresY, [=](int frame) {
            if (frame == 2)
                lookAt();
            if (frame == 3)
                Tap(button.first, button.second);
        });
    }
    // The colour at the start of an entry's name or score, in screen coordinates.
    static int Ink(int entry, bool score, int glyph = 0) {
        const int column = entry / 10, row = entry % 10;
        const int x = (score ? (column ? 587 : 256) : (column ? 387 : 56)) + glyph * 7;
        return ShownPixel(kPanelX + x + 1, kPanelY + 275 + 26 * row + 1);
    }
};

TEST_F(HallOfFameTest, EntriesFillTwoColumnsInAlternatingColours) {
    WriteTable(12, "Ab:c:d:Y", std::string(40, 'W').c_str());
    std::map<std::string, int> seen;
    ASSERT_EQ(Run(kBack,
                  [&] {
                      const struct {
                          const char* place;
                          int entry;
                          bool score;
                          int glyph;
                      } places[] = {{"0 name", 0, false, 0},       {"0 score", 0, true, 0},
                                    {"1 name", 1, false, 0},       {"10 name", 10, false, 0},
                                    {"11 name", 11, false, 0},     {"11 score", 11, true, 3},
                                    {"13 name", 13, false, 0},     {"12 name end", 12, false, 27},
                                    {"0 after name", 0, false, 2}, {"0 score end", 0, true, 4}};
                      for (const auto& p : places)
                          seen[p.place] = Ink(p.entry, p.score, p.glyph);
                  }),
              1);
    const std::map<std::string, int> expected = {
        {"0 name", Pixel(kHallPurple)},       {"0 score", Pixel(kHallPurple)},
        {"1 name", Pixel(kHallBlack)},        {"10 name", Pixel(kHallPurple)},
        {"11 name", Pixel(kHallBlack)},       {"11 score", Pixel(kHallBlack)}, // "1189"
        {"13 name", Pixel(kPanelWhite)},      // empty entries are not drawn
        {"12 name end", Pixel(kPanelWhite)},  // a long name stops before its score
        {"0 after name", Pixel(kPanelWhite)}, // "Ab", cut at the ":"
        {"0 score end", Pixel(kPanelWhite)},  // "1200": four digits
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(HallOfFameTest, ClearWritesAnEmptyTableAndCloses) {
    WriteTable(3, "Ann:::Y");
    ASSERT_EQ(Run(kClear), 1);
    EXPECT_EQ(ReadFile("Kestrin/hiscore.dat"),
              std::string("\x14\0\0\0", 4) + std::string(5200, '\0'));
    EXPECT_STREQ(ScreenName(), "title");
}

} // namespace
