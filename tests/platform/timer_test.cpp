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

// Two timers at once. One whose callback takes 6 of its 10 ms must not drift: a timer that
// counted each period from the end of the callback would start each firing at least 16 ms after
// the one before, however loaded the machine, while a steady one starts them 10 ms apart and
// catches up after a late one. One whose callback is slower than its period falls behind;
// killing it waits for the callback that runs, not for the firings it has fallen behind by, and
// leaves the other.
TEST(PeriodicTimerTest, TimersKeepTheirPeriodAndAKillWaitsOnlyForTheRunningCallback) {
    Firings steady, slow;
    steady.busyMs = 6;
    slow.busyMs = 30;
    const auto start = Clock::now();
    const unsigned steadyId = plat::StartPeriodicTimer(10, RecordFiring, &steady);
    const unsigned slowId = plat::StartPeriodicTimer(5, RecordFiring, &slow);
    ASSERT_NE(steadyId, 0u);
    ASSERT_NE(slowId, 0u);
    ASSERT_TRUE(WaitForCount(slow.entered, 2, milliseconds(2000)));
    const int enteredBeforeKill = slow.entered.load();
    plat::KillTimer(slowId);
    const int finished = slow.count.load();
    EXPECT_EQ(finished, slow.entered.load()); // nothing still running
    EXPECT_LE(finished, enteredBeforeKill + 1);

    const bool fired = WaitForCount(steady.count, 20, milliseconds(2000));
    plat::KillTimer(steadyId);
    ASSERT_TRUE(fired);
    for (int k = 0; k < 20; ++k)
        EXPECT_GE(steady.at[k] - start, milliseconds(10 * (k + 1)))
            << "firing " << k << " came early";
    bool keptItsPeriod = false;
    for (int k = 0; k + 1 < 20; ++k)
        keptItsPeriod |= steady.at[k + 1] - steady.at[k] < milliseconds(16);
    EXPECT_TRUE(keptItsPeriod) << "every firing came a whole callback after the one before";
    EXPECT_EQ(slow.entered.load(), finished); // nothing started after its kill
    plat::KillTimer(slowId);                  // a second kill, or of an unknown id, is harmless
    plat::KillTimer(0);

    EXPECT_EQ(plat::StartPeriodicTimer(10, nullptr, &slow), 0u);
    EXPECT_EQ(plat::StartPeriodicTimer(0, RecordFiring, &slow), 0u);
    EXPECT_FALSE(plat::GetTimerCaps(nullptr));
}

} // namespace
