#include "platform/sync.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace plat {

// One lock and one condition for every event: a wait for any of several events then needs no
// registration with each of them, and a set can never slip between a waiter's check and its
// sleep. The sound library has two or three waiting threads, so waking them all is cheap.
// Both live for the whole process: a thread still waiting when the program exits must not
// find them destroyed under it (destroying a condition with a waiter never returns).
namespace {
std::mutex& EventMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}
std::condition_variable& EventSignal() {
    static auto* signal = new std::condition_variable;
    return *signal;
}
} // namespace

struct Event {
    bool set = false;
};

Event* CreateEvent() {
    return new Event;
}

void SetEvent(Event* event) {
    if (!event)
        return;
    {
        std::lock_guard<std::mutex> lock(EventMutex());
        event->set = true;
    }
    EventSignal().notify_all();
}

void CloseEvent(Event* event) {
    if (!event)
        return;
    std::lock_guard<std::mutex> lock(EventMutex());
    delete event;
}

namespace {
// Takes the lowest set event, resetting it; -1 when none is set. Caller holds EventMutex.
int TakeSetEvent(Event* const* events, int count) {
    for (int i = 0; i < count; ++i) {
        if (events[i]->set) {
            events[i]->set = false;
            return i;
        }
    }
    return -1;
}
} // namespace

int WaitForAnyEvent(Event* const* events, int count, int timeoutMs) {
    if (!events || count <= 0 || count > kMaxWaitEvents)
        return kWaitFailed;
    for (int i = 0; i < count; ++i) {
        if (!events[i])
            return kWaitFailed;
    }
    std::unique_lock<std::mutex> lock(EventMutex());
    auto ready = [&](int* index) { return (*index = TakeSetEvent(events, count)) >= 0; };
    int index = -1;
    if (timeoutMs < 0) {
        EventSignal().wait(lock, [&] { return ready(&index); });
        return index;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    if (EventSignal().wait_until(lock, deadline, [&] { return ready(&index); }))
        return index;
    return kWaitTimeout;
}

struct Thread {
    std::thread thread;
};

namespace {
// A thread's nice value on Linux is its own, so a hint only moves this one thread.
void ApplyPriority(ThreadPriority priority) {
    if (priority == ThreadPriority::Lowest)
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
}
} // namespace

Thread* StartThread(ThreadFunc func, void* arg, ThreadPriority priority) {
    if (!func)
        return nullptr;
    auto* handle = new Thread;
    try {
        handle->thread = std::thread([func, arg, priority] {
            ApplyPriority(priority);
            func(arg);
        });
    } catch (...) {
        delete handle;
        return nullptr;
    }
    return handle;
}

void JoinThread(Thread* thread) {
    if (!thread)
        return;
    if (thread->thread.joinable()) {
        if (thread->thread.get_id() == std::this_thread::get_id())
            thread->thread.detach(); // a thread ending itself cannot wait for itself
        else
            thread->thread.join();
    }
    delete thread;
}

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms < 0 ? 0 : ms));
}

} // namespace plat
