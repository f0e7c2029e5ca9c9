#include "game/board.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

namespace {

// The cards of a table in the order the deal draws them: free cells 2 to 5, then row by row.
std::vector<int> InDealOrder(const Board& b) {
    std::vector<int> cards;
    for (int i = 2; i <= 5; ++i)
        cards.push_back(b.freeCells[i].card);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < COLUMNS; ++c)
            cards.push_back(b.columns[c][r].card);
    return cards;
}

TEST(Deal, EveryCardOnceFreeCellsThenRowsInTheirPlaces) {
    std::srand(1234);
    // The generator's first 52 distinct draws, as the deal must use them.
    std::vector<int> expected;
    std::set<int> seen;
    while (expected.size() < DECK_SIZE) {
        const int r = std::rand() % DECK_SIZE;
        if (seen.insert(r).second)
            expected.push_back(r);
    }
    std::srand(1234);
    Board b;
    b.DealBoard();
    EXPECT_EQ(InDealOrder(b), expected);
    for (int i : {0, 1, 6, 7})
        EXPECT_EQ(b.freeCells[i].card, NO_CARD) << "free cell " << i;
    for (int c = 0; c < COLUMNS; ++c) {
        EXPECT_EQ(b.TopRow(c), 5);
        EXPECT_EQ(b.columns[c][6].card, NO_CARD);
        EXPECT_EQ(b.columns[c][7].card, NO_CARD);
    }
    for (const CardSlot& f : b.foundations)
        EXPECT_EQ(f.card, NO_CARD);
    for (int card = 0; card < DECK_SIZE; ++card)
        EXPECT_EQ(b.dealt[card], 1);
}

TEST(Deal, PlacesOfAFreshTable) {
    Board b;
    b.DealBoard();
    struct Row {
        const char* name;
        int slot, x, y;
    };
    const Row rows[] = {
        {"free cell 0", SLOT_FREECELL | 0, 82, 461},
        {"free cell 7", SLOT_FREECELL | 7, 642, 461},
        {"column 0 row 0", ColumnSlot(0, 0), 57, 130},
        {"column 7 row 5", ColumnSlot(7, 5), 657, 280},
        {"column 3 row 7", ColumnSlot(3, 7), 353, 340},
        {"foundation 0", SLOT_FOUNDATION | 0, 240, 26},
        {"foundation 3", SLOT_FOUNDATION | 3, 480, 26},
    };
    for (const Row& row : rows) {
        const CardSlot* slot = b.SlotRecord(row.slot);
        ASSERT_NE(slot, nullptr) << row.name;
        EXPECT_EQ(slot->x, row.x) << row.name;
        EXPECT_EQ(slot->y, row.y) << row.name;
        EXPECT_EQ(slot->width, 70) << row.name;
        EXPECT_EQ(slot->height, 90) << row.name;
    }
    for (int bad : {0x100 | 8, 0x200 | 64, 0x400 | 4, 0x800, 0x300, -1})
        EXPECT_EQ(b.SlotRecord(bad), nullptr) << std::hex << bad;
}

TEST(Deal, HitTestFindsOnlyFreeCards) {
    Board b;
    b.DealBoard();
    b.foundations[1].card = 12 * 4; // an Ace on a foundation is never clickable
    b.columns[2][5].card = NO_CARD; // column 2 ends at row 4
    for (int r = 0; r < 6; ++r)
        b.columns[6][r].card = NO_CARD; // column 6 is empty
    struct Row {
        const char* name;
        int x, y, expected;
    };
    const Row rows[] = {
        {"top card's top left corner", 657, 280, ColumnSlot(7, 5)},
        {"top card's right edge", 727, 300, ColumnSlot(7, 5)},
        {"top card's bottom edge", 680, 370, ColumnSlot(7, 5)},
        {"just right of it", 728, 300, NO_SLOT},
        {"just below it", 680, 371, NO_SLOT},
        {"covered strip of row 4", 690, 260, NO_SLOT},
        {"shorter column's new top", 250, 280, ColumnSlot(2, 4)},
        {"occupied free cell", 262, 500, SLOT_FREECELL | 2},
        {"free cell's bottom right corner", 552, 551, SLOT_FREECELL | 5},
        {"empty free cell", 100, 500, NO_SLOT},
        {"empty column", 560, 150, NO_SLOT},
        {"foundation", 340, 60, NO_SLOT},
        {"outside", 5, 5, NO_SLOT},
    };
    for (const Row& row : rows)
        EXPECT_EQ(b.HitTest(row.x, row.y), row.expected) << row.name;
}

TEST(Deal, CardAtReadsEmptyPlacesAsNoSuit) {
    Board b;
    b.DealBoard();
    b.columns[0][5].card = 11 * 4 + 3; // King of suit 3
    int rank = 99, suit = 99;
    b.CardAt(ColumnSlot(0, 5), &rank, &suit);
    EXPECT_EQ(rank, 11);
    EXPECT_EQ(suit, 3);
    b.CardAt(SLOT_FOUNDATION | 0, &rank, &suit);
    EXPECT_EQ(rank, 0);
    EXPECT_EQ(suit, -1);
    rank = suit = 99;
    b.CardAt(0x800 | 1, &rank, &suit);
    EXPECT_EQ(rank, 99) << "a value naming no area leaves the outputs";
    EXPECT_EQ(suit, 99);
}

TEST(Deal, SeedFromTheEnvironmentReplaysATable) {
    struct Row {
        const char* text;
        bool seeds;
    };
    const Row rows[] = {{"42", true},          {"0", true},   {"4294967295", true},
                        {"4294967296", false}, {"-1", false}, {"12abc", false},
                        {"", false},           {" 7", false}, {"+7", false}};
    for (const Row& row : rows)
        EXPECT_EQ(SeedDeals(row.text), row.seeds) << '"' << row.text << '"';
    EXPECT_FALSE(SeedDeals(nullptr));

    Board first, second;
    ASSERT_TRUE(SeedDeals("42"));
    first.DealBoard();
    first.DealBoard();
    std::srand(7); // the time seed of the start-up, say
    ASSERT_TRUE(SeedDeals("42"));
    second.DealBoard();
    second.DealBoard();
    EXPECT_EQ(InDealOrder(first), InDealOrder(second));
}

} // namespace
