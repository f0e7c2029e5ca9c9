#pragma once
// The card table: how cards are numbered, the places they lie in and where those are on the
// screen, the deal, which card lies under a point, and the card pictures.
#include "gfx/surface_functions.h"

// A card is rank * 4 + suit. Ranks run Two (0) ... Ten (8), Jack, Queen, King (11), Ace (12), the
// order of the card pictures; suits are the rows of the pictures. Computed with truncating
// division, an empty place reads as rank 0 and suit -1, which matches no suit.
constexpr int NO_CARD = -1;
constexpr int DECK_SIZE = 52;
constexpr int RANK_KING = 11;
constexpr int RANK_ACE = 12;
constexpr int CardRank(int card) {
    return card / 4;
}
constexpr int CardSuit(int card) {
    return card % 4;
}

constexpr int FREE_CELLS = 8;
constexpr int COLUMNS = 8;
constexpr int COLUMN_ROWS = 8; // row 0 lies at the back; a column holds at most 8 cards
constexpr int FOUNDATIONS = 4;

// A place on the table in 16 bits: the area in the high byte, the index in the low byte (a
// column slot's index is column + 8 * row). NO_SLOT is no place.
constexpr int SLOT_FREECELL = 0x100;
constexpr int SLOT_COLUMN = 0x200;
constexpr int SLOT_FOUNDATION = 0x400;
constexpr int NO_SLOT = -1;
constexpr int SlotArea(int slotId) {
    return slotId & 0xFF00;
}
constexpr int ColumnSlot(int column, int row) {
    return SLOT_COLUMN | (column + 8 * row);
}

struct CardSlot {
    int x, y;          // top left on the 800 by 600 screen
    int width, height; // the card pictures' size
    int card;          // NO_CARD when empty
    int movable;       // the card here has a legal move (set before each drawing)
};

// The standard card pictures' size, also the layout's when card 0 has no picture.
constexpr int CARD_WIDTH = 70;
constexpr int CARD_HEIGHT = 90;

class Board {
  public:
    Board() = default;
    ~Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    void ResetDeck();
    // A card not dealt yet, now marked dealt.
    int DrawRandomCard();
    // Lays out every place and deals a new table: free cells 2 to 5, then rows 0 to 5 of all
    // columns, row by row.
    void DealBoard();
    // The clickable card under a point (edges included): an occupied free cell or the top card
    // of a column; NO_SLOT for anything else.
    int HitTest(int x, int y) const;
    // Rank and suit of the card in a place; outputs untouched for a value naming no area.
    void CardAt(int slotId, int* rank, int* suit) const;
    // The place a value names, or null.
    CardSlot* SlotRecord(int slotId);
    const CardSlot* SlotRecord(int slotId) const;
    // Empties a place (the caller redraws the table).
    void ClearSlot(int slotId);
    // The highest occupied row of a column, or -1 when the column is empty.
    int TopRow(int column) const;

    // Cuts "cardset.bmp" into the 52 card pictures; returns how many there are (52 when the
    // set is complete).
    int LoadCardImages();
    void FreeCardImages();
    Surface* CardImage(int card) const;

    CardSlot freeCells[FREE_CELLS] = {};
    CardSlot columns[COLUMNS][COLUMN_ROWS] = {};
    CardSlot foundations[FOUNDATIONS] = {};
    int cardWidth = CARD_WIDTH, cardHeight = CARD_HEIGHT;
    int dealt[DECK_SIZE] = {};

  private:
    Surface* cardImages[DECK_SIZE] = {};
    FrameList* tiles = nullptr; // owns the pictures' surfaces
};

// The game's one table.
extern Board board;

// Seeds the deals' generator with a decimal number (KESTRIN_SEED), so a table can be dealt
// again; anything else leaves the time seed of the start-up. Returns whether it seeded.
bool SeedDeals(const char* seedText);
