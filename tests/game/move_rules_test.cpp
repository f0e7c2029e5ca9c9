#include "game/move_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/timer_service.h"

namespace {

constexpr int Card(int rank, int suit) {
    return rank * 4 + suit;
}
constexpr int Two = 0, Three = 1, Four = 2, Five = 3, Six = 4, Seven = 5, Queen = 10;
constexpr int King = RANK_KING, Ace = RANK_ACE;

struct Game : GameBase {
    void NewGame() override {}
    void Release() override {}
    int GameStep() override { return 1; }
};

// Notes what the rules ask to be shown, in order.
struct Journal : MoveShow {
    std::vector<std::string> events;
    void TableChanged() override { events.push_back("table"); }
    void CardFlown(const CardSlot&, const CardSlot& to) override {
        events.push_back("fly " + std::to_string(to.card));
    }
    void PointsChanged() override { events.push_back("points"); }
    void FoundationScored(int foundation, int step) override {
        events.push_back("scored " + std::to_string(foundation & 0xFF) + " " +
                         std::to_string(step));
    }
    void Refused() override { events.push_back("refused"); }
};

class Rules : public ::testing::Test {
  public: // the table's arrangements below work on the fixture
    void SetUp() override {
        ResetTimerService();
        board.DealBoard();
        Clear();
        game.SetTimeLimit(154);
        SetCountdown(100);
    }
    void Clear() {
        for (CardSlot& s : board.freeCells)
            s.card = NO_CARD;
        for (auto& column : board.columns)
            for (CardSlot& s : column)
                s.card = NO_CARD;
        for (CardSlot& s : board.foundations)
            s.card = NO_CARD;
    }
    // Stacks cards on a column from row 0.
    void Column(int c, std::initializer_list<int> cards) {
        int r = 0;
        for (int card : cards)
            board.columns[c][r++].card = card;
    }
    std::vector<int> Cards() const {
        std::vector<int> cards;
        for (const CardSlot& s : board.freeCells)
            cards.push_back(s.card);
        for (const auto& column : board.columns)
            for (const CardSlot& s : column)
                cards.push_back(s.card);
        for (const CardSlot& s : board.foundations)
            cards.push_back(s.card);
        return cards;
    }

    Board board;
    Game game;
    Journal journal;
    MoveRules rules{board, game, &journal};
};

TEST_F(Rules, FindMoveChoosesTheFirstDestinationThatFits) {
    struct Row {
        const char* name;
        std::function<void(Rules&)> arrange;
        int from, expected, landsAt; // landsAt: the place that then holds the card, or NO_SLOT
    };
    const Row rows[] = {
        {"an Ace goes to the first empty foundation",
         [](Rules& t) {
             t.Column(0, {Card(Six, 1), Card(Ace, 0)});
         },
         ColumnSlot(0, 1), SLOT_FOUNDATION | 0, SLOT_FOUNDATION | 0},
        {"a foundation before a column",
         [](Rules& t) {
             t.board.foundations[2].card = Card(Ace, 1);
             t.Column(1, {Card(Two, 1)});
             t.Column(2, {Card(Three, 1)});
         },
         ColumnSlot(1, 0), SLOT_FOUNDATION | 2, SLOT_FOUNDATION | 2},
        {"the Two follows the Ace, the Three the Two",
         [](Rules& t) {
             t.board.foundations[3].card = Card(Two, 2);
             t.board.freeCells[4].card = Card(Three, 2);
         },
         SLOT_FREECELL | 4, SLOT_FOUNDATION | 3, SLOT_FOUNDATION | 3},
        {"down in suit on the lower-numbered column",
         [](Rules& t) {
             t.Column(4, {Card(Five, 3)});
             t.Column(3, {Card(Six, 3)});
             t.Column(1, {Card(Two, 0), Card(Six, 3)});
         },
         ColumnSlot(4, 0), SLOT_COLUMN, ColumnSlot(1, 2)},
        {"a King on an Ace of its suit",
         [](Rules& t) {
             t.Column(0, {Card(King, 2)});
             t.Column(5, {Card(Ace, 2)});
         },
         ColumnSlot(0, 0), SLOT_COLUMN, ColumnSlot(5, 1)},
        {"a King to the leftmost empty column before a free cell",
         [](Rules& t) {
             for (int c : {0, 1, 3, 4, 5, 7})
                 t.Column(c, {Card(Two, c % 4)});
             t.Column(3, {Card(Two, 3), Card(King, 1)});
         },
         ColumnSlot(3, 1), SLOT_COLUMN, ColumnSlot(2, 0)},
        {"a column card to the leftmost empty free cell",
         [](Rules& t) {
             t.board.freeCells[0].card = Card(Two, 1);
             t.Column(0, {Card(Seven, 0)});
         },
         ColumnSlot(0, 0), SLOT_FREECELL, SLOT_FREECELL | 1},
        {"an Ace never to a free cell",
         [](Rules& t) {
             for (int i = 0; i < FOUNDATIONS; ++i)
                 t.board.foundations[i].card = Card(Five, 1 + i % 3);
             t.Column(0, {Card(Ace, 0)});
         },
         ColumnSlot(0, 0), 0, NO_SLOT},
        {"a free cell card never to another free cell",
         [](Rules& t) { t.board.freeCells[3].card = Card(Seven, 0); }, SLOT_FREECELL | 3, 0,
         NO_SLOT},
        {"a full column of 8 takes nothing",
         [](Rules& t) {
             t.Column(0, {Card(Two, 1), Card(Two, 2), Card(Two, 3), Card(Three, 1), Card(Three, 2),
                          Card(Three, 3), Card(Four, 1), Card(Six, 0)});
             t.Column(1, {Card(Five, 0)});
         },
         ColumnSlot(1, 0), SLOT_FREECELL, SLOT_FREECELL | 0},
        {"a foundation card never moves",
         [](Rules& t) { t.board.foundations[0].card = Card(Ace, 0); }, SLOT_FOUNDATION | 0, 0,
         NO_SLOT},
        {"an empty place moves nothing", [](Rules&) {}, ColumnSlot(0, 0), 0, NO_SLOT},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Clear();
        row.arrange(*this);
        const int card = board.SlotRecord(row.from)->card;
        int rank = 0, suit = 0;
        board.CardAt(row.from, &rank, &suit);
        const std::vector<int> before = Cards();
        EXPECT_EQ(rules.FindMove(row.from, rank, suit, 1), row.expected);
        EXPECT_EQ(Cards(), before) << "a test changed the table";
        journal.events.clear();
        EXPECT_EQ(rules.FindMove(row.from, rank, suit, 0), row.expected);
        if (row.landsAt == NO_SLOT) {
            EXPECT_EQ(board.SlotRecord(row.from)->card, card);
            EXPECT_TRUE(journal.events.empty());
            continue;
        }
        EXPECT_EQ(board.SlotRecord(row.landsAt)->card, card);
        EXPECT_EQ(board.SlotRecord(row.from)->card, NO_CARD);
        ASSERT_GE(journal.events.size(), 2u);
        EXPECT_EQ(journal.events[0], "table") << "the source is emptied and shown first";
        EXPECT_EQ(journal.events[1], "fly " + std::to_string(card));
    }
}

TEST_F(Rules, AChainFollowsTheSuitWithRisingPoints) {
    Column(0, {Card(Five, 0), Card(Ace, 0)});
    Column(1, {Card(Two, 0)});
    Column(2, {Card(Four, 0), Card(Two, 1)}); // the Four is covered: the chain stops at it
    board.freeCells[6].card = Card(Three, 0);
    EXPECT_EQ(rules.PlayCard(ColumnSlot(0, 1)), 1);
    EXPECT_EQ(game.GetScore(), 25 + 50 + 100);
    EXPECT_EQ(board.foundations[0].card, Card(Three, 0));
    EXPECT_EQ(board.columns[2][0].card, Card(Four, 0));
    std::vector<std::string> scored;
    for (const std::string& e : journal.events)
        if (e.rfind("scored", 0) == 0)
            scored.push_back(e);
    EXPECT_EQ(scored, (std::vector<std::string>{"scored 0 0", "scored 0 1", "scored 0 2"}));
}

TEST_F(Rules, AWholeSuitScoresEveryChainStepAndTheKingsBonus) {
    // The Ace of suit 2 and its twelve followers on the column tops and in free cells.
    Column(0, {Card(Ace, 2)});
    int rank = Two;
    for (int c = 1; c < COLUMNS; ++c)
        Column(c, {Card(rank++, 2)});
    for (int i = 0; i < 5; ++i)
        board.freeCells[i].card = Card(rank++, 2);
    ASSERT_EQ(rank, King + 1);
    rules.PlayCard(ColumnSlot(0, 0));
    int chain = 0;
    for (int points : CHAIN_POINTS)
        chain += points;
    EXPECT_EQ(chain, 199075);
    EXPECT_EQ(game.GetScore(), chain + SUIT_BONUS);
    EXPECT_EQ(board.foundations[0].card, Card(King, 2));
}

TEST_F(Rules, FinalBonusOnlyWhenEveryFoundationEndsWithItsKing) {
    for (int i = 0; i < FOUNDATIONS; ++i)
        board.foundations[i].card = Card(King, i);
    board.foundations[3].card = Card(Queen, 3);
    EXPECT_EQ(rules.AllFoundationsComplete(), 0);
    EXPECT_EQ(game.GetScore(), 0);
    Column(0, {Card(King, 3)});
    rules.PlayCard(ColumnSlot(0, 0));
    EXPECT_EQ(game.GetScore(), 25 + SUIT_BONUS);
    EXPECT_EQ(rules.AnyMoveLeft(), 0);
    EXPECT_EQ(rules.AllFoundationsComplete(), 1);
    EXPECT_EQ(game.GetScore(), 25 + SUIT_BONUS + FINAL_BONUS);
}

TEST_F(Rules, EveryScoringEventGivesFiveSecondsUpToTheLimit) {
    struct Row {
        int left, limit, expected;
    };
    const Row rows[] = {{154, 154, 154}, {151, 154, 154}, {149, 154, 154},
                        {100, 154, 105}, {0, 0, 0},       {3, 999999, 8}};
    for (const Row& row : rows) {
        game.SetTimeLimit(row.limit);
        SetCountdown(row.left);
        rules.AddPoints(25, 1);
        EXPECT_EQ(GetCountdown(), row.expected) << row.left << " of " << row.limit;
    }
    game.SetScore(0);
    game.SetTimeLimit(154);
    SetCountdown(10);
    rules.AddPoints(1000, 3);
    EXPECT_EQ(game.GetScore(), 3000);
    EXPECT_EQ(GetCountdown(), 25);
}

TEST_F(Rules, NoMoveLeftWhenTheFreeCellsAreFullAndNothingFits) {
    for (int i = 0; i < FREE_CELLS; ++i)
        board.freeCells[i].card = Card(Two + i, i % 2); // no Ace anywhere, no column takes them
    Column(0, {Card(Ace, 3), Card(Seven, 2)});
    Column(1, {Card(Queen, 3)});
    EXPECT_EQ(rules.AnyMoveLeft(), 0);
    journal.events.clear();
    EXPECT_EQ(rules.PlayCard(ColumnSlot(0, 1)), 0);
    EXPECT_EQ(journal.events, std::vector<std::string>{"refused"});
    rules.MarkMovableCards();
    EXPECT_EQ(board.columns[0][1].movable, 0);

    board.freeCells[7].card = NO_CARD; // now any column top can go to a free cell
    EXPECT_EQ(rules.AnyMoveLeft(), 1);
    rules.MarkMovableCards();
    EXPECT_EQ(board.columns[0][1].movable, 1);
    EXPECT_EQ(board.columns[0][0].movable, 0) << "only top cards are marked";
    EXPECT_EQ(board.freeCells[0].movable, 0);
}

} // namespace
