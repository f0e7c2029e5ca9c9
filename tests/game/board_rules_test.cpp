// The table, the deal and the move rules, without drawing: the rules are given no show.
#include <cstdlib>
#include <random>
#include <set>

#include "core/timer_service.h"
#include "game_test_support.h"

namespace gametest {
namespace {

struct Game : GameBase {
    void NewGame() override {}
    void Release() override {}
    int GameStep() override { return 1; }
};

class Table : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetTimerService();
        board.DealBoard();
        game.SetTimeLimit(154);
    }
    // The cards of the places in `slots` order (free cells, columns, foundations by number).
    std::vector<int> Cards(std::vector<int> slots = {}) {
        for (int slot = 0; slots.empty() && slot < 0x500; ++slot)
            if (board.SlotRecord(slot))
                slots.push_back(slot);
        std::vector<int> cards;
        for (int slot : slots)
            cards.push_back(board.SlotRecord(slot)->card);
        return cards;
    }

    Board board;
    Game game;
    MoveRules rules{board, game, nullptr};
};

TEST_F(Table, TheDealDrawsFreeCellsThenRowByRowIntoTheirPlacesAndASeedReplaysIt) {
    std::vector<int> dealOrder = {Cell(2), Cell(3), Cell(4), Cell(5)}, draws;
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < COLUMNS; ++c)
            dealOrder.push_back(Col(c, r));
    std::srand(1234);
    for (std::set<int> seen; draws.size() < DECK_SIZE;) // the generator's first 52 different cards
        if (int r = std::rand() % DECK_SIZE; seen.insert(r).second)
            draws.push_back(r);
    std::srand(1234);
    board.DealBoard();
    EXPECT_EQ(Cards(dealOrder), draws);
    EXPECT_EQ(Cards({Cell(0), Cell(7), Col(0, 6), Found(3)}), std::vector<int>(4, NO_CARD));
    for (int bad : {Cell(8), SLOT_COLUMN | 64, Found(4), 0x800, -1})
        EXPECT_EQ(board.SlotRecord(bad), nullptr) << std::hex << bad;
    int rank = 99, suit = 99;
    board.CardAt(0x800 | 1, &rank, &suit);
    EXPECT_EQ(rank * 100 + suit, 9999) << "a value naming no area leaves the outputs";

    for (const char* refused : {"4294967296", "-1", "12abc", ""})
        EXPECT_FALSE(SeedDeals(refused)) << '"' << refused << '"';
    EXPECT_TRUE(SeedDeals("4294967295"));
    EXPECT_TRUE(SeedDeals("42"));
    board.DealBoard();
    const std::vector<int> first = Cards();
    std::srand(7); // the start-up's time seed, say
    SeedDeals("42");
    board.DealBoard();
    EXPECT_EQ(Cards(), first);
}

// Each row: the place clicked, the destination found (with testOnly 1 nothing changes; the hint
// flag says the same), and where the card then lies.
TEST_F(Table, FindMoveTakesTheFirstDestinationThatFitsAndATestChangesNothing) {
    Places fullColumn;
    for (int r = 0; r < COLUMN_ROWS - 1; ++r)
        fullColumn.push_back({Col(0, r), C(Two + r / 3, 1 + r % 3)});
    fullColumn.push_back({Col(0, 7), C(Six, 0)});
    fullColumn.push_back({Col(1, 0), C(Five, 0)}); // would fit the full column's top
    const struct {
        const char* name;
        Places table;
        int from, expected, landsAt; // landsAt: NO_SLOT when nothing moves
    } rows[] = {
        // clang-format off
        {"Ace to the first empty foundation", {{Col(0, 0), C(Six, 1)}, {Col(0, 1), C(Ace, 0)}},
         Col(0, 1), Found(0), Found(0)},
        {"lower-numbered column first", {{Col(4, 0), C(Five, 3)}, {Col(3, 0), C(Six, 3)}, {Col(1, 0), C(Two, 0)},
         {Col(1, 1), C(Six, 3)}}, Col(4, 0), SLOT_COLUMN, Col(1, 2)},
        {"King on an Ace of its suit", {{Col(0, 0), C(King, 2)}, {Col(5, 0), C(Ace, 2)}}, Col(0, 0), SLOT_COLUMN,
         Col(5, 1)},
        {"King to the leftmost empty column, not a free cell", {{Col(0, 0), C(Two, 0)}, {Col(1, 0), C(Two, 1)},
         {Col(3, 0), C(Two, 3)}, {Col(3, 1), C(King, 1)}}, Col(3, 1), SLOT_COLUMN, Col(2, 0)},
        {"never an Ace to a free cell", {{Found(0), C(Five, 1)}, {Found(1), C(Five, 2)}, {Found(2), C(Five, 3)},
         {Found(3), C(Six, 1)}, {Col(0, 0), C(Ace, 0)}}, Col(0, 0), 0, NO_SLOT},
        {"never from free cell to free cell", {{Cell(3), C(Seven, 0)}}, Cell(3), 0, NO_SLOT},
        {"a full column takes nothing", fullColumn, Col(1, 0), SLOT_FREECELL, Cell(0)},
        {"a foundation card never moves", {{Found(0), C(Ace, 0)}}, Found(0), 0, NO_SLOT},
        {"an empty place moves nothing", {}, Col(0, 0), 0, NO_SLOT},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Lay(board, row.table);
        const int card = board.SlotRecord(row.from)->card;
        int rank = 0, suit = 0;
        board.CardAt(row.from, &rank, &suit);
        const std::vector<int> before = Cards();
        rules.MarkMovableCards();
        EXPECT_EQ(board.SlotRecord(row.from)->movable, row.expected != 0);
        EXPECT_EQ(rules.AnyMoveLeft(), row.expected != 0);
        EXPECT_EQ(rules.FindMove(row.from, rank, suit, 1), row.expected);
        EXPECT_EQ(Cards(), before);
        EXPECT_EQ(rules.FindMove(row.from, rank, suit, 0), row.expected);
        if (row.landsAt != NO_SLOT)
            EXPECT_EQ(Cards({row.landsAt, row.from}), std::vector<int>({card, NO_CARD}));
        else
            EXPECT_EQ(Cards(), before);
    }
}

TEST_F(Table, ChainsScoreRisingPointsAndASuitBonusAndEachGivesFiveSeconds) {
    // The Four lies under another suit's Two: the chain stops at the Three.
    Lay(board, {{Col(0, 0), C(Five, 0)},
                {Col(0, 1), C(Ace, 0)},
                {Col(1, 0), C(Two, 0)},
                {Col(2, 0), C(Four, 0)},
                {Col(2, 1), C(Two, 1)},
                {Cell(6), C(Three, 0)}});
    SetCountdown(100);
    EXPECT_EQ(rules.PlayCard(Col(0, 1)), 1);
    EXPECT_EQ(Cards({Found(0), Col(1, 0), Cell(6)}), std::vector<int>({C(Three, 0), -1, -1}));
    EXPECT_EQ(std::make_pair(game.GetScore(), GetCountdown()), std::make_pair(25 + 50 + 100, 115));

    Places suit = {{Col(0, 0), C(Ace, 2)}}; // and its followers on every column top and free cells
    for (int rank = Two; rank <= King; ++rank)
        suit.push_back({rank < 7 ? Col(rank + 1, 0) : Cell(rank - 7), C(rank, 2)});
    Lay(board, suit);
    game.SetScore(0);
    rules.PlayCard(Col(0, 0));
    EXPECT_EQ(game.GetScore(), 199075 + SUIT_BONUS) << "25, 50, 100 ... 100000";
    EXPECT_EQ(GetCountdown(), 154) << "never beyond the limit";

    const int clock[][3] = {
        {151, 154, 154}, {149, 154, 154}, {100, 154, 105}, {0, 0, 0}, {3, 999999, 8}};
    for (const auto& [left, limit, expected] : clock) {
        game.SetTimeLimit(limit);
        SetCountdown(left);
        rules.AddPoints(25, 1);
        EXPECT_EQ(GetCountdown(), expected) << left << " of " << limit;
    }
}

// A thousand random games: whatever is clicked, every card stays in exactly one place (a suit
// on two foundations would show its Ace twice), columns stay piles without gaps, and the score is
// the points of the cards that reached the foundations.
TEST_F(Table, RandomClicksKeepTheTableAndTheScoreTrue) {
    for (int deal = 0; deal < 1000; ++deal) {
        SeedDeals(std::to_string(deal).c_str());
        board.DealBoard();
        game.SetScore(0);
        std::mt19937 pick(deal);
        int expected = 0, placed = 0, kings = 0;
        for (int click = 0, left = 1; click < 120 && left; ++click) {
            const int slot = board.HitTest(pick() % 740 + 60, pick() % 450 + 120);
            if (slot == NO_SLOT)
                continue;
            left = rules.PlayCard(slot);
            int seen[DECK_SIZE] = {}, nowPlaced = 0, nowKings = 0;
            for (const CardSlot& s : board.freeCells)
                seen[s.card < 0 ? 0 : s.card] += s.card >= 0;
            for (int c = 0; c < COLUMNS; ++c)
                for (int r = 0; r <= board.TopRow(c); ++r) {
                    ASSERT_NE(board.columns[c][r].card, NO_CARD) << deal << ": a gap in " << c;
                    ++seen[board.columns[c][r].card];
                }
            for (const CardSlot& f : board.foundations) {
                if (f.card == NO_CARD)
                    continue;
                const int suit = CardSuit(f.card), top = CardRank(f.card);
                nowKings += top == King;
                for (int rank = Two; rank <= top && top != Ace; ++rank) // over the Ace
                    ++seen[C(rank, suit)], ++nowPlaced;
                ++seen[C(Ace, suit)], ++nowPlaced;
            }
            for (int step = 0; step < nowPlaced - placed; ++step)
                expected += CHAIN_POINTS[step];
            expected += (nowKings - kings) * SUIT_BONUS;
            placed = nowPlaced, kings = nowKings;
            ASSERT_EQ(game.GetScore(), expected) << deal << ":" << click;
            for (int card = 0; card < DECK_SIZE; ++card)
                ASSERT_EQ(seen[card], 1) << deal << ":" << click << " card " << card;
        }
    }
}

} // namespace
} // namespace gametest
