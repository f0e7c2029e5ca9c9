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

using testing_support::PostgresQuery;

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
    RecordOutcome Record(const Upload& upload) { return RecordBatch({upload}).at(0); }

    // The first column of the first row of `sql`, in either database.
    std::string Query(const std::string& sql) {
        if (GetParam() == "postgres")
            return PostgresQuery(sql);
        sqlite3* db = nullptr;
        sqlite3_open(sqliteFile.c_str(), &db);
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        std::string value;
        if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
            value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return value;
    }

    testing_support::TempDir dir;
    std::string sqliteFile = dir / "scores.sqlite";
    std::unique_ptr<ScoreStore> store;
};

// Ranks come from bucket counts and a count inside one bucket: checked against a plain count
// of better scores, with ties, repeats, batches of any size and rows deleted by hand.
TEST_P(ScoreStoreTest, RanksEqualACountOfBetterScores) {
    std::mt19937 random(7);
    std::multiset<int32_t> model;
    std::map<std::string, bool> seen;
    for (int batch = 0; batch < 30; ++batch) {
        if (batch == 20) {
            Query("DELETE FROM scores WHERE score < 600000");
            model.erase(model.begin(), model.lower_bound(600000));
            std::erase_if(seen, [](const auto& entry) {
                return std::stoi(entry.first.substr(entry.first.find(':') + 1)) < 600000;
            });
        }
        std::vector<Upload> uploads(1 + random() % 25);
        for (Upload& upload : uploads) {
            // Few names and coarse scores, so that repeats and ties are common.
            int32_t score = static_cast<int32_t>(random() % 200) * 9250;
            upload = {"Kestrin", "p" + std::to_string(random() % 5), "", "", score};
        }
        std::vector<RecordOutcome> outcomes = RecordBatch(uploads);
        for (size_t i = 0; i < uploads.size(); ++i) {
            std::string key = uploads[i].name + ":" + std::to_string(uploads[i].score);
            bool isNew = !seen[key];
            seen[key] = true;
            if (isNew)
                model.insert(uploads[i].score);
            int64_t better = std::distance(model.upper_bound(uploads[i].score), model.end());
            ASSERT_EQ(outcomes[i].inserted, isNew) << key;
            ASSERT_EQ(outcomes[i].rank, better + 1) << key;
            ASSERT_EQ(outcomes[i].entries, static_cast<int64_t>(model.size())) << key;
        }
    }
}

TEST_P(ScoreStoreTest, KeepsContactOnlyWhenSentAndFollowsTheLatestChoice) {
    auto contact = [this](const char* name) {
        return Query("SELECT COALESCE(address, '-') || '|' || COALESCE(email, '-') FROM scores"
                     " WHERE name = '" +
                     std::string(name) + "'");
    };
    Record({"Kestrin", "Ann", "1 High St", "ann@x.org", 10});
    Record({"Kestrin", "Bob", "", "", 10});
    EXPECT_EQ(contact("Ann"), "1 High St|ann@x.org");
    EXPECT_EQ(contact("Bob"), "-|-");
    Record({"Kestrin", "Ann", "", "", 10});
    EXPECT_EQ(contact("Ann"), "-|-");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM scores"), "2");
}

INSTANTIATE_TEST_SUITE_P(Databases, ScoreStoreTest,
                         testing::ValuesIn(testing_support::ScoreDatabases()),
                         [](const auto& info) { return info.param; });

TEST(SqliteStore, AnswersBusyWhileAnotherProcessHoldsTheLockAndKeepsNothing) {
    testing_support::TempDir dir;
    std::string error;
    std::unique_ptr<ScoreStore> store = OpenScoreStore({dir / "s.sqlite"}, error);
    ASSERT_NE(store, nullptr) << error;
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "s.sqlite").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    Upload upload{"Kestrin", "Ann", "", "", 10};
    std::vector<RecordOutcome> outcomes;
    EXPECT_EQ(store->RecordBatch({&upload}, outcomes), StoreStatus::busy);
    Leaderboard board;
    EXPECT_EQ(store->TopScores("Kestrin", 10, board), StoreStatus::ok); // readers go on
    EXPECT_EQ(board.entries, 0);
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(store->RecordBatch({&upload}, outcomes), StoreStatus::ok);
    EXPECT_TRUE(outcomes.at(0).inserted);
}

TEST(SqliteStore, RefusesToOpenWhatIsNoDatabase) {
    testing_support::TempDir dir;
    testing_support::WriteBytes(dir / "text.sqlite", std::string(4096, 'x'));
    std::string error;
    EXPECT_EQ(OpenScoreStore({dir / "text.sqlite"}, error), nullptr);
    EXPECT_NE(error.find("not a database"), std::string::npos) << error;
    EXPECT_EQ(OpenScoreStore({dir / "no/such/folder/s.sqlite"}, error), nullptr);
    EXPECT_NE(error.find("unable to open"), std::string::npos) << error;
}

} // namespace
} // namespace scores
