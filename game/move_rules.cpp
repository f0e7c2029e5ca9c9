#include "game/move_rules.h"

#include "core/timer_service.h"

namespace {
// A foundation takes the next card of its suit: an Ace is followed by the Two, each rank by the
// next one up to the King. An empty one takes only an Ace.
bool FoundationTakes(const CardSlot& foundation, int rank, int suit) {
    if (foundation.card == NO_CARD)
        return rank == RANK_ACE;
    const int top = CardRank(foundation.card);
    if (CardSuit(foundation.card) != suit)
        return false;
    return (top == rank - 1 && top != RANK_ACE) || (top == RANK_ACE && rank == 0);
}
} // namespace

void MoveRules::MoveCard(int from, CardSlot& to, int card) {
    // The source is emptied and shown so before the destination is written: during the flight
    // neither place shows the card.
    const CardSlot source = *board.SlotRecord(from);
    board.ClearSlot(from);
    if (show)
        show->TableChanged();
    to.card = card;
    if (show)
        show->CardFlown(source, to);
}

int MoveRules::FindMove(int from, int rank, int suit, int testOnly) {
    const CardSlot* source = board.SlotRecord(from);
    if (!source || SlotArea(from) == SLOT_FOUNDATION || source->card == NO_CARD)
        return 0;
    const int card = rank * 4 + suit;
    for (int i = 0; i < FOUNDATIONS; ++i) {
        CardSlot& foundation = board.foundations[i];
        if (!FoundationTakes(foundation, rank, suit))
            continue;
        if (!testOnly) {
            MoveCard(from, foundation, card);
            SuitCompleted(rank);
        }
        return SLOT_FOUNDATION | i;
    }
    for (int c = 0; c < COLUMNS; ++c) {
        const int r = board.TopRow(c);
        if (r < 0)
            continue;
        const int top = board.columns[c][r].card;
        if (CardSuit(top) == suit && CardRank(top) == rank + 1 && r < COLUMN_ROWS - 1) {
            if (!testOnly)
                MoveCard(from, board.columns[c][r + 1], card);
            return SLOT_COLUMN;
        }
    }
    if (rank == RANK_KING) {
        for (int c = 0; c < COLUMNS; ++c) {
            if (board.columns[c][0].card != NO_CARD)
                continue;
            if (!testOnly)
                MoveCard(from, board.columns[c][0], card);
            return SLOT_COLUMN;
        }
    }
    if (rank == RANK_ACE || SlotArea(from) == SLOT_FREECELL)
        return 0;
    for (int i = 0; i < FREE_CELLS; ++i) {
        if (board.freeCells[i].card != NO_CARD)
            continue;
        if (!testOnly)
            MoveCard(from, board.freeCells[i], card);
        return SLOT_FREECELL;
    }
    return 0;
}

int MoveRules::PlayCard(int from) {
    int rank = 0, suit = -1;
    board.CardAt(from, &rank, &suit);
    if (!FindMove(from, rank, suit, 1) && show)
        show->Refused();
    const int result = FindMove(from, rank, suit, 0);
    if (result & SLOT_FOUNDATION) {
        int step = 0;
        int foundation = result;
        AddPoints(CHAIN_POINTS[step], 1);
        if (show)
            show->FoundationScored(foundation, step);
        while (step + 1 < CHAIN_LENGTH && ChainStep(rank, suit, foundation)) {
            ++step;
            AddPoints(CHAIN_POINTS[step], 1);
            if (show)
                show->FoundationScored(foundation, step);
        }
    }
    return AnyMoveLeft();
}

int MoveRules::ChainStep(int& rank, int suit, int& foundation) {
    if (rank == RANK_KING)
        return 0;
    rank = rank == RANK_ACE ? 0 : rank + 1;
    CardSlot* target = nullptr;
    for (int i = 0; i < FOUNDATIONS && !target; ++i) {
        if (board.foundations[i].card != NO_CARD && CardSuit(board.foundations[i].card) == suit) {
            target = &board.foundations[i];
            foundation = SLOT_FOUNDATION | i;
        }
    }
    if (!target)
        return 0;
    const int wanted = rank * 4 + suit;
    int place = NO_SLOT;
    for (int c = 0; c < COLUMNS && place == NO_SLOT; ++c) {
        const int r = board.TopRow(c);
        if (r >= 0 && board.columns[c][r].card == wanted)
            place = ColumnSlot(c, r);
    }
    for (int i = 0; i < FREE_CELLS && place == NO_SLOT; ++i)
        if (board.freeCells[i].card == wanted)
            place = SLOT_FREECELL | i;
    if (place == NO_SLOT)
        return 0;
    MoveCard(place, *target, wanted);
    SuitCompleted(rank);
    return 1;
}

void MoveRules::SuitCompleted(int rank) {
    if (rank != RANK_KING)
        return;
    AddPoints(SUIT_BONUS, 1);
    if (show)
        show->TableChanged();
}

bool MoveRules::HasMove(int slotId) {
    int rank = 0, suit = -1;
    board.CardAt(slotId, &rank, &suit);
    return FindMove(slotId, rank, suit, 1) != 0;
}

void MoveRules::MarkMovableCards() {
    for (CardSlot& cell : board.freeCells)
        cell.movable = 0;
    for (auto& column : board.columns)
        for (CardSlot& slot : column)
            slot.movable = 0;
    for (int i = 0; i < FREE_CELLS; ++i)
        if (board.freeCells[i].card != NO_CARD)
            board.freeCells[i].movable = HasMove(SLOT_FREECELL | i);
    for (int c = 0; c < COLUMNS; ++c) {
        const int r = board.TopRow(c);
        if (r >= 0)
            board.columns[c][r].movable = HasMove(ColumnSlot(c, r));
    }
}

int MoveRules::AnyMoveLeft() {
    for (int i = 0; i < FREE_CELLS; ++i)
        if (board.freeCells[i].card != NO_CARD && HasMove(SLOT_FREECELL | i))
            return 1;
    for (int c = 0; c < COLUMNS; ++c) {
        const int r = board.TopRow(c);
        if (r >= 0 && HasMove(ColumnSlot(c, r)))
            return 1;
    }
    return 0;
}

int MoveRules::AllFoundationsComplete() {
    for (const CardSlot& foundation : board.foundations)
        if (foundation.card == NO_CARD || CardRank(foundation.card) != RANK_KING)
            return 0;
    AddPoints(FINAL_BONUS, 1);
    return 1;
}

void MoveRules::AddPoints(int points, int times) {
    for (int i = 0; i < times; ++i) {
        game.SetScore(game.GetScore() + points);
        const int limit = game.GetTimeLimit();
        const int left = GetCountdown();
        SetCountdown(left > limit - SECONDS_PER_SCORE ? limit : left + SECONDS_PER_SCORE);
        if (show)
            show->PointsChanged();
    }
}
