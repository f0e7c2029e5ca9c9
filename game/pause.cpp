#include "game/pause.h"

#include <cstdint>

#include "core/timer_service.h"
#include "platform/clock.h"
#include "platform/sync.h"
#include "platform/window.h"

namespace {
// The desktop is answered at least this often while a pause lasts.
constexpr int kLongestSleep = 10;
// Without a running timer the clock stands still; a real pause then ends by the steady clock, a
// little after it would have, instead of never. (A test's sleeper drives the clock itself.)
constexpr int kStandingClockSlack = 50;

void Sleep(int milliseconds) {
    plat::SleepMs(milliseconds);
}

PauseSleeper g_sleeper = Sleep;
} // namespace

void SetPauseSleeper(PauseSleeper sleeper) {
    g_sleeper = sleeper ? sleeper : Sleep;
}

void PauseUntil(int deadline) {
    const int wanted = deadline - GetTicks();
    if (wanted <= 0)
        return;
    const uint32_t started = plat::GetTickCount();
    for (;;) {
        const int left = deadline - GetTicks();
        if (left <= 0)
            return;
        if (g_sleeper == Sleep &&
            static_cast<int64_t>(plat::GetTickCount() - started) > wanted + kStandingClockSlack)
            return;
        plat::QueuePendingEvents();
        g_sleeper(left < kLongestSleep ? left : kLongestSleep);
    }
}

void PauseFor(int milliseconds) {
    PauseUntil(GetTicks() + milliseconds);
}
