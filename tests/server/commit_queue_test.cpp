#include "server/commit_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace scores {
namespace {

// Answers each upload with its own score as rank, after a pause long enough for others to
// queue up behind it; fails batches while asked to.
class SlowStore : public ScoreStore {
  public:
    StoreStatus RecordBatch(const std::vector<const Upload*>& uploads,
                            std::vector<RecordOutcome>& outcomes) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        batches++;
        largestBatch = std::max<size_t>(largestBatch, uploads.size());
        if (failing)
            return StoreStatus::busy;
        outcomes.clear();
        for (const Upload* upload : uploads)
            outcomes.push_back({true, upload->score, 0});
        return StoreStatus::ok;
    }
    StoreStatus TopScores(const std::string&, int, Leaderboard&) override {
        return StoreStatus::ok;
    }
    StoreStatus Ping() override { return StoreStatus::ok; }

    std::atomic<int> batches{0};
    std::atomic<size_t> largestBatch{0};
    std::atomic<bool> failing{false};
};

TEST(CommitQueue, CommitsWaitingUploadsTogetherAndAnswersEachItsOwn) {
    SlowStore store;
    constexpr int kThreads = 16;
    std::atomic<int> mismatches{0};
    {
        CommitQueue queue(store);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                for (int i = 0; i < 5; ++i) {
                    Upload upload{"Kestrin", "p", "", "", t * 100 + i};
                    RecordOutcome outcome;
                    if (queue.Record(upload, outcome) != StoreStatus::ok ||
                        outcome.rank != upload.score)
                        mismatches++;
                }
            });
        }
        for (std::thread& thread : threads)
            thread.join();
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(store.largestBatch, 1u);
    EXPECT_LT(store.batches, kThreads * 5);
}

TEST(CommitQueue, AFailedBatchFailsEveryUploadInIt) {
    SlowStore store;
    store.failing = true;
    CommitQueue queue(store);
    std::vector<std::thread> threads;
    std::atomic<int> busy{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            Upload upload{"Kestrin", "p", "", "", t};
            RecordOutcome outcome;
            if (queue.Record(upload, outcome) == StoreStatus::busy)
                busy++;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(busy, 4);
}

} // namespace
} // namespace scores
