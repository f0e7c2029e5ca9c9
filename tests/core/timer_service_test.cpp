#include "core/timer_service.h"

#include <gtest/gtest.h>

#include "core/mouse_cursor.h"

namespace {

class TimerServiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetTimerService();
        mouseCursor.Reset();
    }
    void TearDown() override { ResetTimerService(); }

    static void Events(int n) {
        for (int i = 0; i < n; ++i)
            TimerEvent();
    }
};

TEST_F(TimerServiceTest, EachEventAdvancesTheClockByTenMilliseconds) {
    EXPECT_EQ(GetTicks(), 0);
    Events(7);
    EXPECT_EQ(GetTicks(), 70);
    EXPECT_EQ(TicksSince(30), 40);
    EXPECT_EQ(TicksSince(100), -30);
}

TEST_F(TimerServiceTest, CountdownLosesOneSecondPerHundredEvents) {
    SetCountdown(3);
    Events(99);
    EXPECT_EQ(GetCountdown(), 3);
    Events(1);
    EXPECT_EQ(GetCountdown(), 2);
    Events(99);
    EXPECT_EQ(GetCountdown(), 2);
    Events(1);
    EXPECT_EQ(GetCountdown(), 1);
    Events(100);
    EXPECT_EQ(GetCountdown(), 0);
    Events(300);
    EXPECT_EQ(GetCountdown(), 0); // never below 0 by itself
}

TEST_F(TimerServiceTest, ZeroCountdownStaysZeroWhileRunning) {
    SetCountdown(0);
    Events(250);
    EXPECT_EQ(GetCountdown(), 0);
    EXPECT_EQ(GetTicks(), 2500);
}

TEST_F(TimerServiceTest, SettingTheCountdownTakesEffectAtOnce) {
    SetCountdown(10);
    Events(150); // half a second into the next one
    EXPECT_EQ(GetCountdown(), 9);
    SetCountdown(5);
    EXPECT_EQ(GetCountdown(), 5);
    Events(49);
    EXPECT_EQ(GetCountdown(), 5);
    Events(1); // the whole second that was already running
    EXPECT_EQ(GetCountdown(), 4);
}

TEST_F(TimerServiceTest, StoppedCountdownKeepsItsValueWhileTheSecondsRunOn) {
    SetCountdown(5);
    Events(30);
    StopCountdown();
    Events(1000);
    EXPECT_EQ(GetCountdown(), 5);
    EXPECT_EQ(GetTicks(), 10300); // the clock itself goes on
    // The second accumulator kept running: 1030 events put it 30 events into a second, so the
    // countdown resumes 70 events after the restart, not 100.
    StartCountdown();
    Events(69);
    EXPECT_EQ(GetCountdown(), 5);
    Events(1);
    EXPECT_EQ(GetCountdown(), 4);
    Events(100);
    EXPECT_EQ(GetCountdown(), 3);
}

TEST_F(TimerServiceTest, StopAndStartWithinOneSecondLoseNothing) {
    SetCountdown(2);
    Events(40);
    StopCountdown();
    Events(20);
    StartCountdown();
    Events(39);
    EXPECT_EQ(GetCountdown(), 2);
    Events(1);
    EXPECT_EQ(GetCountdown(), 1);
}

TEST_F(TimerServiceTest, ResetPutsEverythingBack) {
    SetCountdown(9);
    StopCountdown();
    Events(120);
    ResetTimerService();
    EXPECT_EQ(GetTicks(), 0);
    EXPECT_EQ(GetCountdown(), 0);
    SetCountdown(1);
    Events(100); // running again, and the accumulator starts from 0
    EXPECT_EQ(GetCountdown(), 0);
}

} // namespace
