// The load test of a running score server, by hand (bench/server_load.sh starts the servers):
// concurrent keep-alive clients on the loopback address send uploads one after another, some of
// them twice, for a bounded number of requests and time; reports the rate and latencies, and
// checks that the rows added equal the distinct uploads acknowledged.
// server_load PORT [clients] [uploads] [seconds]
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "menu/score_upload.h"

namespace {

constexpr int kMaximumScore = 1850300;
constexpr int kRepeatEvery = 10; // every so many uploads of a client repeat its previous one

struct LoadResult {
    int sent = 0;
    int failed = 0;               // any answer but 200, or none
    int distinctAcknowledged = 0; // different name and score among those answered 200
    double seconds = 0;
    double p50Ms = 0, p99Ms = 0, maxMs = 0;
};

LoadResult RunLoad(int port, int clients, int uploads, double maxSeconds) {
    using Clock = std::chrono::steady_clock;
    std::atomic<int> next{0};
    std::mutex mutex;
    std::vector<double> latencies;
    std::set<std::string> distinct;
    LoadResult result;
    auto start = Clock::now();
    auto deadline = start + std::chrono::duration<double>(maxSeconds);
    auto client = [&](int id) {
        httplib::Client http("127.0.0.1", port);
        http.set_keep_alive(true);
        http.set_tcp_nodelay(true);
        std::vector<double> mine;
        std::set<std::string> acknowledged;
        int failed = 0;
        std::string target;
        for (int sent = 0;; ++sent) {
            int i = next++;
            if (i >= uploads || Clock::now() > deadline)
                break;
            if (target.empty() || sent % kRepeatEvery != kRepeatEvery - 1) {
                // Scores spread over the whole range, so ranks cross many buckets.
                int score =
                    static_cast<int>((static_cast<long long>(i) * 104729) % (kMaximumScore + 1));
                std::string player = "load" + std::to_string(id) + "-" + std::to_string(i) +
                                     (i % 3 ? ":::N" : ":1 Load St:load@example.org:Y");
                target = BuildScoreUploadAddress("", "Kestrin", player.c_str(), score);
            }
            auto begin = Clock::now();
            httplib::Result response = http.Get(target.c_str());
            mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
            if (response && response->status == 200)
                acknowledged.insert(target);
            else
                failed++;
        }
        std::lock_guard<std::mutex> lock(mutex);
        latencies.insert(latencies.end(), mine.begin(), mine.end());
        distinct.insert(acknowledged.begin(), acknowledged.end());
        result.failed += failed;
    };
    std::vector<std::thread> threads;
    for (int id = 0; id < clients; ++id)
        threads.emplace_back(client, id);
    for (std::thread& thread : threads)
        thread.join();
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.sent = static_cast<int>(latencies.size());
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

// The "entries" of Kestrin's JSON, -1 when it cannot be read.
long long KestrinEntries(int port) {
    httplib::Client http("127.0.0.1", port);
    httplib::Result response = http.Get("/api/games/Kestrin/scores");
    if (!response || response->status != 200)
        return -1;
    size_t at = response->body.find("\"entries\":");
    return at == std::string::npos ? -1 : std::stoll(response->body.substr(at + 10));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: server_load PORT [clients] [uploads] [seconds]\n");
        return 2;
    }
    int port = std::atoi(argv[1]);
    int clients = argc > 2 ? std::atoi(argv[2]) : 16;
    int uploads = argc > 3 ? std::atoi(argv[3]) : 2000;
    double seconds = argc > 4 ? std::atof(argv[4]) : 60;
    long long before = KestrinEntries(port);
    LoadResult result = RunLoad(port, clients, uploads, seconds);
    long long after = KestrinEntries(port);
    std::printf("clients %d, requests %d in %.2f s: %.0f uploads/s; latency p50 %.2f ms, "
                "p99 %.2f ms, max %.2f ms\n",
                clients, result.sent, result.seconds, result.sent / result.seconds, result.p50Ms,
                result.p99Ms, result.maxMs);
    std::printf("acknowledged %d (%d distinct), failed %d; new rows %lld\n",
                result.sent - result.failed, result.distinctAcknowledged, result.failed,
                after - before);
    return result.failed == 0 && after - before == result.distinctAcknowledged ? 0 : 1;
}
