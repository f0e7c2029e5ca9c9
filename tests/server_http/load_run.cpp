#include "load_run.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "scores_client.h"

namespace testing_support {

LoadResult RunLoad(const LoadSettings& settings) {
    using Clock = std::chrono::steady_clock;
    std::atomic<int> next{0};
    std::mutex mutex;
    std::vector<double> latencies;
    std::set<std::string> distinct;
    LoadResult result;
    auto start = Clock::now();
    auto deadline = start + std::chrono::duration<double>(settings.maxSeconds);
    auto client = [&](int id) {
        httplib::Client http("127.0.0.1", settings.port);
        http.set_keep_alive(true);
        http.set_tcp_nodelay(true);
        std::vector<double> mine;
        std::set<std::string> acknowledged;
        int failed = 0;
        std::string previous;
        for (int sent = 0;; ++sent) {
            int i = next++;
            if (i >= settings.uploads || Clock::now() > deadline)
                break;
            bool repeat =
                !previous.empty() && sent % settings.repeatEvery == settings.repeatEvery - 1;
            std::string target = previous;
            if (!repeat) {
                // Scores spread over the whole range, so ranks cross many buckets.
                int score = static_cast<int>((static_cast<long long>(i) * 104729) %
                                             (settings.maximumScore + 1));
                std::string player = "load" + std::to_string(id) + "-" + std::to_string(i) +
                                     (i % 3 ? ":::N" : ":1 Load St:load@example.org:Y");
                target = UploadTarget(settings.game, player, score);
            }
            auto begin = Clock::now();
            httplib::Result response = http.Get(target.c_str());
            mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
            if (response && response->status == 200)
                acknowledged.insert(target);
            else
                failed++;
            previous = target;
        }
        std::lock_guard<std::mutex> lock(mutex);
        latencies.insert(latencies.end(), mine.begin(), mine.end());
        distinct.insert(acknowledged.begin(), acknowledged.end());
        result.failed += failed;
    };
    std::vector<std::thread> threads;
    for (int id = 0; id < settings.clients; ++id)
        threads.emplace_back(client, id);
    for (std::thread& thread : threads)
        thread.join();
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.sent = static_cast<int>(latencies.size());
    result.acknowledged = result.sent - result.failed;
    result.distinctAcknowledged = static_cast<int>(distinct.size());
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty()) {
        auto at = [&](double share) {
            return latencies[std::min(latencies.size() - 1,
                                      static_cast<size_t>(share * latencies.size()))];
        };
        result.p50Ms = at(0.50);
        result.p99Ms = at(0.99);
        result.maxMs = latencies.back();
    }
    return result;
}

long long GameEntries(int port, const std::string& game) {
    httplib::Client http("127.0.0.1", port);
    httplib::Result response = http.Get(("/api/games/" + game + "/scores").c_str());
    if (!response || response->status != 200)
        return -1;
    size_t at = response->body.find("\"entries\":");
    return at == std::string::npos ? -1 : std::stoll(response->body.substr(at + 10));
}

} // namespace testing_support
