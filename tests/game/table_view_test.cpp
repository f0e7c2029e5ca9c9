#include "game/table_view.h"

#include <cmath>
#include <cstdlib>

#include "game_test_support.h"

namespace gametest {
namespace {

using TableViewTest = GameTest;

struct Box {
    int left = 800, top = 600, right = -1, bottom = -1;
};
// Where a colour shows in the presented picture, within the area a flight below crosses.
Box Find(uint16_t colour) {
    Box box;
    for (int y = 20; y < 560; ++y) {
        for (int x = 70; x < 330; ++x) {
            if (GetPixelValue(plat::PrimarySurface(), x, y) != colour)
                continue;
            box = Box{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                      std::max(box.bottom, y + 1)};
        }
    }
    return box;
}

std::vector<Box>& FlightFrames() {
    static std::vector<Box> frames;
    return frames;
}

TEST_F(TableViewTest, AFlightTakesFifteenStepsOfTenMillisecondsOntoItsPlace) {
    ClearTable();
    const int card = Card(12, 2);
    board.foundations[0].card = card; // the caller writes the destination first
    plat::null::SetFlipHook([] {
        FlightFrames().push_back(Find(Pixel(CardColour(Card(12, 2)))));
        TimerEvent();
    });
    FlightFrames().clear();
    const int started = GetTicks();
    cardGame.View().FlyCard(board.freeCells[0], board.foundations[0]);
    ASSERT_EQ(FlightFrames().size(), 15u + 2 + 1) << "15 steps, two presents, the redraw";
    EXPECT_GE(GetTicks() - started, 150);
    // A step's card and the one before it show together until the older one is restored; the
    // newest lies nearest the destination, up and to the right.
    const float stepX = (240 - 82) / 15.0f;
    float fx = 82;
    for (int step = 1; step <= 15; ++step) {
        fx += stepX;
        const Box& shown = FlightFrames()[step - 1];
        EXPECT_EQ(shown.top, 461 - 29 * step) << "step " << step;
        EXPECT_NEAR(shown.right, static_cast<int>(70 + fx), 1) << "step " << step;
    }
    // The card is then part of the table at its place.
    EXPECT_EQ(TargetPixel(240, 26), Pixel(CardColour(card)));
    EXPECT_EQ(TargetPixel(309, 115), Pixel(CardColour(card)));
    EXPECT_EQ(TargetPixel(239, 60), Pixel(kTable));
}

struct DealSeen {
    int flips = 0, firstCard = 0, lastCard = 0;
};
DealSeen& Seen() {
    static DealSeen seen;
    return seen;
}
bool Shows(const CardSlot& slot) {
    return GetPixelValue(plat::PrimarySurface(), slot.x + 60, slot.y + 5) ==
           Pixel(CardColour(slot.card));
}

TEST_F(TableViewTest, TheDealShowsTheCardsOneByOneThenTheFreeCells) {
    std::srand(5);
    board.DealBoard();
    Seen() = DealSeen{};
    plat::null::SetFlipHook([] {
        DealSeen& seen = Seen();
        ++seen.flips;
        if (!seen.firstCard && Shows(board.columns[0][0]))
            seen.firstCard = seen.flips;
        if (!seen.lastCard && Shows(board.freeCells[5]))
            seen.lastCard = seen.flips;
        TimerEvent();
    });
    const int started = GetTicks();
    cardGame.View().RedrawTable(1);
    EXPECT_GE(GetTicks() - started, 52 * 75);
    EXPECT_GT(Seen().firstCard, 0);
    EXPECT_GT(Seen().lastCard, Seen().firstCard + 2 * 50) << "two frames a card in between";
    for (int c = 0; c < COLUMNS; ++c)
        EXPECT_EQ(TargetPixel(board.columns[c][5].x + 35, board.columns[c][5].y + 60),
                  Pixel(CardColour(board.columns[c][5].card)));
}

TEST_F(TableViewTest, ClockBarShowsOneCellASecondTheLastRed) {
    struct Row {
        int count, blue, redAt; // redAt: index of the red cell, -1 for none
    };
    const Row rows[] = {{10, 9, 9}, {0, 0, -1}, {1, 0, 0}, {154, 153, 153}, {500, 154, -1}};
    ClockBar bar;
    for (const Row& row : rows) {
        Surface* surface = MakeSurface(800, 600);
        bar.SetCount(row.count);
        bar.Draw(surface, 589, 26);
        int blue = 0, redAt = -1;
        for (int i = 0; i < 154; ++i) {
            const int pixel = GetPixelValue(surface, 589 + i % 22 * 9, 26 + i / 22 * 11);
            blue += pixel == Pixel(kCellBlue);
            if (pixel == Pixel(kCellRed))
                redAt = i;
        }
        EXPECT_EQ(blue, row.blue) << row.count << " seconds";
        EXPECT_EQ(redAt, row.redAt) << row.count << " seconds";
        ReleaseSurface(surface);
    }
}

TEST_F(TableViewTest, NumbersAreRightAlignedDigitByDigit) {
    Sprite digits;
    digits.LoadStrip("scorefont.bmp", 10, 0);
    digits.FixFrameWidth();
    struct Row {
        const char* text;
        int firstDigitX; // every character takes one digit's width, 14 pixels
        int firstDigit, lastDigit;
    };
    const Row rows[] = {
        {"0", 178, 0, 0}, {"120", 150, 1, 0}, {"1257900", 94, 1, 0}, {"-5", 178, 5, 5}};
    for (const Row& row : rows) {
        Surface* surface = MakeSurface(800, 100);
        TableView::DrawNumber(&digits, 192, 30, row.text, surface);
        EXPECT_EQ(GetPixelValue(surface, 191, 30), Pixel(DigitColour(row.lastDigit))) << row.text;
        EXPECT_EQ(GetPixelValue(surface, 192, 30), 0) << row.text;
        EXPECT_EQ(GetPixelValue(surface, row.firstDigitX, 30), Pixel(DigitColour(row.firstDigit)))
            << row.text;
        EXPECT_EQ(GetPixelValue(surface, row.firstDigitX - 1, 30), 0) << row.text;
        ReleaseSurface(surface);
    }
}

TEST_F(TableViewTest, FloatingPointsShowForHalfASecond) {
    TableView& view = cardGame.View();
    view.AddFloatingScore(SLOT_FOUNDATION | 1, 2);
    AdvanceClock(200);
    view.AddFloatingScore(SLOT_FOUNDATION | 1, 3); // a second step of the chain, same place
    FillSurface(Back(), 0);
    view.DrawFloatingScores(Back());
    ASSERT_EQ(view.FloatingScoreCount(), 2);
    EXPECT_EQ(BackPixel(320, 41), Pixel(FloatingColour(3))) << "drawn in order, newest on top";
    AdvanceClock(300);
    view.DrawFloatingScores(Back());
    EXPECT_EQ(view.FloatingScoreCount(), 2) << "the first is due now, not gone";
    AdvanceClock(10);
    FillSurface(Back(), 0);
    view.DrawFloatingScores(Back());
    ASSERT_EQ(view.FloatingScoreCount(), 1);
    EXPECT_EQ(BackPixel(320, 41), Pixel(FloatingColour(3)));
    AdvanceClock(200);
    view.DrawFloatingScores(Back());
    EXPECT_EQ(view.FloatingScoreCount(), 0);
}

TEST_F(TableViewTest, CrownsOnlyOverCompletedFoundations) {
    ClearTable();
    board.foundations[0].card = Card(11, 0);
    board.foundations[1].card = Card(10, 1);
    board.foundations[3].card = Card(11, 3);
    cardGame.View().DrawCrowns();
    EXPECT_EQ(TargetPixel(245, 30), Pixel(CrownColour(0)));
    EXPECT_EQ(TargetPixel(325, 30), Pixel(kTable));
    EXPECT_EQ(TargetPixel(405, 30), Pixel(kTable));
    EXPECT_EQ(TargetPixel(485, 30), Pixel(CrownColour(3)));
}

} // namespace
} // namespace gametest
