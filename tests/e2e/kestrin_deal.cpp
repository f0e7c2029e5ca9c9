// For the end-to-end test of the game: the table the game deals at its first "newgame" when
// started with KESTRIN_SEED=seed (one table is dealt on entering the screen, the next at the
// press). Prints where to click an Ace that lies free, or exits with 1 when none does.
#include <cstdio>
#include <vector>

#include "game/board.h"

int main(int argc, char** argv) {
    if (argc != 2 || !SeedDeals(argv[1]))
        return 2;
    Board board;
    board.DealBoard();
    board.DealBoard();
    std::vector<int> free = {SLOT_FREECELL | 2, SLOT_FREECELL | 3, SLOT_FREECELL | 4,
                             SLOT_FREECELL | 5};
    for (int c = 0; c < COLUMNS; ++c)
        free.push_back(ColumnSlot(c, board.TopRow(c)));
    for (int slot : free) {
        const CardSlot* place = board.SlotRecord(slot);
        if (CardRank(place->card) == RANK_ACE) {
            std::printf("%d %d\n", place->x + 35, place->y + 45);
            return 0;
        }
    }
    return 1;
}
