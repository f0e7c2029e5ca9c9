#pragma once
// The rules of a click: where a card goes (the game chooses by a fixed order of preference), the
// points of foundation placements and of the same suit's cards that follow by themselves, the
// bonuses, the hint flags, and whether any move is left.
#include "game/board.h"
#include "game/game_base.h"

// Points of each step of a chain: the clicked card reaching a foundation, then each card of its
// suit that follows by itself. A suit has 13 cards.
constexpr int CHAIN_LENGTH = 13;
constexpr int CHAIN_POINTS[CHAIN_LENGTH] = {25,   50,   100,   200,   400,   800,   1500,
                                            3000, 6000, 12000, 25000, 50000, 100000};
constexpr int SUIT_BONUS = 100000;  // a King laid on its foundation
constexpr int FINAL_BONUS = 500000; // all four suits complete
constexpr int SECONDS_PER_SCORE = 5;

// What a move looks and sounds like. The rules call it at fixed points; without one (tests that
// play many games) moves are carried out silently.
class MoveShow {
  public:
    virtual ~MoveShow() = default;
    virtual void TableChanged() = 0;                                      // redraw the table
    virtual void CardFlown(const CardSlot& from, const CardSlot& to) = 0; // card is to.card
    virtual void PointsChanged() = 0;                                     // clock and score
    virtual void FoundationScored(int foundationSlot, int chainStep) = 0;
    virtual void Refused() = 0; // a click on a card without a move
};

class MoveRules {
  public:
    MoveRules(Board& board, GameBase& game, MoveShow* show)
        : board(board), game(game), show(show) {}

    // SLOT_FOUNDATION | i, SLOT_COLUMN, SLOT_FREECELL or 0 for no move; with testOnly 0 the
    // move is also carried out.
    int FindMove(int from, int rank, int suit, int testOnly);
    // One accepted click on a card; 1 when any move is left afterwards.
    int PlayCard(int from);
    // Moves the next card of the suit to its foundation when it is free; rank advances with it.
    int ChainStep(int& rank, int suit, int& foundation);
    void SuitCompleted(int rank);
    void MarkMovableCards();
    int AnyMoveLeft();
    // 1 (and the final bonus) when every foundation ends with its King.
    int AllFoundationsComplete();
    // Each time: the points, and five seconds back on the clock, never beyond the limit.
    void AddPoints(int points, int times);

  private:
    void MoveCard(int from, CardSlot& to, int card);
    bool HasMove(int slotId);

    Board& board;
    GameBase& game;
    MoveShow* show;
};
