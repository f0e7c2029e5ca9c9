#include "server/rate_limiter.h"

namespace scores {
namespace {

constexpr auto kWindow = std::chrono::minutes(1);
// Clients quiet for a minute are dropped every this many calls, so the table holds only the
// clients of about the last minute, however many come and go.
constexpr size_t kSweepEvery = 4096;

} // namespace

bool RateLimiter::Allow(const std::string& client, Clock::time_point now, int& retryAfterSeconds) {
    retryAfterSeconds = 0;
    if (perMinute <= 0)
        return true;
    std::lock_guard<std::mutex> lock(mutex);
    if (++callsSinceSweep >= kSweepEvery)
        ForgetQuietClients(now);
    std::deque<Clock::time_point>& times = recent[client];
    while (!times.empty() && now - times.front() >= kWindow)
        times.pop_front();
    if (times.size() >= static_cast<size_t>(perMinute)) {
        auto wait = std::chrono::ceil<std::chrono::seconds>(times.front() + kWindow - now);
        retryAfterSeconds = static_cast<int>(std::max<int64_t>(1, wait.count()));
        return false;
    }
    times.push_back(now);
    return true;
}

void RateLimiter::ForgetQuietClients(Clock::time_point now) {
    callsSinceSweep = 0;
    for (auto it = recent.begin(); it != recent.end();) {
        if (it->second.empty() || now - it->second.back() >= kWindow)
            it = recent.erase(it);
        else
            ++it;
    }
}

} // namespace scores
