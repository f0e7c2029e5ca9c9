#include "game/clock_bar.h"

#include "gfx/dirty_rect_list.h"

ClockBar::ClockBar() {
    normalCell.AddFrameFromFile("timerblue.bmp");
    lastCell.AddFrameFromFile("timerred.bmp");
    // The bar's whole area is repaired and shown each time it is drawn.
    normalCell.SetMarkDirty(0);
    lastCell.SetMarkDirty(0);
}

ClockBar::~ClockBar() = default;

void ClockBar::Draw(Surface* surface, int x, int y) {
    const int cellWidth = normalCell.width, cellHeight = normalCell.height;
    dirtyRects.AddRect(x, y, kColumns * (cellWidth + kGapX), kRows * (cellHeight + kGapY));
    int i = 0;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column, ++i) {
            if (i >= count)
                return;
            Sprite& cell = i == count - 1 ? lastCell : normalCell;
            cell.SetPosition(x + column * (cellWidth + kGapX), y + row * (cellHeight + kGapY));
            cell.Draw(surface);
        }
    }
}
