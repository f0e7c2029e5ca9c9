#include "game/board.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

Board board;

namespace {
constexpr int kScreenWidth = 800;
constexpr int kGap = 10; // between neighbouring places
constexpr int kFreeCellLeft = 82, kFreeCellTop = 461;
constexpr int kColumnTop = 130, kRowStep = 30, kRowLean = 8;
constexpr int kFoundationLeft = 240, kFoundationTop = 26;
constexpr int kDealtRows = 6;
constexpr int kFirstDealtCell = 2, kLastDealtCell = 5;

bool Contains(const CardSlot& slot, int x, int y) {
    return x >= slot.x && x <= slot.x + slot.width && y >= slot.y && y <= slot.y + slot.height;
}

CardSlot EmptySlot(int x, int y, int width, int height) {
    return CardSlot{x, y, width, height, NO_CARD, 0};
}
} // namespace

Board::~Board() {
    FreeCardImages();
}

void Board::ResetDeck() {
    for (int& flag : dealt)
        flag = 0;
}

int Board::DrawRandomCard() {
    int card;
    do {
        card = std::rand() % DECK_SIZE;
    } while (dealt[card]);
    dealt[card] = 1;
    return card;
}

void Board::DealBoard() {
    cardWidth = CARD_WIDTH;
    cardHeight = CARD_HEIGHT;
    if (cardImages[0])
        GetSurfaceSize(cardImages[0], &cardWidth, &cardHeight);
    ResetDeck();
    for (int i = 0; i < FREE_CELLS; ++i) {
        freeCells[i] =
            EmptySlot(kFreeCellLeft + i * (cardWidth + kGap), kFreeCellTop, cardWidth, cardHeight);
        if (i >= kFirstDealtCell && i <= kLastDealtCell)
            freeCells[i].card = DrawRandomCard();
    }
    const int columnsLeft = (kScreenWidth - (COLUMNS * cardWidth + 8 * kGap)) / 2 - cardWidth / 3;
    for (int r = 0; r < COLUMN_ROWS; ++r) {
        for (int c = 0; c < COLUMNS; ++c) {
            columns[c][r] = EmptySlot(columnsLeft + c * (cardWidth + kGap) + kRowLean * r,
                                      kColumnTop + kRowStep * r, cardWidth, cardHeight);
            if (r < kDealtRows)
                columns[c][r].card = DrawRandomCard();
        }
    }
    for (int i = 0; i < FOUNDATIONS; ++i)
        foundations[i] = EmptySlot(kFoundationLeft + i * (cardWidth + kGap), kFoundationTop,
                                   cardWidth, cardHeight);
}

int Board::TopRow(int column) const {
    for (int r = COLUMN_ROWS - 1; r >= 0; --r)
        if (columns[column][r].card != NO_CARD)
            return r;
    return -1;
}

int Board::HitTest(int x, int y) const {
    for (int i = 0; i < FREE_CELLS; ++i)
        if (freeCells[i].card != NO_CARD && Contains(freeCells[i], x, y))
            return SLOT_FREECELL | i;
    for (int c = 0; c < COLUMNS; ++c) {
        const int r = TopRow(c);
        if (r >= 0 && Contains(columns[c][r], x, y))
            return ColumnSlot(c, r);
    }
    return NO_SLOT;
}

const CardSlot* Board::SlotRecord(int slotId) const {
    if (slotId < 0)
        return nullptr;
    const int index = slotId & 0xFF;
    switch (SlotArea(slotId)) {
    case SLOT_FREECELL:
        return index < FREE_CELLS ? &freeCells[index] : nullptr;
    case SLOT_COLUMN:
        return index < COLUMNS * COLUMN_ROWS ? &columns[index & 7][index >> 3] : nullptr;
    case SLOT_FOUNDATION:
        return index < FOUNDATIONS ? &foundations[index] : nullptr;
    default:
        return nullptr;
    }
}

CardSlot* Board::SlotRecord(int slotId) {
    return const_cast<CardSlot*>(static_cast<const Board*>(this)->SlotRecord(slotId));
}

void Board::CardAt(int slotId, int* rank, int* suit) const {
    const CardSlot* slot = SlotRecord(slotId);
    if (!slot)
        return;
    if (rank)
        *rank = CardRank(slot->card);
    if (suit)
        *suit = CardSuit(slot->card);
}

void Board::ClearSlot(int slotId) {
    if (CardSlot* slot = SlotRecord(slotId))
        slot->card = NO_CARD;
}

int Board::LoadCardImages() {
    FreeCardImages();
    tiles = new FrameList;
    LoadFrames("cardset.bmp", tiles, CARD_WIDTH, CARD_HEIGHT);
    int loaded = 0;
    for (int card = 0; card < DECK_SIZE; ++card) {
        cardImages[card] = tiles->Get(CardRank(card) + 13 * CardSuit(card));
        if (cardImages[card])
            ++loaded;
    }
    return loaded;
}

void Board::FreeCardImages() {
    if (!tiles)
        return;
    for (int i = 0; i < tiles->Count(); ++i)
        ReleaseSurface(tiles->Get(i));
    delete tiles;
    tiles = nullptr;
    for (Surface*& image : cardImages)
        image = nullptr;
}

Surface* Board::CardImage(int card) const {
    return card >= 0 && card < DECK_SIZE ? cardImages[card] : nullptr;
}

bool SeedDeals(const char* seedText) {
    if (!seedText || !*seedText)
        return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long seed = std::strtoull(seedText, &end, 10);
    const bool number =
        *seedText >= '0' && *seedText <= '9' && *end == '\0' && errno == 0 && seed <= 0xFFFFFFFFull;
    if (!number) {
        std::fprintf(stderr,
                     "KESTRIN_SEED=%s is not a number from 0 to 4294967295; the deals "
                     "are seeded with the time.\n",
                     seedText);
        return false;
    }
    std::srand(static_cast<unsigned>(seed));
    return true;
}
