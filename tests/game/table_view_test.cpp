// What the table shows: a card's flight, the clock bar, floating points and crowns.
#include "game_test_support.h"

namespace gametest {
namespace {

using TableView_ = GameTest;

TEST_F(TableView_, AFlightTakesFifteenStepsOfTenMillisecondsOntoItsPlace) {
    Lay(board, {{Found(0), C(12, 2)}});             // the caller writes the destination first
    static std::vector<std::pair<int, int>> newest; // top and right of the card in each frame
    newest.clear();
    plat::null::SetFlipHook([] {
        int top = 600, right = 0;
        for (int y = 20; y < 560; ++y)
            for (int x = 70; x < 330; ++x)
                if (GetPixelValue(plat::PrimarySurface(), x, y) == Rgb565(CardColour(C(12, 2))))
                    top = std::min(top, y), right = std::max(right, x + 1);
        newest.push_back({top, right});
        TimerEvent();
    });
    const int started = GetTicks();
    cardGame.View().FlyCard(board.freeCells[0], board.foundations[0]);
    ASSERT_EQ(newest.size(), 15u + 2 + 1) << "15 steps, two presents, the redraw";
    EXPECT_GE(GetTicks() - started, 150);
    for (int step = 1; step <= 15; ++step) // (82, 461) to (240, 26): (10.53, -29) a step
        EXPECT_EQ(newest[step - 1],
                  std::make_pair(461 - 29 * step, int(70 + 82 + step * 158 / 15.0f)))
            << step;
    EXPECT_EQ(std::vector<int>({TargetPixel(240, 26), TargetPixel(309, 115), TargetPixel(239, 60)}),
              std::vector<int>(
                  {Rgb565(CardColour(C(12, 2))), Rgb565(CardColour(C(12, 2))), Rgb565(kTable)}));
}

TEST_F(TableView_, ClockBarShowsOneCellASecondTheLastRed) {
    const int bars[][3] = {{10, 9, 9}, {0, 0, -1}, {1, 0, 0}, {154, 153, 153}, {500, 154, -1}};
    ClockBar bar;
    for (const auto& [count, blueCells, redCell] : bars) {
        FillSurface(Back(), kBlack);
        bar.SetCount(count);
        bar.Draw(Back(), 589, 26);
        int blue = 0, redAt = -1;
        for (int i = 0; i < 22 * 8; ++i) { // a row more than the bar
            const int pixel = BackPixel(589 + i % 22 * 9, 26 + i / 22 * 11);
            blue += pixel == Rgb565(kCellBlue);
            redAt = pixel == Rgb565(kCellRed) ? i : redAt;
        }
        EXPECT_EQ(std::make_pair(blue, redAt), std::make_pair(blueCells, redCell))
            << count << " seconds";
    }
}

TEST_F(TableView_, FloatingPointsLastHalfASecondAndCrownsMarkCompletedSuits) {
    TableView& view = cardGame.View();
    view.AddFloatingScore(Found(1), 2);
    AdvanceClock(200);
    view.AddFloatingScore(Found(1), 3); // the next chain step, same place
    view.DrawFloatingScores(Back());
    EXPECT_EQ(BackPixel(320, 41), Rgb565(FloatingColour(3))) << "in order, the newest on top";
    const int counts[][2] = {{300, 2}, {10, 1}, {200, 0}}; // after ms, still shown
    for (const auto& [ms, shown] : counts) {
        AdvanceClock(ms);
        view.DrawFloatingScores(Back());
        EXPECT_EQ(view.FloatingScoreCount(), shown) << GetTicks();
    }

    Lay(board, {{Found(0), C(King, 0)}, {Found(1), C(Queen, 1)}, {Found(3), C(King, 3)}});
    view.DrawCrowns();
    EXPECT_EQ(std::vector<int>({TargetPixel(245, 30), TargetPixel(325, 30), TargetPixel(405, 30),
                                TargetPixel(485, 30)}),
              std::vector<int>({Rgb565(CrownColour(0)), Rgb565(kTable), Rgb565(kTable),
                                Rgb565(CrownColour(3))}));
}

} // namespace
} // namespace gametest
