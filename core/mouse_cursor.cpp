#include "core/mouse_cursor.h"

#include "zel/zel.h"

MouseCursor mouseCursor;

void MouseCursor::SetPosition(int newX, int newY) {
    x = newX;
    y = newY;
}

namespace {
// Takes one pending press, if any, and reports how many are still pending.
void TakePress(std::atomic<int>& presses, int* out) {
    int pending = presses.load();
    while (pending > 0) {
        if (presses.compare_exchange_weak(pending, pending - 1)) {
            if (out)
                *out = pending - 1;
            return;
        }
    }
}
} // namespace

void MouseCursor::GetState(int* xOut, int* yOut, int* buttonsOut, int* leftOut, int* rightOut) {
    if (xOut)
        *xOut = x;
    if (yOut)
        *yOut = y;
    if (buttonsOut)
        *buttonsOut = buttons;
    TakePress(leftPresses, leftOut);
    TakePress(rightPresses, rightOut);
}

void MouseCursor::Poll() {
    if (!polling)
        return;
    int unusedX = 0, unusedY = 0, word = 0;
    ZelGetMouseData(&unusedX, &unusedY, &word);
    buttons = word;
    int left = word & 1;
    int right = (word >> 1) & 1;
    if (left && !previousLeft)
        ++leftPresses;
    if (right && !previousRight)
        ++rightPresses;
    previousLeft = left;
    previousRight = right;
}

void MouseCursor::Reset() {
    x = 0;
    y = 0;
    buttons = 0;
    leftPresses = 0;
    rightPresses = 0;
    polling = 1;
    previousLeft = 0;
    previousRight = 0;
}
