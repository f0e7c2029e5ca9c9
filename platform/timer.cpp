#include "platform/timer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace plat {
namespace {

struct PeriodicTimer {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    // Set under the mutex, for the wait; also read without it between the callbacks of a
    // catch-up, so that a kill need not wait for a whole burst.
    std::atomic<bool> stopping{false};
};

std::mutex g_timersMutex;
std::map<unsigned, std::unique_ptr<PeriodicTimer>> g_timers;
unsigned g_nextId = 1;
std::atomic<bool> g_capsOverridden{false};
TimerCaps g_testCaps{1, 1000000};
std::atomic<bool> g_startFails{false};
std::atomic<bool> g_waitingForInput{false};

void RunTimer(PeriodicTimer* timer, unsigned periodMs, TimerCallback callback, void* data) {
    using clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(periodMs);
    const auto idleSleep = std::chrono::milliseconds(kIdleTimerSleepMs);
    auto deadline = clock::now() + period;
    std::unique_lock<std::mutex> lock(timer->mutex);
    while (!timer->stopping) {
        const bool idle = g_waitingForInput && period < idleSleep;
        const auto wakeAt = idle ? deadline - period + idleSleep : deadline;
        // While idle, the end of the wait wakes the timer to catch up at once.
        if (timer->wake.wait_until(
                lock, wakeAt, [&] { return timer->stopping || (idle && !g_waitingForInput); }) &&
            timer->stopping)
            break;
        lock.unlock();
        // After a long stall (suspend, debugger, callbacks slower than the period) fire once
        // and go on from now instead of firing a burst.
        if (clock::now() - deadline > std::chrono::seconds(1))
            deadline = clock::now();
        for (int fired = 0; clock::now() >= deadline && fired < 1000 && !timer->stopping; ++fired) {
            callback(data);
            deadline += period;
        }
        lock.lock();
    }
}

} // namespace

bool GetTimerCaps(TimerCaps* caps) {
    if (!caps)
        return false;
    *caps = g_capsOverridden ? g_testCaps : TimerCaps{1, 1000000};
    return true;
}

bool BeginTimerPeriod(unsigned ms) {
    return ms >= 1;
}
void EndTimerPeriod(unsigned) {}

unsigned StartPeriodicTimer(unsigned periodMs, TimerCallback callback, void* data) {
    if (g_startFails || !callback || periodMs == 0)
        return 0;
    std::lock_guard<std::mutex> guard(g_timersMutex);
    unsigned id = g_nextId++;
    auto timer = std::make_unique<PeriodicTimer>();
    PeriodicTimer* raw = timer.get();
    raw->thread = std::thread(RunTimer, raw, periodMs, callback, data);
    g_timers.emplace(id, std::move(timer));
    return id;
}

void KillTimer(unsigned id) {
    std::unique_ptr<PeriodicTimer> timer;
    {
        std::lock_guard<std::mutex> guard(g_timersMutex);
        auto it = g_timers.find(id);
        if (it == g_timers.end())
            return;
        timer = std::move(it->second);
        g_timers.erase(it);
    }
    {
        std::lock_guard<std::mutex> lock(timer->mutex);
        timer->stopping = true;
    }
    timer->wake.notify_all();
    if (timer->thread.joinable())
        timer->thread.join();
}

void SetWaitingForInput(bool waiting) {
    if (g_waitingForInput.exchange(waiting) == waiting || waiting)
        return;
    std::lock_guard<std::mutex> guard(g_timersMutex);
    for (auto& [id, timer] : g_timers) {
        // Taking the timer's lock orders this notification after its check of the flag.
        { std::lock_guard<std::mutex> lock(timer->mutex); }
        timer->wake.notify_all();
    }
}

void SetTimerCapsForTest(const TimerCaps* caps) {
    if (caps)
        g_testCaps = *caps;
    g_capsOverridden = caps != nullptr;
}

void SetTimerStartFailsForTest(bool fails) {
    g_startFails = fails;
}

} // namespace plat
