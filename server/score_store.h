#pragma once
// Where results are kept: a SQLite file or a PostgreSQL database, behind one interface.
//
// Both keep one row per game, name and score (the same upload twice is one entry), and count
// the entries per game in buckets of 4096 points, kept by triggers, so that a rank costs a sum
// over a few hundred buckets and a count inside one bucket rather than a count over every
// lower entry.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "server/upload.h"

namespace scores {

constexpr int kRankBucketShift = 12;

enum class StoreStatus {
    ok,
    busy,        // the database is locked by someone else or timed out; try again
    unavailable, // the database cannot be reached
};

struct RecordOutcome {
    bool inserted = false; // false: the same game, name and score was there already
    int64_t rank = 0;      // 1 + the number of better scores of the game
    int64_t entries = 0;   // the game's entries, this one included
};

struct ScoreRow {
    int64_t rank = 0; // equal scores share a rank
    std::string name;
    int32_t score = 0;
    int64_t recordedAt = 0; // seconds since 1970, UTC
};

struct Leaderboard {
    int64_t entries = 0;
    std::vector<ScoreRow> rows; // best first; among equal scores the earlier first
};

class ScoreStore {
  public:
    virtual ~ScoreStore() = default;
    // Records every upload of the batch in one transaction and fills one outcome each; when it
    // fails nothing of the batch is kept. Called from one thread at a time.
    virtual StoreStatus RecordBatch(const std::vector<const Upload*>& uploads,
                                    std::vector<RecordOutcome>& outcomes) = 0;
    // The game's best `limit` rows. Safe from any thread.
    virtual StoreStatus TopScores(const std::string& game, int limit, Leaderboard& board) = 0;
    // Whether the database answers. Safe from any thread.
    virtual StoreStatus Ping() = 0;
};

struct StoreSettings {
    std::string database;  // a file path, or a "postgresql://" or "postgres://" address
    bool fullSync = false; // SQLite: also survive a power cut, at an fsync a batch
};

// Opens (and creates when needed) the database; null with `error` set when it cannot.
std::unique_ptr<ScoreStore> OpenScoreStore(const StoreSettings& settings, std::string& error);

// Fills the ranks of rows read best first.
void AssignRanks(std::vector<ScoreRow>& rows);

// The bucket of a score, and the first score of the next bucket.
constexpr int64_t RankBucket(int32_t score) {
    return score >> kRankBucketShift;
}
constexpr int64_t NextBucketStart(int32_t score) {
    return (RankBucket(score) + 1) << kRankBucketShift;
}

} // namespace scores
