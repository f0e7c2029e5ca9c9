#pragma once
// What the screens know about the mouse: position (from window messages), the last polled
// button word, and presses counted by the 10 ms poll and not yet taken.
#include <atomic>

class MouseCursor {
  public:
    void SetPosition(int x, int y);
    // Any out-argument may be null. Takes at most one pending press per button and writes how
    // many are still pending; with none pending the press out-argument is left untouched.
    void GetState(int* xOut, int* yOut, int* buttonsOut, int* leftOut = nullptr,
                  int* rightOut = nullptr);
    void Poll(); // timer thread
    void SetPolling(int on) { polling = on; }
    void Reset(); // start values (tests)

  private:
    std::atomic<int> x{0}, y{0};
    std::atomic<int> buttons{0};
    std::atomic<int> leftPresses{0}, rightPresses{0};
    std::atomic<int> polling{1};
    int previousLeft = 0, previousRight = 0; // timer thread only
};

extern MouseCursor mouseCursor;
