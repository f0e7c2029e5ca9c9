#include "server/commit_queue.h"

#include <algorithm>
#include <tuple>

namespace scores {

CommitQueue::CommitQueue(ScoreStore& store) : store(store), writer([this] { Run(); }) {}

CommitQueue::~CommitQueue() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    workArrived.notify_one();
    writer.join();
}

StoreStatus CommitQueue::Record(const Upload& upload, RecordOutcome& outcome) {
    Pending pending{&upload, {}};
    std::unique_lock<std::mutex> lock(mutex);
    if (stopping)
        return StoreStatus::unavailable;
    waiting.push_back(&pending);
    workArrived.notify_one();
    batchDone.wait(lock, [&] { return pending.done; });
    outcome = pending.outcome;
    return pending.status;
}

void CommitQueue::Run() {
    std::vector<Pending*> batch;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        workArrived.wait(lock, [this] { return stopping || !waiting.empty(); });
        if (waiting.empty())
            return; // stopping, and nothing left to record
        size_t taken = std::min(waiting.size(), kMaxBatch);
        batch.assign(waiting.begin(), waiting.begin() + taken);
        waiting.erase(waiting.begin(), waiting.begin() + taken);
        lock.unlock();
        CommitBatch(batch);
        lock.lock();
        for (Pending* pending : batch)
            pending->done = true;
        batchDone.notify_all();
    }
}

void CommitQueue::CommitBatch(std::vector<Pending*>& batch) {
    // One order for every batch, so that servers sharing a database take the locks of their
    // entries in the same order.
    std::sort(batch.begin(), batch.end(), [](const Pending* a, const Pending* b) {
        return std::tie(a->upload->game, a->upload->score, a->upload->name) <
               std::tie(b->upload->game, b->upload->score, b->upload->name);
    });
    std::vector<const Upload*> uploads;
    for (Pending* pending : batch)
        uploads.push_back(pending->upload);
    std::vector<RecordOutcome> outcomes;
    StoreStatus status = store.RecordBatch(uploads, outcomes);
    for (size_t i = 0; i < batch.size(); ++i) {
        batch[i]->status = status;
        if (status == StoreStatus::ok)
            batch[i]->outcome = outcomes[i];
    }
}

} // namespace scores
