#include "core/timer_service.h"

#include <atomic>

#include "core/mouse_cursor.h"

namespace {
constexpr int kTimerStep = 10;

// Written by the timer thread (ticks, countdown decrease) and the UI thread (countdown set,
// running switch); whole 32-bit words.
std::atomic<int> ticks{0};
std::atomic<int> countdown{0};
std::atomic<int> countdownRunning{1};
// Timer thread only.
int lastSeenTicks = 0;
int secondAccumulator = 0;
} // namespace

int GetTicks() {
    return ticks.load(std::memory_order_relaxed);
}
int TicksSince(int t) {
    return GetTicks() - t;
}
void SetCountdown(int seconds) {
    countdown = seconds;
}
int GetCountdown() {
    return countdown;
}
void StartCountdown() {
    countdownRunning = 1;
}
void StopCountdown() {
    countdownRunning = 0;
}

void TimerEvent() {
    ticks.fetch_add(kTimerStep, std::memory_order_relaxed);
    TimerTick();
}

void TimerTick() {
    mouseCursor.Poll();
    int now = GetTicks();
    secondAccumulator += now - lastSeenTicks;
    lastSeenTicks = now;
    if (secondAccumulator < 999)
        return;
    secondAccumulator = 0;
    if (countdownRunning != 1)
        return;
    // Only this thread decreases the count. When the UI thread sets a new count between the read
    // and the exchange, the exchange fails: the new count stands and this second's step is lost.
    int left = countdown;
    if (left >= 1)
        countdown.compare_exchange_strong(left, left - 1);
}

void ResetTimerService() {
    ticks = 0;
    countdown = 0;
    countdownRunning = 1;
    lastSeenTicks = 0;
    secondAccumulator = 0;
}
