// The table, the deal and the move rules, without drawing: the rules are given no show.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/timer_service.h"
#include "game/move_rules.h"

namespace {

constexpr int Two = 0, Three = 1, Four = 2, Five = 3, Six = 4, Seven = 5, Queen = 10;
constexpr int King = RANK_KING, Ace = RANK_ACE;
// clang-format off
constexpr int C(int rank, int suit) { return rank * 4 + suit; }
constexpr int Col(int c, int r) { return ColumnSlot(c, r); }
constexpr int Cell(int i) { return SLOT_FREECELL | i; }
constexpr int Found(int i) { return SLOT_FOUNDATION | i; }
// clang-format on
using Places = std::vector<std::pair<int, int>>; // place, card

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
    void Set(const Places& places) { // empties the table, then lays the cards given
        for (int slot = 0; slot < 0x500; ++slot)
            if (CardSlot* s = board.SlotRecord(slot))
                s->card = NO_CARD;
        for (const auto& [slot, card] : places)
            board.SlotRecord(slot)->card = card;
    }
    std::vector<int> Cards(bool dealOrder = false) {
        std::vector<int> cards;
        if (dealOrder) { // free cells 2 to 5, then row by row
            for (int i = 2; i <= 5; ++i)
                cards.push_back(board.freeCells[i].card);
            for (int r = 0; r < 6; ++r)
                for (int c = 0; c < COLUMNS; ++c)
                    cards.push_back(board.columns[c][r].card);
            return cards;
        }
        for (int slot = 0; slot < 0x500; ++slot)
            if (CardSlot* s = board.SlotRecord(slot))
                cards.push_back(s->card);
        return cards;
    }

    Board board;
    Game game;
    MoveRules rules{board, game, nullptr};
};

TEST_F(Table, TheDealDrawsFreeCellsThenRowByRowIntoTheirPlaces) {
    std::srand(1234);
    std::vector<int> draws; // the generator's first 52 different cards
    for (std::set<int> seen; draws.size() < DECK_SIZE;)
        if (int r = std::rand() % DECK_SIZE; seen.insert(r).second)
            draws.push_back(r);
    std::srand(1234);
    board.DealBoard();
    EXPECT_EQ(Cards(true), draws);
    for (int slot : {Cell(0), Cell(1), Cell(6), Cell(7), Col(0, 6), Col(7, 7), Found(0), Found(3)})
        EXPECT_EQ(board.SlotRecord(slot)->card, NO_CARD) << std::hex << slot;
    const int places[][3] = {{Cell(0), 82, 461},    {Cell(7), 642, 461},   {Col(0, 0), 57, 130},
                             {Col(7, 5), 657, 280}, {Col(3, 7), 353, 340}, {Found(0), 240, 26},
                             {Found(3), 480, 26}};
    for (const auto& [slot, x, y] : places) {
        const CardSlot* place = board.SlotRecord(slot);
        EXPECT_EQ(std::vector<int>({place->x, place->y, place->width, place->height}),
                  std::vector<int>({x, y, 70, 90}));
    }
    for (int bad : {Cell(8), SLOT_COLUMN | 64, Found(4), 0x800, 0x300, -1})
        EXPECT_EQ(board.SlotRecord(bad), nullptr) << std::hex << bad;

    const std::pair<const char*, bool> texts[] = {{"42", true},          {"4294967295", true},
                                                  {"4294967296", false}, {"-1", false},
                                                  {"12abc", false},      {"", false}};
    for (const auto& [text, seeds] : texts)
        EXPECT_EQ(SeedDeals(text), seeds) << '"' << text << '"';
    SeedDeals("42");
    board.DealBoard();
    const std::vector<int> first = Cards(true);
    std::srand(7); // the start-up's time seed, say
    SeedDeals("42");
    board.DealBoard();
    EXPECT_EQ(Cards(true), first) << "a seed replays a table";
}

TEST_F(Table, HitTestFindsOnlyFreeCards) {
    board.foundations[1].card = C(Ace, 0);
    board.columns[2][5].card = NO_CARD; // column 2 ends at row 4
    for (int r = 0; r < 6; ++r)
        board.columns[6][r].card = NO_CARD;
    const int rows[][3] = {
        {657, 280, Col(7, 5)}, {727, 300, Col(7, 5)}, {680, 370, Col(7, 5)}, // edges included
        {728, 300, NO_SLOT},   {680, 371, NO_SLOT},   {690, 260, NO_SLOT},   // covered strip
        {250, 280, Col(2, 4)}, {262, 500, Cell(2)},   {552, 551, Cell(5)},
        {100, 500, NO_SLOT},   {560, 150, NO_SLOT},   {340, 60, NO_SLOT}, // empty, foundation
    };
    for (const auto& [x, y, expected] : rows)
        EXPECT_EQ(board.HitTest(x, y), expected) << x << "," << y;
    int rank = 99, suit = 99;
    board.CardAt(Found(0), &rank, &suit);
    EXPECT_EQ(rank * 100 + suit, -1) << "an empty place: rank 0, no suit";
    rank = suit = 99;
    board.CardAt(0x800 | 1, &rank, &suit);
    EXPECT_EQ(rank * 100 + suit, 9999) << "a value naming no area leaves the outputs";
}

TEST_F(Table, FindMoveTakesTheFirstDestinationThatFitsAndATestChangesNothing) {
    const struct {
        const char* name;
        Places table;
        int from, expected, landsAt; // landsAt: where the card then lies, or NO_SLOT
    } rows[] = {
        // clang-format off
        {"Ace to the first empty foundation", {{Col(0, 0), C(Six, 1)}, {Col(0, 1), C(Ace, 0)}},
         Col(0, 1), Found(0), Found(0)},
        {"foundation before column", {{Found(2), C(Ace, 1)}, {Col(1, 0), C(Two, 1)}, {Col(2, 0), C(Three, 1)}},
         Col(1, 0), Found(2), Found(2)},
        {"Three on Two", {{Found(3), C(Two, 2)}, {Cell(4), C(Three, 2)}}, Cell(4), Found(3), Found(3)},
        {"lower-numbered column first", {{Col(4, 0), C(Five, 3)}, {Col(3, 0), C(Six, 3)}, {Col(1, 0), C(Two, 0)},
         {Col(1, 1), C(Six, 3)}}, Col(4, 0), SLOT_COLUMN, Col(1, 2)},
        {"King on an Ace of its suit", {{Col(0, 0), C(King, 2)}, {Col(5, 0), C(Ace, 2)}}, Col(0, 0), SLOT_COLUMN,
         Col(5, 1)},
        {"King to the leftmost empty column, not a free cell", {{Col(0, 0), C(Two, 0)}, {Col(1, 0), C(Two, 1)},
         {Col(3, 0), C(Two, 3)}, {Col(3, 1), C(King, 1)}}, Col(3, 1), SLOT_COLUMN, Col(2, 0)},
        {"leftmost empty free cell", {{Cell(0), C(Two, 1)}, {Col(0, 0), C(Seven, 0)}}, Col(0, 0), SLOT_FREECELL,
         Cell(1)},
        {"never an Ace to a free cell", {{Found(0), C(Five, 1)}, {Found(1), C(Five, 2)}, {Found(2), C(Five, 3)},
         {Found(3), C(Six, 1)}, {Col(0, 0), C(Ace, 0)}}, Col(0, 0), 0, NO_SLOT},
        {"never from free cell to free cell", {{Cell(3), C(Seven, 0)}}, Cell(3), 0, NO_SLOT},
        {"a full column takes nothing", {{Col(0, 0), C(Two, 1)}, {Col(0, 1), C(Two, 2)}, {Col(0, 2), C(Two, 3)},
         {Col(0, 3), C(Three, 1)}, {Col(0, 4), C(Three, 2)}, {Col(0, 5), C(Three, 3)}, {Col(0, 6), C(Five, 1)},
         {Col(0, 7), C(Six, 0)}, {Col(1, 0), C(Five, 0)}}, Col(1, 0), SLOT_FREECELL, Cell(0)},
        {"a foundation card never moves", {{Found(0), C(Ace, 0)}}, Found(0), 0, NO_SLOT},
        {"an empty place moves nothing", {}, Col(0, 0), 0, NO_SLOT},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Set(row.table);
        const int card = board.SlotRecord(row.from)->card;
        int rank = 0, suit = 0;
        board.CardAt(row.from, &rank, &suit);
        const std::vector<int> before = Cards();
        EXPECT_EQ(rules.FindMove(row.from, rank, suit, 1), row.expected);
        EXPECT_EQ(Cards(), before);
        EXPECT_EQ(rules.FindMove(row.from, rank, suit, 0), row.expected);
        if (row.landsAt != NO_SLOT)
            EXPECT_EQ(std::make_pair(board.SlotRecord(row.landsAt)->card,
                                     board.SlotRecord(row.from)->card),
                      std::make_pair(card, NO_CARD));
        else
            EXPECT_EQ(Cards(), before);
    }
}

TEST_F(Table, ChainsScoreRisingPointsKingsAndTheLastSuitBonusesAndEachGivesFiveSeconds) {
    // The Four lies under another suit's Two: the chain stops at the Three.
    Set({{Col(0, 0), C(Five, 0)},
         {Col(0, 1), C(Ace, 0)},
         {Col(1, 0), C(Two, 0)},
         {Col(2, 0), C(Four, 0)},
         {Col(2, 1), C(Two, 1)},
         {Cell(6), C(Three, 0)}});
    SetCountdown(100);
    EXPECT_EQ(rules.PlayCard(Col(0, 1)), 1);
    EXPECT_EQ(game.GetScore(), 25 + 50 + 100);
    EXPECT_EQ(GetCountdown(), 115);
    EXPECT_EQ(board.foundations[0].card, C(Three, 0));

    Places suit = {{Col(0, 0), C(Ace, 2)}}; // and its followers on every column top and free cells
    for (int rank = Two; rank <= King; ++rank)
        suit.push_back({rank < 7 ? Col(rank + 1, 0) : Cell(rank - 7), C(rank, 2)});
    Set(suit);
    game.SetScore(0);
    rules.PlayCard(Col(0, 0));
    EXPECT_EQ(game.GetScore(), 199075 + SUIT_BONUS) << "25, 50, 100 ... 100000";
    EXPECT_EQ(GetCountdown(), 154) << "never beyond the limit";

    Set({{Found(0), C(King, 0)},
         {Found(1), C(King, 1)},
         {Found(2), C(Queen, 3)},
         {Found(3), C(King, 2)},
         {Col(5, 0), C(King, 3)}});
    game.SetScore(0);
    EXPECT_EQ(rules.AllFoundationsComplete(), 0);
    EXPECT_EQ(rules.PlayCard(Col(5, 0)), 0) << "no card left";
    EXPECT_EQ(rules.AllFoundationsComplete(), 1);
    EXPECT_EQ(game.GetScore(), 25 + SUIT_BONUS + FINAL_BONUS);

    const int clock[][3] = {
        {151, 154, 154}, {149, 154, 154}, {100, 154, 105}, {0, 0, 0}, {3, 999999, 8}};
    for (const auto& [left, limit, expected] : clock) {
        game.SetTimeLimit(limit);
        SetCountdown(left);
        rules.AddPoints(25, 1);
        EXPECT_EQ(GetCountdown(), expected) << left << " of " << limit;
    }
}

TEST_F(Table, NoMoveLeftWhenTheFreeCellsAreFullAndNothingFits) {
    Places table = {{Col(0, 0), C(Ace, 3)}, {Col(0, 1), C(Seven, 2)}, {Col(1, 0), C(Queen, 3)}};
    for (int i = 0; i < FREE_CELLS; ++i)
        table.push_back({Cell(i), C(Two + i, i % 2)});
    Set(table);
    EXPECT_EQ(rules.PlayCard(Col(0, 1)), 0);
    EXPECT_EQ(board.columns[0][1].card, C(Seven, 2));
    board.freeCells[7].card = NO_CARD;
    EXPECT_EQ(rules.AnyMoveLeft(), 1);
    rules.MarkMovableCards();
    EXPECT_EQ(std::vector<int>({board.columns[0][1].movable, board.columns[0][0].movable,
                                board.freeCells[0].movable}),
              std::vector<int>({1, 0, 0}));
}

// Thousands of random games: whatever is clicked, every card stays in exactly one place, columns
// stay piles of at most 8, foundations build in suit, and the score is the points of the cards
// that reached the foundations.
TEST_F(Table, RandomClicksKeepTheTableAndTheScoreTrue) {
    auto onFoundations = [this](int* kings) { // cards held, the Ace up to the top card
        int n = 0;
        *kings = 0;
        for (const CardSlot& f : board.foundations) {
            n += f.card == NO_CARD ? 0 : CardRank(f.card) == Ace ? 1 : CardRank(f.card) + 2;
            *kings += f.card != NO_CARD && CardRank(f.card) == King;
        }
        return n;
    };
    for (int deal = 0; deal < 2000; ++deal) {
        SeedDeals(std::to_string(deal).c_str());
        board.DealBoard();
        game.SetScore(0);
        std::mt19937 pick(deal);
        int expected = 0, kings = 0;
        for (int click = 0; click < 120; ++click) {
            const int slot = board.HitTest(pick() % 740 + 60, pick() % 450 + 120);
            if (slot == NO_SLOT)
                continue;
            const int before = onFoundations(&kings), kingsBefore = kings;
            const int left = rules.PlayCard(slot);
            const int arrived = onFoundations(&kings) - before;
            for (int step = 0; step < arrived; ++step)
                expected += CHAIN_POINTS[step];
            expected += (kings - kingsBefore) * SUIT_BONUS;
            ASSERT_EQ(game.GetScore(), expected) << deal << ":" << click;
            int seen[DECK_SIZE] = {}, suits[4] = {};
            for (const CardSlot& s : board.freeCells)
                seen[s.card < 0 ? 0 : s.card] += s.card >= 0;
            for (int c = 0; c < COLUMNS; ++c)
                for (int r = 0; r <= board.TopRow(c); ++r) {
                    ASSERT_NE(board.columns[c][r].card, NO_CARD)
                        << deal << ": a gap in column " << c;
                    ++seen[board.columns[c][r].card];
                }
            for (const CardSlot& f : board.foundations) {
                if (f.card == NO_CARD)
                    continue;
                ++suits[CardSuit(f.card)];
                ++seen[f.card];
                if (CardRank(f.card) != Ace) // under the top card: the Ace and the ranks below
                    for (int rank = Ace; rank != CardRank(f.card);
                         rank = rank == Ace ? Two : rank + 1)
                        ++seen[C(rank, CardSuit(f.card))];
            }
            for (int suit : suits)
                ASSERT_LE(suit, 1) << deal << ": a suit on two foundations";
            for (int card = 0; card < DECK_SIZE; ++card)
                ASSERT_EQ(seen[card], 1) << deal << ":" << click << " card " << card;
            if (!left)
                break;
        }
    }
}

} // namespace
