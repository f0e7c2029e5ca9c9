#pragma once
// The seconds left, shown as cells: rows of 22 filled from the top left, one cell a second, the
// last filled cell red. At most the 22 x 7 = 154 cells of the bar show, whatever the count.
#include "gfx/sprite.h"

class ClockBar {
  public:
    ClockBar();
    ~ClockBar();
    ClockBar(const ClockBar&) = delete;
    ClockBar& operator=(const ClockBar&) = delete;

    void SetCount(int seconds) { count = seconds; }
    int Count() const { return count; }
    // Repairs the bar's area on the dirty rectangles' target and draws the cells on `surface`.
    void Draw(Surface* surface, int x, int y);

    static constexpr int kColumns = 22;
    static constexpr int kRows = 7;
    static constexpr int kGapX = 1, kGapY = 1;

  private:
    int count = 0;
    Sprite normalCell; // "timerblue.bmp"
    Sprite lastCell;   // "timerred.bmp"
};
