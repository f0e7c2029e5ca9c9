#include "server/commit_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

namespace scores {
namespace {

// Answers each upload with its own score as rank, after a pause long enough for others to
// queue up behind it; fails every batch that holds a negative score, and notes which did.
class SlowStore : public ScoreStore {
  public:
    StoreStatus RecordBatch(const std::vector<const Upload*>& uploads,
                            std::vector<RecordOutcome>& outcomes) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        batches++;
        largestBatch = std::max(largestBatch, uploads.size());
        bool fails = std::any_of(uploads.begin(), uploads.end(),
                                 [](const Upload* upload) { return upload->score < 0; });
        outcomes.clear();
        for (const Upload* upload : uploads) {
            failedWith[upload->score] = fails;
            outcomes.push_back({true, upload->score, 0});
        }
        return fails ? StoreStatus::busy : StoreStatus::ok;
    }
    StoreStatus TopScores(const std::string&, int, Leaderboard&) override {
        return StoreStatus::ok;
    }
    StoreStatus Ping() override { return StoreStatus::ok; }

    int batches = 0;
    size_t largestBatch = 0;
    std::map<int32_t, bool> failedWith; // by score
};

// Sixteen threads record five uploads each, one thread's failing: every upload gets its own
// outcome, or the failure of the batch it was in.
TEST(CommitQueue, CommitsWaitingUploadsTogetherAndAnswersEachItsOwn) {
    SlowStore store;
    constexpr int kThreads = 16;
    std::map<int32_t, std::pair<StoreStatus, int64_t>> answers[kThreads];
    {
        CommitQueue queue(store);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                for (int i = 0; i < 5; ++i) {
                    Upload upload{"Kestrin", "p", "", "", t == 3 ? -1 - i : t * 100 + i};
                    RecordOutcome outcome;
                    StoreStatus status = queue.Record(upload, outcome);
                    answers[t][upload.score] = {status, outcome.rank};
                }
            });
        }
        for (std::thread& thread : threads)
            thread.join();
    }
    for (const auto& thread : answers) {
        for (const auto& [score, answer] : thread) {
            ASSERT_EQ(store.failedWith.count(score), 1u) << score;
            bool failed = store.failedWith[score];
            EXPECT_EQ(answer.first, failed ? StoreStatus::busy : StoreStatus::ok) << score;
            EXPECT_TRUE(failed || answer.second == score) << score;
        }
    }
    EXPECT_GT(store.largestBatch, 1u);
    EXPECT_LT(store.batches, kThreads * 5);
}

} // namespace
} // namespace scores
