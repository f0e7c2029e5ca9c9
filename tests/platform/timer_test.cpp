#include "platform/timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// When each firing began; `count` firings have ended.
struct Firings {
    static constexpr int kMax = 64;
    std::atomic<int> entered{0}, count{0};
    Clock::time_point at[kMax];
    int busyMs = 0;
};

void RecordFiring(void* data) {
    auto* f = static_cast<Firings*>(data);
    const int n = f->entered++;
    if (n < Firings::kMax)
        f->at[n] = Clock::now();
    std::this_thread::sleep_for(milliseconds(f->busyMs));
    f->count.store(n + 1);
}

bool WaitForCount(const std::atomic<int>& count, int wanted, milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (count.load() < wanted) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
}

TEST(PeriodicTimerTest, FiresEveryPeriodWithoutDrift) {
    // The callback itself takes 6 ms: a timer that counted each period from the end of the
    // callback would need 20 * 16 = 320 ms for 20 firings instead of 200.
    Firings firings;
    firings.busyMs = 6;
    const auto start = Clock::now();
    const unsigned id = plat::StartPeriodicTimer(10, RecordFiring, &firings);
    ASSERT_NE(id, 0u);
    const bool fired = WaitForCount(firings.count, 20, milliseconds(2000));
    plat::KillTimer(id);
    ASSERT_TRUE(fired);
    for (int k = 0; k < 20; ++k)
        EXPECT_GE(firings.at[k] - start, milliseconds(10 * (k + 1)))
            << "firing " << k << " came early";
    EXPECT_LT(firings.at[19] - start, milliseconds(260));
}

// A callback slower than its period keeps its timer behind: the kill still ends the timer after
// the callback that runs, not after the firings it has fallen behind by.
TEST(PeriodicTimerTest, KillTimerWaitsForTheRunningCallbackOnly) {
    Firings slow;
    slow.busyMs = 30;
    const unsigned id = plat::StartPeriodicTimer(5, RecordFiring, &slow);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(WaitForCount(slow.entered, 2, milliseconds(2000)));
    const int enteredBeforeKill = slow.entered.load();
    plat::KillTimer(id);
    const int finished = slow.count.load();
    EXPECT_EQ(finished, slow.entered.load()); // nothing still running
    EXPECT_LE(finished, enteredBeforeKill + 1);
    std::this_thread::sleep_for(milliseconds(40));
    EXPECT_EQ(slow.entered.load(), finished); // and nothing started afterwards
}

TEST(PeriodicTimerTest, TimersRunIndependentlyAndNonsenseIsRefused) {
    Firings a, b;
    const unsigned idA = plat::StartPeriodicTimer(2, RecordFiring, &a);
    const unsigned idB = plat::StartPeriodicTimer(2, RecordFiring, &b);
    ASSERT_NE(idA, 0u);
    ASSERT_NE(idB, 0u);
    EXPECT_NE(idA, idB);
    ASSERT_TRUE(WaitForCount(a.count, 3, milliseconds(2000)));
    plat::KillTimer(idA);
    const int stoppedAt = a.count.load();
    EXPECT_TRUE(WaitForCount(b.count, b.count.load() + 3, milliseconds(2000)));
    plat::KillTimer(idB);
    EXPECT_EQ(a.count.load(), stoppedAt);
    plat::KillTimer(idA); // a second kill, or of an unknown id, is harmless
    plat::KillTimer(0);

    EXPECT_EQ(plat::StartPeriodicTimer(10, nullptr, &a), 0u);
    EXPECT_EQ(plat::StartPeriodicTimer(0, RecordFiring, &a), 0u);
    plat::TimerCaps caps{};
    ASSERT_TRUE(plat::GetTimerCaps(&caps));
    EXPECT_EQ(caps.periodMin, 1u);
    EXPECT_EQ(caps.periodMax, 1000000u);
    EXPECT_FALSE(plat::GetTimerCaps(nullptr));
}

} // namespace
