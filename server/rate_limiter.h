#pragma once
// At most a given number of uploads a minute from one client address: the times of its
// accepted requests of the last minute are kept, so the limit holds over any sixty seconds.
#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

namespace scores {

class RateLimiter {
  public:
    using Clock = std::chrono::steady_clock;

    // perMinute 0 lets everything through.
    explicit RateLimiter(int perMinute) : perMinute(perMinute) {}

    // True, counting the request, when the client is under its limit; otherwise false with
    // the whole seconds until it may try again. A refused request does not count.
    bool Allow(const std::string& client, Clock::time_point now, int& retryAfterSeconds);

  private:
    void ForgetQuietClients(Clock::time_point now);

    int perMinute;
    std::mutex mutex;
    std::unordered_map<std::string, std::deque<Clock::time_point>> recent;
    size_t callsSinceSweep = 0;
};

} // namespace scores
