// The Hall of Fame pop-up, opened from the title screen: where and in which colour each entry is
// drawn, "clear", and what "upload" sends.
#include <gtest/gtest.h>

#include "menu/score_upload.h"
#include "menu_fixture.h"
#include "records/high_score_table.h"

using namespace menu_test;

namespace {

class HallOfFameTest : public MenuTest {
  protected:
    void SetUp() override {
        MenuTest::SetUp();
        AddGame("Kestrin");
        Start("Kestrin");
    }
    // Entries 0 ... used - 1 hold playerString, and the next one lastString.
    void WriteTable(int used, const char* playerString, const std::string& lastString = "") {
        HighScoreTable table;
        table.Allocate(HIGH_SCORE_ENTRIES);
        for (int i = 0; i < used; ++i)
            table.Insert(playerString, 1200 - i);
        table.Insert(lastString.c_str(), 1);
        ASSERT_TRUE(table.Save((suite / "Kestrin/hiscore.dat").c_str()));
    }
    // Opens the Hall of Fame, runs `look` on its second frame, then presses the button at
    // (x, y) of the panel on the third.
    static int Run(
        int x, int y, std::function<void()> look = [] {}, Script more = {}) {
        more[2] = look;
        more[3] = TapAt(kPanelX + x, kPanelY + y);
        return ClickIntoPopup(62, 375, more);
    }
};

TEST_F(HallOfFameTest, EntriesFillTwoColumnsInAlternatingColours) {
    WriteTable(12, "Ab:c:d:Y", std::string(40, 'W'));
    const struct {
        int entry;
        bool score;
        int glyph; // glyphs are 7 apart
        Rgb ink;
    } places[] = {
        {0, false, 0, kHallPurple},   {0, true, 0, kHallPurple},  {1, false, 0, kHallBlack},
        {10, false, 0, kHallPurple},  {11, false, 0, kHallBlack}, {11, true, 3, kHallBlack},
        {0, false, 2, kPanelWhite},   // "Ab": the name ends at its first ":"
        {0, true, 4, kPanelWhite},    // "1200"
        {12, false, 27, kPanelWhite}, // a long name stops short of its score
        {13, false, 0, kPanelWhite},  // an empty entry
    };
    std::vector<int> seen;
    ASSERT_EQ(Run(595 + 10, 220 + 10,
                  [&] {
                      for (const auto& p : places)
                          seen.push_back(ShownPixel(kPanelX + (p.entry < 10 ? 56 : 387) +
                                                        200 * p.score + 7 * p.glyph + 1,
                                                    kPanelY + 275 + 26 * (p.entry % 10) + 1));
                  }),
              1);
    for (size_t i = 0; i < std::size(places); ++i)
        EXPECT_EQ(seen.at(i), Rgb565(places[i].ink)) << "entry " << places[i].entry;
}

TEST_F(HallOfFameTest, ADamagedTableIsShownAndClearWritesAnEmptyOneOrSaysItCannot) {
    // The right count, then a first name of 300 bytes without an end, cut short.
    WriteBytes(suite / "Kestrin/hiscore.dat", std::string("\x14\0\0\0", 4) + std::string(300, 'W'));
    ASSERT_EQ(Run(552 + 10, 149 + 10), 1);
    EXPECT_EQ(ReadFile("Kestrin/hiscore.dat"),
              std::string("\x14\0\0\0", 4) + std::string(5200, '\0'));
    EXPECT_TRUE(plat::null::MessageBoxes().empty());
    // A table that cannot be written is not called cleared.
    std::filesystem::remove(suite.path() / "Kestrin/hiscore.dat");
    std::filesystem::create_directory(suite.path() / "Kestrin/hiscore.dat");
    ASSERT_EQ(Run(552 + 10, 149 + 10), 1);
    EXPECT_EQ(plat::null::MessageBoxes().size(), 1u);
}

// Which entry, game and server the address is built from; how it is escaped and masked is the
// builder's own test.
TEST_F(HallOfFameTest, UploadSendsTheBestEntryToTheConfiguredServer) {
    const std::pair<const char*, const char*> cases[] = {
        {"[suite]\nscoreserver=https://scores.example:9000\n", "https://scores.example:9000"},
        {"", "http://127.0.0.1:8080"},
    };
    for (const auto& [setup, server] : cases) {
        WriteBytes(suite / "setup.ini", setup);
        WriteTable(2, "Ann:1 Rd:a@b:Y", "Bo:::Y");
        ASSERT_EQ(Run(552 + 10, 88 + 10, [] {}, {{7, TapAt(kPanelX + 605, kPanelY + 230)}}), 1);
        EXPECT_EQ(plat::null::OpenedAddresses().back(),
                  BuildScoreUploadAddress(server, "Kestrin", "Ann:1 Rd:a@b:Y", 1200));
    }
    EXPECT_EQ(plat::null::OpenedAddresses().size(), 2u);
}

} // namespace
