#pragma once
// Periodic timers on a steady clock: a thread fires the callback every period, the next
// deadline being the previous deadline plus the period, so the count does not drift.
namespace plat {

struct TimerCaps {
    unsigned periodMin; // milliseconds
    unsigned periodMax;
};
bool GetTimerCaps(TimerCaps* caps);
bool BeginTimerPeriod(unsigned ms);
void EndTimerPeriod(unsigned ms);

using TimerCallback = void (*)(void* data);
// Returns the timer's identifier, 0 when it could not be started.
unsigned StartPeriodicTimer(unsigned periodMs, TimerCallback callback, void* data);
// Stops the timer and waits until its callback has returned for the last time.
void KillTimer(unsigned id);

// While the program waits for input with nothing on screen to change, waking every period is
// wasted: the timers then sleep up to kIdleTimerSleepMs and fire each period they slept through
// when they wake, or at once when the wait ends. No period is lost, only delayed.
constexpr unsigned kIdleTimerSleepMs = 100;
void SetWaitingForInput(bool waiting);

// Test hooks: the device caps and whether starting a timer fails.
void SetTimerCapsForTest(const TimerCaps* caps); // null restores the real caps
void SetTimerStartFailsForTest(bool fails);

} // namespace plat
