#include "core/mouse_cursor.h"

#include "zel/zel.h"

MouseCursor mouseCursor;

void MouseCursor::SetPosition(int newX, int newY) {
    x = newX;
    y = newY;
}

namespace {
constexpr int kLeftBit = 1;
constexpr int kRightBit = 2;

// Takes one pending press, if any; true when one was taken.
bool TakePress(std::atomic<int>& presses, int* stillPending) {
    int pending = presses.load();
    while (pending > 0) {
        if (presses.compare_exchange_weak(pending, pending - 1)) {
            if (stillPending)
                *stillPending = pending - 1;
            return true;
        }
    }
    return false;
}

// One button as a frame sees it. The poll counts a press before it publishes the word, so a
// word read as down always has its press counted already.
bool FrameSeesDown(bool shownDown, bool polledDown, std::atomic<int>& presses) {
    if (!shownDown)
        return TakePress(presses, nullptr) || polledDown;
    // A press counted after the last frame showed the button down means it was released in
    // between: show that release first; the next frame takes the new press.
    return presses.load() > 0 ? false : polledDown;
}
} // namespace

void MouseCursor::GetState(int* xOut, int* yOut, int* buttonsOut, int* leftOut, int* rightOut) {
    if (xOut)
        *xOut = x;
    if (yOut)
        *yOut = y;
    if (buttonsOut)
        *buttonsOut = buttons;
    if (leftOut)
        TakePress(leftPresses, leftOut);
    if (rightOut)
        TakePress(rightPresses, rightOut);
}

void MouseCursor::GetFrameState(int* xOut, int* yOut, int* buttonsOut) {
    if (!frameRead) {
        const int word = buttons;
        int seen = word & ~(kLeftBit | kRightBit);
        if (FrameSeesDown(shownButtons & kLeftBit, word & kLeftBit, leftPresses))
            seen |= kLeftBit;
        if (FrameSeesDown(shownButtons & kRightBit, word & kRightBit, rightPresses))
            seen |= kRightBit;
        frameButtons = seen;
        frameRead = true;
    }
    if (xOut)
        *xOut = x;
    if (yOut)
        *yOut = y;
    if (buttonsOut)
        *buttonsOut = frameButtons;
}

void MouseCursor::EndFrame() {
    if (!frameRead)
        return;
    shownButtons = frameButtons;
    frameRead = false;
}

void MouseCursor::Poll() {
    if (!polling)
        return;
    int unusedX = 0, unusedY = 0, word = 0;
    ZelGetMouseData(&unusedX, &unusedY, &word);
    int left = word & kLeftBit;
    int right = (word & kRightBit) >> 1;
    if (left && !previousLeft)
        ++leftPresses;
    if (right && !previousRight)
        ++rightPresses;
    buttons = word;
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
    frameRead = false;
    frameButtons = 0;
    shownButtons = 0;
}
