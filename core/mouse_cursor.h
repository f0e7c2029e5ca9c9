#pragma once
// What the screens know about the mouse: position (from window messages), the last polled
// button word, and presses counted by the 10 ms poll and not yet taken.
#include <atomic>

class MouseCursor {
  public:
    void SetPosition(int x, int y);
    // Any out-argument may be null. Presses are taken only through the press out-arguments: at
    // most one pending press per button given, and how many are still pending is written; with
    // none pending that out-argument is left untouched. A read without them leaves presses
    // pending.
    void GetState(int* xOut, int* yOut, int* buttonsOut, int* leftOut = nullptr,
                  int* rightOut = nullptr);
    // The buttons as the frame being drawn should see them. A frame lasts longer than a poll, so
    // a press and its release may both fall between two frames and leave the polled word up;
    // such a press is shown down for one frame (and a release between two presses up for one
    // frame), so every click reaches the screens once. Every read until EndFrame gets the same
    // answer, however many readers a frame has.
    void GetFrameState(int* xOut, int* yOut, int* buttonsOut);
    // A frame was presented: the next GetFrameState starts the next frame.
    void EndFrame();
    void Poll(); // timer thread
    void SetPolling(int on) { polling = on; }
    void Reset(); // start values (tests)

  private:
    std::atomic<int> x{0}, y{0};
    std::atomic<int> buttons{0};
    std::atomic<int> leftPresses{0}, rightPresses{0};
    std::atomic<int> polling{1};
    int previousLeft = 0, previousRight = 0; // timer thread only
    // UI thread only: the buttons of the current frame, once read, and of the last frame read.
    bool frameRead = false;
    int frameButtons = 0;
    int shownButtons = 0;
};

extern MouseCursor mouseCursor;
