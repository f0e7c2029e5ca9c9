#pragma once
// Auto-reset events and waits for the sound library's threads. An event set before anyone
// waits stays set until one wait takes it, so no wake-up is lost.
namespace plat {

struct Event;
Event* CreateEvent(); // auto-reset, initially not set
void SetEvent(Event* event);
void CloseEvent(Event* event);

constexpr int kWaitFailed = -1;
constexpr int kWaitTimeout = -2;
constexpr int kMaxWaitEvents = 64;
// Waits until one of up to 64 events is set, resets it and returns its index (the lowest set
// one). timeoutMs < 0 waits forever. kWaitFailed for a bad argument (null event, bad count).
int WaitForAnyEvent(Event* const* events, int count, int timeoutMs = -1);

enum class ThreadPriority { Lowest, Normal };
struct Thread;
using ThreadFunc = unsigned (*)(void* arg);
Thread* StartThread(ThreadFunc func, void* arg, ThreadPriority priority = ThreadPriority::Normal);
// Waits for the thread to end and frees it.
void JoinThread(Thread* thread);
void SleepMs(int ms);

} // namespace plat
