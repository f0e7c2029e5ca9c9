#include "core/mouse_cursor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <cstring>
#include <string>
#include <thread>

#include "core/timer_service.h"
#include "platform/backend.h"
#include "platform/input.h"
#include "platform/null_backend.h"
#include "zel/zel.h"

namespace {

// A script of mouse events, one character each: L/l left down/up and R/r right down/up (not yet
// polled), '.' a timer event (a poll), x the mouse released. '|' ends a frame: its state read
// twice, written as the button word, then presented.
struct Script {
    const char* name;
    const char* events;
    const char* seen;
};

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
    void TearDown() override { ZelFreeDirectInput(); }
};

class MouseFrameTest : public MouseCursorTest, public ::testing::WithParamInterface<Script> {};

TEST_P(MouseFrameTest, EveryClickArrivesOnce) {
    std::string seen;
    for (const char* e = GetParam().events; *e; ++e) {
        const char c = *e;
        int first = -1, second = -1;
        if (std::strchr("LlRr", c))
            plat::NoteMouseButton(std::tolower(c) == 'l' ? 1 : 2, std::isupper(c));
        else if (c == '.')
            TimerEvent();
        else if (c == 'x')
            ZelAcquireMouse(0);
        if (c == '|') {
            mouseCursor.GetFrameState(nullptr, nullptr, &first);
            mouseCursor.GetFrameState(nullptr, nullptr, &second);
            EXPECT_EQ(first, second) << "two reads in one frame disagree";
            seen += std::to_string(first);
            mouseCursor.EndFrame();
        }
    }
    EXPECT_EQ(seen, GetParam().seen);
}

auto Named = [](const ::testing::TestParamInfo<Script>& info) { return info.param.name; };

INSTANTIATE_TEST_SUITE_P(
    Taps, MouseFrameTest,
    ::testing::Values(Script{"TapBetweenFrames", "L.l.|||", "100"},
                      Script{"HeldOverFrames", "L.|||l.||", "11100"},
                      Script{"TwoTapsBetweenFrames", "L.l.L.l.||||", "1010"},
                      Script{"ReleasedAndPressedAgainBetweenFrames", "L.|l.L.||l.|", "1010"},
                      Script{"TapWhileIdleAfterAClick", "L.|l.|L.l.||", "1010"},
                      Script{"RightTapWhileLeftIsHeld", "L.|R.r.||", "131"},
                      Script{"NothingWhileTheMouseIsReleased", "xR.|", "0"}),
    Named);

// The timer thread polls while the user-interface thread notes button events and draws frames,
// some between an event and its poll: every press must be seen down in exactly one frame.
TEST_F(MouseCursorTest, NoPressIsLostOrDoubledBetweenThreads) {
    std::atomic<bool> stop{false};
    std::thread poller([&stop] {
        while (!stop)
            TimerEvent();
    });
    int shown = 0, downs[3] = {};
    auto frame = [&] {
        int buttons = 0;
        mouseCursor.GetFrameState(nullptr, nullptr, &buttons);
        for (int bit : {1, 2})
            downs[bit] += (buttons & bit) && !(shown & bit);
        shown = buttons;
        mouseCursor.EndFrame();
    };
    for (int i = 0; i < 600; ++i) { // 300 presses and their releases, every third on the right
        plat::NoteMouseButton(i % 6 < 2 ? 2 : 1, i % 2 == 0);
        frame();
        for (const int start = GetTicks(); GetTicks() - start < 30;) // a whole poll since
            std::this_thread::yield();
        frame();
    }
    stop = true;
    poller.join();
    EXPECT_EQ(downs[1], 200);
    EXPECT_EQ(downs[2], 100);
}

} // namespace
