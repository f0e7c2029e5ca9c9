#include "server/score_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <random>
#include <set>

#include "support/postgres_test_database.h"
#include "support/temp_dir.h"

namespace scores {
namespace {

// Each test against a new, empty database of the kind it is given.
class ScoreStoreTest : public testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        StoreSettings settings{sqliteFile};
        if (GetParam() == "postgres") {
            ASSERT_TRUE(testing_support::DropScoreTables());
            settings.database = testing_support::PostgresTestAddress();
        }
        std::string error;
        store = OpenScoreStore(settings, error);
        ASSERT_NE(store, nullptr) << error;
    }

    std::vector<RecordOutcome> RecordBatch(const std::vector<Upload>& uploads) {
        std::vector<const Upload*> pointers;
        for (const Upload& upload : uploads)
            pointers.push_back(&upload);
        std::vector<RecordOutcome> outcomes;
        EXPECT_EQ(store->RecordBatch(pointers, outcomes), StoreStatus::ok);
        EXPECT_EQ(outcomes.size(), uploads.size());
        return outcomes;
    }

    // The first column of the row `sql` gives, in either database.
    std::string Query(const std::string& sql) {
        if (GetParam() == "postgres")
            return testing_support::PostgresQuery(sql);
        sqlite3* db = nullptr;
        sqlite3_open(sqliteFile.c_str(), &db);
        std::string value;
        auto keep = [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) = values[0] ? values[0] : "";
            return 0;
        };
        sqlite3_exec(db, sql.c_str(), keep, &value, nullptr);
        sqlite3_close(db);
        return value;
    }

    testing_support::TempDir dir;
    std::string sqliteFile = dir / "scores.sqlite";
    std::unique_ptr<ScoreStore> store;
};

// Ranks come from bucket counts and a count inside one bucket: checked against a plain count
// of better scores, with ties, repeats, batches of any size and rows deleted by hand; the
// leaderboard against the same model.
TEST_P(ScoreStoreTest, RanksEqualACountOfBetterScores) {
    std::mt19937 random(7);
    std::multiset<int32_t> model;
    std::set<std::pair<std::string, int32_t>> seen;
    for (int batch = 0; batch < 30; ++batch) {
        if (batch == 20) {
            Query("DELETE FROM scores WHERE score < 600000");
            model.erase(model.begin(), model.lower_bound(600000));
            std::erase_if(seen, [](const auto& entry) { return entry.second < 600000; });
        }
        std::vector<Upload> uploads(1 + random() % 25);
        for (Upload& upload : uploads) {
            // Few names and coarse scores, so that repeats and ties are common.
            int32_t score = static_cast<int32_t>(random() % 200) * 9250;
            upload = {"Kestrin", "p" + std::to_string(random() % 5), "", "", score};
        }
        std::vector<RecordOutcome> outcomes = RecordBatch(uploads);
        for (size_t i = 0; i < uploads.size(); ++i) {
            bool isNew = seen.insert({uploads[i].name, uploads[i].score}).second;
            if (isNew)
                model.insert(uploads[i].score);
            int64_t better = std::distance(model.upper_bound(uploads[i].score), model.end());
            SCOPED_TRACE(uploads[i].name + " " + std::to_string(uploads[i].score));
            ASSERT_EQ(outcomes[i].inserted, isNew);
            ASSERT_EQ(outcomes[i].rank, better + 1);
            ASSERT_EQ(outcomes[i].entries, static_cast<int64_t>(model.size()));
        }
    }
    Leaderboard board;
    ASSERT_EQ(store->TopScores("Kestrin", 10, board), StoreStatus::ok);
    EXPECT_EQ(board.entries, static_cast<int64_t>(model.size()));
    ASSERT_EQ(board.rows.size(), 10u);
    auto best = model.rbegin();
    for (const ScoreRow& row : board.rows) {
        EXPECT_EQ(row.score, *best++);
        EXPECT_EQ(row.rank, std::distance(model.upper_bound(row.score), model.end()) + 1);
    }
}

TEST_P(ScoreStoreTest, KeepsContactOnlyWhenSentAndFollowsTheLatestChoice) {
    auto contact = [this](const char* name) {
        return Query("SELECT COALESCE(address, '-') || '|' || COALESCE(email, '-') FROM scores"
                     " WHERE name = '" +
                     std::string(name) + "'");
    };
    RecordBatch({{"Kestrin", "Ann", "1 High St", "ann@x.org", 10}, {"Kestrin", "Bob", "", "", 10}});
    EXPECT_EQ(contact("Ann"), "1 High St|ann@x.org");
    EXPECT_EQ(contact("Bob"), "-|-");
    RecordBatch({{"Kestrin", "Ann", "", "", 10}});
    EXPECT_EQ(contact("Ann"), "-|-");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM scores"), "2");
}

INSTANTIATE_TEST_SUITE_P(Databases, ScoreStoreTest,
                         testing::ValuesIn(testing_support::ScoreDatabases()),
                         [](const auto& info) { return info.param; });

} // namespace
} // namespace scores
