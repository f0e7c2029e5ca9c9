// The Hall of Fame pop-up, opened from the title screen: a damaged table, "clear", a quit.
#include <gtest/gtest.h>

#include "menu_fixture.h"

using namespace menu_test;

namespace {

using HallOfFameTest = MenuTest;

TEST_F(HallOfFameTest, ADamagedTableIsShownAndClearWritesAnEmptyOneOrSaysItCannot) {
    AddGame("Kestrin");
    Start("Kestrin");
    const auto clear = [] { // opens the Hall of Fame and presses "clear" on its third frame
        return ClickIntoPopup(62, 375, {{3, TapAt(kPanelX + 552 + 10, kPanelY + 149 + 10)}});
    };
    // The right count, then a first name of 300 bytes without an end, cut short.
    WriteBytes(suite / "Kestrin/hiscore.dat", std::string("\x14\0\0\0", 4) + std::string(300, 'W'));
    ASSERT_EQ(clear(), 1);
    EXPECT_EQ(ReadFile("Kestrin/hiscore.dat"),
              std::string("\x14\0\0\0", 4) + std::string(5200, '\0'));
    EXPECT_TRUE(plat::null::MessageBoxes().empty());
    // A table that cannot be written is not called cleared.
    std::filesystem::remove(suite.path() / "Kestrin/hiscore.dat");
    std::filesystem::create_directory(suite.path() / "Kestrin/hiscore.dat");
    ASSERT_EQ(clear(), 1);
    EXPECT_EQ(plat::null::MessageBoxes().size(), 1u);
    EXPECT_EQ(ClickIntoPopup(62, 375, {}, 5), UPDATE_QUIT) << "a quit while it shows";
}

} // namespace
