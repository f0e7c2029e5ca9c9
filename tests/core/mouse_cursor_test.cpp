#include "core/mouse_cursor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <cstring>
#include <string>
#include <thread>
#include <tuple>

#include "core/timer_service.h"
#include "platform/backend.h"
#include "platform/input.h"
#include "platform/null_backend.h"
#include "zel/zel.h"

namespace {

// A script of mouse events, one character each: L/l left down/up and R/r right down/up (not yet
// polled), '.' a timer event (a poll), o/O polling off/on, x the mouse released.
// '|' ends a frame: its state read twice, written as the button word, then presented.
// 't' takes presses: written as the button word, then the presses still pending after taking
// one of each button, '-' where none was pending.
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
        int first = -1, second = -1, left = -1, right = -1;
        if (std::strchr("LlRr", c))
            plat::NoteMouseButton(std::tolower(c) == 'l' ? 1 : 2, std::isupper(c));
        else if (c == '.')
            TimerEvent();
        else if (std::tolower(c) == 'o')
            mouseCursor.SetPolling(c == 'O');
        else if (c == 'x')
            ZelAcquireMouse(0);
        if (c == '|') {
            mouseCursor.GetFrameState(nullptr, nullptr, &first);
            mouseCursor.GetFrameState(nullptr, nullptr, &second);
            EXPECT_EQ(first, second) << "two reads in one frame disagree";
            seen += std::to_string(first);
            mouseCursor.EndFrame();
        }
        if (c == 't') {
            mouseCursor.GetState(nullptr, nullptr, &first, &left, &right);
            for (int n : {first, left, right})
                seen += n < 0 ? "-" : std::to_string(n);
            seen += ' ';
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

INSTANTIATE_TEST_SUITE_P(
    Presses, MouseFrameTest,
    ::testing::Values(Script{"HeldButtonIsOnePress", "L.....tt|l.tL..t", "10- 1-- 10-- 10- "},
                      Script{"ClickBetweenTwoPolls", "Ll.t.t", "10- 0-- "},
                      Script{"TwoClicksAreTakenOneByOne", "L.l.L.l.ttt", "01- 00- 0-- "},
                      Script{"ButtonsAreCountedApart", "R.L.r.R.tt", "301 3-0 "},
                      Script{"NothingWhilePollingIsOff", "oL...tO.t", "0-- 10- "}),
    Named);

// The timer thread polls while the user-interface thread notes button events and takes the
// presses, some between an event and its poll, one click by frames and the next by GetState:
// every press must arrive exactly once.
TEST_F(MouseCursorTest, NoPressIsLostOrDoubledBetweenThreads) {
    std::atomic<bool> stop{false};
    std::thread poller([&stop] {
        while (!stop)
            TimerEvent();
    });
    int shown = 0, framed[3] = {}, taken[3] = {};
    auto take = [&](bool byFrames) {
        int buttons = 0, pending[3] = {-1, -1, -1};
        if (byFrames)
            mouseCursor.GetFrameState(nullptr, nullptr, &buttons);
        else
            mouseCursor.GetState(nullptr, nullptr, nullptr, &pending[1], &pending[2]);
        mouseCursor.EndFrame(); // nothing to end when no frame was read
        for (int bit : {1, 2}) {
            framed[bit] += (buttons & bit) && !(shown & bit);
            taken[bit] += pending[bit] >= 0;
        }
        shown = buttons;
    };
    for (int i = 0; i < 1200; ++i) { // 600 clicks, every third on the right
        plat::NoteMouseButton(i % 6 < 2 ? 2 : 1, i % 2 == 0);
        take(i % 4 < 2);
        for (const int start = GetTicks(); GetTicks() - start < 30;) // a whole poll since
            std::this_thread::yield();
        take(i % 4 < 2);
    }
    stop = true;
    poller.join();
    EXPECT_EQ(std::tuple(framed[1], framed[2], taken[1], taken[2]), std::tuple(200, 100, 200, 100));
}

} // namespace
