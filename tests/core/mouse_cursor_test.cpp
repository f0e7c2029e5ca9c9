#include "core/mouse_cursor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "core/timer_service.h"
#include "platform/backend.h"
#include "platform/input.h"
#include "platform/null_backend.h"
#include "zel/zel.h"

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;

class MouseCursorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SelectBackend(plat::BackendKind::Null);
        plat::null::Reset();
        ZelInitMouse();
        ZelAcquireMouse(1);
        ResetTimerService();
        mouseCursor.Reset();
    }
    void TearDown() override {
        ZelFreeDirectInput();
        plat::null::Reset();
        mouseCursor.Reset();
        ResetTimerService();
    }

    static void Button(int bit, bool down) { plat::NoteMouseButton(bit, down); }
    static void Polls(int n) {
        for (int i = 0; i < n; ++i)
            TimerEvent();
    }
    // A GetState call with press arguments; -1 means "not written".
    static void TakePresses(int* left, int* right) {
        *left = -1;
        *right = -1;
        mouseCursor.GetState(nullptr, nullptr, nullptr, left, right);
    }
};

TEST_F(MouseCursorTest, HeldButtonCountsOnePress) {
    Button(kLeft, true);
    Polls(50);
    int buttons = 0;
    int left = -1, right = -1;
    mouseCursor.GetState(nullptr, nullptr, &buttons, &left, &right);
    EXPECT_EQ(buttons, kLeft);
    EXPECT_EQ(left, 0); // one taken, none left
    EXPECT_EQ(right, -1);
    TakePresses(&left, &right);
    EXPECT_EQ(left, -1);

    Button(kLeft, false);
    Polls(1);
    mouseCursor.GetState(nullptr, nullptr, &buttons);
    EXPECT_EQ(buttons, 0);
    Button(kLeft, true); // pressed again: a new press
    Polls(3);
    TakePresses(&left, &right);
    EXPECT_EQ(left, 0);
}

TEST_F(MouseCursorTest, TwoPressesBetweenFramesAreTakenOneByOne) {
    for (int i = 0; i < 2; ++i) {
        Button(kLeft, true);
        Polls(2);
        Button(kLeft, false);
        Polls(2);
    }
    int left = 0, right = 0;
    TakePresses(&left, &right);
    EXPECT_EQ(left, 1);
    TakePresses(&left, &right);
    EXPECT_EQ(left, 0);
    TakePresses(&left, &right);
    EXPECT_EQ(left, -1);
    EXPECT_EQ(right, -1);
}

TEST_F(MouseCursorTest, ClickBetweenTwoPollsIsStillCounted) {
    Button(kLeft, true);
    Button(kLeft, false); // released before any poll saw it
    Polls(1);
    int buttons = -1, left = -1, right = -1;
    mouseCursor.GetState(nullptr, nullptr, &buttons, &left, &right);
    EXPECT_EQ(buttons, kLeft); // that poll reports it down
    EXPECT_EQ(left, 0);
    Polls(1);
    left = -1;
    mouseCursor.GetState(nullptr, nullptr, &buttons, &left, &right);
    EXPECT_EQ(buttons, 0); // and the next one up again, without a second press
    EXPECT_EQ(left, -1);
}

TEST_F(MouseCursorTest, ButtonsAreCountedSeparately) {
    Button(kRight, true);
    Polls(1);
    Button(kLeft, true);
    Polls(1);
    Button(kRight, false);
    Polls(1);
    Button(kRight, true);
    Polls(1);
    int buttons = 0, left = -1, right = -1;
    mouseCursor.GetState(nullptr, nullptr, &buttons, &left, &right);
    EXPECT_EQ(buttons, kLeft | kRight);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 1);
    TakePresses(&left, &right);
    EXPECT_EQ(left, -1);
    EXPECT_EQ(right, 0);
}

TEST_F(MouseCursorTest, OutArgumentsAreOptionalAndUntouchedWithNothingPending) {
    mouseCursor.SetPosition(123, 456);
    int x = 0, y = 0, buttons = 99, left = 42, right = 43;
    mouseCursor.GetState(&x, &y, &buttons, &left, &right);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 456);
    EXPECT_EQ(buttons, 0);
    EXPECT_EQ(left, 42);
    EXPECT_EQ(right, 43);

    Button(kLeft, true);
    Polls(1);
    // A read without press arguments leaves the press pending.
    mouseCursor.GetState(&x, nullptr, nullptr);
    mouseCursor.GetState(nullptr, nullptr, nullptr, &left, nullptr);
    EXPECT_EQ(left, 0);
}

// What the frames see of the left button, for button events between frames: 'D' down and 'U'
// up, each followed by one poll; '|' ends a frame (read twice, then presented).
struct FrameCase {
    const char* name;
    const char* events;
    const char* seen; // the left bit each frame read, in order
};

class MouseFrameTest : public MouseCursorTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(MouseFrameTest, EveryClickReachesTheFramesOnce) {
    std::string seen;
    for (const char* e = GetParam().events; *e; ++e) {
        if (*e == 'D' || *e == 'U') {
            Button(kLeft, *e == 'D');
            Polls(1);
            continue;
        }
        int first = -1, second = -1;
        mouseCursor.GetFrameState(nullptr, nullptr, &first);
        mouseCursor.GetFrameState(nullptr, nullptr, &second);
        EXPECT_EQ(first, second) << "two reads in one frame disagree";
        seen += (first & kLeft) ? '1' : '0';
        mouseCursor.EndFrame();
    }
    EXPECT_EQ(seen, GetParam().seen);
}

INSTANTIATE_TEST_SUITE_P(
    Taps, MouseFrameTest,
    ::testing::Values(FrameCase{"TapBetweenFrames", "DU|||", "100"},
                      FrameCase{"HeldOverFrames", "D|||U||", "11100"},
                      FrameCase{"TwoTapsBetweenFrames", "DUDU||||", "1010"},
                      FrameCase{"ReleasedAndPressedAgainBetweenFrames", "D|UD||U|", "1010"},
                      FrameCase{"TapWhileIdleAfterAClick", "D|U|DU||", "1010"},
                      FrameCase{"NoPress", "||", "00"}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return info.param.name; });

TEST_F(MouseCursorTest, NothingIsCountedWhilePollingIsOffOrTheMouseIsReleased) {
    mouseCursor.SetPolling(0);
    Button(kLeft, true);
    Polls(3);
    int buttons = -1, left = -1, right = -1;
    mouseCursor.GetState(nullptr, nullptr, &buttons, &left, &right);
    EXPECT_EQ(buttons, 0);
    EXPECT_EQ(left, -1);

    Button(kLeft, false);
    mouseCursor.SetPolling(1);
    ZelAcquireMouse(0);
    Button(kRight, true);
    Polls(3);
    mouseCursor.GetState(nullptr, nullptr, &buttons, &left, &right);
    EXPECT_EQ(buttons, 0);
    EXPECT_EQ(right, -1);
}

// The timer thread polls while the user-interface thread notes button events and takes the
// presses: every press must arrive exactly once.
TEST_F(MouseCursorTest, NoPressIsLostOrDoubledBetweenThreads) {
    std::atomic<bool> stop{false};
    std::thread poller([&stop] {
        while (!stop.load())
            TimerEvent();
    });
    auto waitForPolls = [] {
        // Three further events: at least one whole poll ran after the button change.
        const int start = GetTicks();
        while (GetTicks() - start < 30)
            std::this_thread::yield();
    };
    constexpr int kPresses = 300;
    int takenLeft = 0, takenRight = 0;
    auto take = [&] {
        int left = -1, right = -1;
        mouseCursor.GetState(nullptr, nullptr, nullptr, &left, &right);
        takenLeft += left >= 0;
        takenRight += right >= 0;
    };
    for (int i = 0; i < kPresses; ++i) {
        const int bit = i % 3 == 0 ? kRight : kLeft;
        Button(bit, true);
        take();
        waitForPolls();
        take();
        Button(bit, false);
        waitForPolls();
        take();
    }
    stop = true;
    poller.join();
    for (int i = 0; i < 3 * kPresses; ++i)
        take();
    EXPECT_EQ(takenLeft, kPresses - kPresses / 3);
    EXPECT_EQ(takenRight, kPresses / 3);
}

} // namespace
