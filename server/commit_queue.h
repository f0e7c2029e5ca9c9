#pragma once
// Group commit: request threads hand their uploads to one writing thread, which records all
// that are waiting in one transaction and then wakes their threads. Each commit (and its flush
// to disk, where the database makes one) is shared by every upload of the batch, and the
// database sees a single writer.
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "server/score_store.h"

namespace scores {

class CommitQueue {
  public:
    static constexpr size_t kMaxBatch = 256;

    explicit CommitQueue(ScoreStore& store);
    // Records what is still waiting, then stops the writing thread.
    ~CommitQueue();
    CommitQueue(const CommitQueue&) = delete;
    CommitQueue& operator=(const CommitQueue&) = delete;

    // Blocks until the upload's transaction has committed (ok, with `outcome` filled) or failed.
    StoreStatus Record(const Upload& upload, RecordOutcome& outcome);

  private:
    struct Pending {
        const Upload* upload;
        RecordOutcome outcome;
        StoreStatus status = StoreStatus::unavailable;
        bool done = false;
    };

    void Run();
    void CommitBatch(std::vector<Pending*>& batch);

    ScoreStore& store;
    std::mutex mutex;
    std::condition_variable workArrived;
    std::condition_variable batchDone;
    std::vector<Pending*> waiting;
    bool stopping = false;
    std::thread writer;
};

} // namespace scores
