#include "game_test_support.h"

namespace gametest {
namespace {

using TableView_ = GameTest;

TEST_F(TableView_, AFlightTakesFifteenStepsOfTenMillisecondsOntoItsPlace) {
    ClearTable();
    board.foundations[0].card = C(12, 2);           // the caller writes the destination first
    static std::vector<std::pair<int, int>> newest; // top and right of the card in each frame
    newest.clear();
    plat::null::SetFlipHook([] {
        SurfaceDesc desc{};
        const auto* pixels =
            static_cast<const uint16_t*>(LockSurface(plat::PrimarySurface(), &desc));
        int top = 600, right = 0;
        for (int y = 20; y < 560; ++y)
            for (int x = 70; x < 330; ++x)
                if (pixels[y * desc.pitch / 2 + x] == Pixel(CardColour(C(12, 2))))
                    top = std::min(top, y), right = std::max(right, x + 1);
        UnlockSurface(plat::PrimarySurface());
        newest.push_back({top, right});
        TimerEvent();
    });
    const int started = GetTicks();
    cardGame.View().FlyCard(board.freeCells[0], board.foundations[0]);
    ASSERT_EQ(newest.size(), 15u + 2 + 1) << "15 steps, two presents, the redraw";
    EXPECT_GE(GetTicks() - started, 150);
    float fx = 82; // (82, 461) to (240, 26): (10.53, -29) a step
    for (int step = 1; step <= 15; ++step) {
        fx += (240 - 82) / 15.0f;
        EXPECT_EQ(newest[step - 1].first, 461 - 29 * step) << step;
        EXPECT_NEAR(newest[step - 1].second, static_cast<int>(70 + fx), 1) << step;
    }
    EXPECT_EQ(std::vector<int>({TargetPixel(240, 26), TargetPixel(309, 115), TargetPixel(239, 60)}),
              std::vector<int>(
                  {Pixel(CardColour(C(12, 2))), Pixel(CardColour(C(12, 2))), Pixel(kTable)}));
}

TEST_F(TableView_, ClockBarShowsOneCellASecondTheLastRed) {
    const int rows[][3] = {{10, 9, 9}, {0, 0, -1}, {1, 0, 0}, {154, 153, 153}, {500, 154, -1}};
    ClockBar bar;
    for (const auto& [count, blueCells, redCell] : rows) {
        Surface* surface = MakeSurface(800, 600);
        bar.SetCount(count);
        bar.Draw(surface, 589, 26);
        int blue = 0, redAt = -1;
        for (int i = 0; i < 154; ++i) {
            const int pixel = GetPixelValue(surface, 589 + i % 22 * 9, 26 + i / 22 * 11);
            blue += pixel == Pixel(kCellBlue);
            redAt = pixel == Pixel(kCellRed) ? i : redAt;
        }
        EXPECT_EQ(std::make_pair(blue, redAt), std::make_pair(blueCells, redCell))
            << count << " seconds";
        ReleaseSurface(surface);
    }
}

TEST_F(TableView_, NumbersAreRightAlignedOneDigitWidthACharacter) {
    Sprite digits;
    digits.LoadStrip("scorefont.bmp", 10, 0);
    digits.FixFrameWidth();
    const struct {
        const char* text;
        int firstDigitX, firstDigit, lastDigit;
    } rows[] = {{"0", 178, 0, 0}, {"120", 150, 1, 0}, {"1257900", 94, 1, 0}, {"-5", 178, 5, 5}};
    for (const auto& row : rows) {
        Surface* surface = MakeSurface(800, 100);
        TableView::DrawNumber(&digits, 192, 30, row.text, surface);
        auto at = [surface](int x) { return GetPixelValue(surface, x, 30); };
        EXPECT_EQ(
            std::vector<int>({at(row.firstDigitX - 1), at(row.firstDigitX), at(191), at(192)}),
            std::vector<int>(
                {0, Pixel(DigitColour(row.firstDigit)), Pixel(DigitColour(row.lastDigit)), 0}))
            << row.text;
        ReleaseSurface(surface);
    }
}

TEST_F(TableView_, FloatingPointsLastHalfASecondAndCrownsMarkCompletedSuits) {
    TableView& view = cardGame.View();
    view.AddFloatingScore(SLOT_FOUNDATION | 1, 2);
    AdvanceClock(200);
    view.AddFloatingScore(SLOT_FOUNDATION | 1, 3); // the next chain step, same place
    view.DrawFloatingScores(Back());
    EXPECT_EQ(BackPixel(320, 41), Pixel(FloatingColour(3))) << "in order, the newest on top";
    const int counts[][2] = {{300, 2}, {10, 1}, {200, 0}}; // after ms, still shown
    for (const auto& [ms, shown] : counts) {
        AdvanceClock(ms);
        view.DrawFloatingScores(Back());
        EXPECT_EQ(view.FloatingScoreCount(), shown) << GetTicks();
    }

    ClearTable();
    board.foundations[0].card = C(11, 0);
    board.foundations[1].card = C(10, 1);
    board.foundations[3].card = C(11, 3);
    view.DrawCrowns();
    EXPECT_EQ(std::vector<int>({TargetPixel(245, 30), TargetPixel(325, 30), TargetPixel(405, 30),
                                TargetPixel(485, 30)}),
              std::vector<int>(
                  {Pixel(CrownColour(0)), Pixel(kTable), Pixel(kTable), Pixel(CrownColour(3))}));
}

} // namespace
} // namespace gametest
