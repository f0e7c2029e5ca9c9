#include "server/postgres_store.h"

#include <libpq-fe.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include "server/connection_pool.h"

namespace scores {
namespace {

struct ConnectionCloser {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
struct ResultClearer {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Connection = std::unique_ptr<PGconn, ConnectionCloser>;
using Result = std::unique_ptr<PGresult, ResultClearer>;

// Several servers may start at once: the advisory lock lets one create what is missing while
// the others wait, instead of failing on each other's half-made tables.
std::string Schema() {
    std::string shift = std::to_string(kRankBucketShift);
    return "BEGIN;"
           "SELECT pg_advisory_xact_lock(7451902);"
           "CREATE TABLE IF NOT EXISTS scores ("
           " id BIGSERIAL PRIMARY KEY, game TEXT NOT NULL, name TEXT NOT NULL,"
           " score INTEGER NOT NULL, address TEXT, email TEXT, recorded_at BIGINT NOT NULL,"
           " UNIQUE (game, name, score));"
           "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (game, score DESC, id);"
           "CREATE TABLE IF NOT EXISTS score_buckets (game TEXT NOT NULL,"
           " bucket INTEGER NOT NULL, entries BIGINT NOT NULL, PRIMARY KEY (game, bucket));"
           "CREATE OR REPLACE FUNCTION scores_count_bucket() RETURNS trigger"
           " LANGUAGE plpgsql AS $$ BEGIN"
           "  IF TG_OP = 'INSERT' THEN"
           "   INSERT INTO score_buckets VALUES (NEW.game, NEW.score >> " +
           shift +
           ", 1)"
           "    ON CONFLICT (game, bucket) DO UPDATE SET entries = score_buckets.entries + 1;"
           "  ELSE"
           "   UPDATE score_buckets SET entries = entries - 1"
           "    WHERE game = OLD.game AND bucket = OLD.score >> " +
           shift +
           ";"
           "  END IF;"
           "  RETURN NULL;"
           " END $$;"
           "CREATE OR REPLACE TRIGGER scores_counted AFTER INSERT OR DELETE ON scores"
           " FOR EACH ROW EXECUTE FUNCTION scores_count_bucket();"
           "COMMIT;";
}

// One round trip an upload: the entry, then its rank and the game's entries. The rank's
// sub-queries see the table as it was before this statement, which changes nothing for a
// count of better scores; the entries add this one when it is new. A repeated upload keeps
// the entry but follows the player's latest choice about contact; "xmax = 0" holds only for
// a row this statement inserted.
constexpr const char* kRecordSql =
    "WITH added AS ("
    " INSERT INTO scores (game, name, score, address, email, recorded_at)"
    " VALUES ($1, $2, $3, $4, $5, $6)"
    " ON CONFLICT (game, name, score) DO UPDATE"
    "  SET address = EXCLUDED.address, email = EXCLUDED.email"
    " RETURNING (xmax = 0) AS inserted)"
    "SELECT added.inserted,"
    " 1 + (SELECT COALESCE(SUM(entries), 0) FROM score_buckets WHERE game = $1 AND bucket > $7)"
    "   + (SELECT COUNT(*) FROM scores WHERE game = $1 AND score > $3 AND score < $8::bigint),"
    " (SELECT COALESCE(SUM(entries), 0) FROM score_buckets WHERE game = $1)"
    "   + added.inserted::int "
    "FROM added";
constexpr const char* kTopSql = "SELECT name, score, recorded_at FROM scores WHERE game = $1"
                                " ORDER BY score DESC, id LIMIT $2";
constexpr const char* kEntriesSql =
    "SELECT COALESCE(SUM(entries), 0) FROM score_buckets WHERE game = $1";

constexpr int kBatchAttempts = 3;

std::string Trimmed(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

bool Prepare(PGconn* connection, const char* name, const char* sql, int parameters) {
    Result result(PQprepare(connection, name, sql, parameters, nullptr));
    if (PQresultStatus(result.get()) == PGRES_COMMAND_OK)
        return true;
    std::fprintf(stderr, "lumora-scores: database: %s\n",
                 Trimmed(PQerrorMessage(connection)).c_str());
    return false;
}

Connection Connect(const std::string& address, std::string& error) {
    // Values before "dbname" are defaults that the address may override.
    const char* keys[] = {"application_name", "connect_timeout", "options", "dbname", nullptr};
    const char* values[] = {"lumora-scores", "5",
                            "-c statement_timeout=5000 -c client_min_messages=warning",
                            address.c_str(), nullptr};
    Connection connection(PQconnectdbParams(keys, values, 1));
    if (!connection || PQstatus(connection.get()) != CONNECTION_OK) {
        error = connection ? Trimmed(PQerrorMessage(connection.get())) : "out of memory";
        return nullptr;
    }
    return connection;
}

// What a failed command means for the caller, reported on standard error.
StoreStatus Failure(PGconn* connection, const PGresult* result, bool& retry) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    std::string code = state ? state : "";
    const char* message = result ? PQresultErrorMessage(result) : "";
    std::fprintf(stderr, "lumora-scores: database: %s\n",
                 Trimmed(*message ? message : PQerrorMessage(connection)).c_str());
    // Deadlocks and serialisation failures between servers sharing the database pass when the
    // batch runs again.
    retry = code == "40P01" || code == "40001";
    if (PQstatus(connection) != CONNECTION_OK)
        return StoreStatus::unavailable;
    return retry || code == "57014" || code == "55P03" ? StoreStatus::busy
                                                       : StoreStatus::unavailable;
}

struct Reader {
    Connection connection;
};

class PostgresStore : public ScoreStore {
  public:
    PostgresStore(std::string address, Connection writer)
        : address(std::move(address)), writer(std::move(writer)),
          readers([this] { return OpenReader(); }) {
        writerReady = Prepare(this->writer.get(), "record", kRecordSql, 8);
    }

    bool Ready() const { return writerReady; }

    StoreStatus RecordBatch(const std::vector<const Upload*>& uploads,
                            std::vector<RecordOutcome>& outcomes) override {
        if (!EnsureWriter())
            return StoreStatus::unavailable;
        StoreStatus status = StoreStatus::unavailable;
        for (int attempt = 0; attempt < kBatchAttempts; ++attempt) {
            bool retry = false;
            status = TryBatch(uploads, outcomes, retry);
            if (!retry)
                break;
        }
        return status;
    }

    StoreStatus TopScores(const std::string& game, int limit, Leaderboard& board) override {
        ConnectionPool<Reader>::Lease reader = readers.Take();
        if (!reader)
            return StoreStatus::unavailable;
        PGconn* connection = reader->connection.get();
        board = Leaderboard{};
        std::string limitText = std::to_string(limit);
        const char* topValues[] = {game.c_str(), limitText.c_str()};
        Result top(PQexecPrepared(connection, "top", 2, topValues, nullptr, nullptr, 0));
        if (PQresultStatus(top.get()) != PGRES_TUPLES_OK)
            return ReadFailure(reader, top.get());
        for (int i = 0; i < PQntuples(top.get()); ++i) {
            ScoreRow row;
            row.name = PQgetvalue(top.get(), i, 0);
            row.score = static_cast<int32_t>(std::strtol(PQgetvalue(top.get(), i, 1), nullptr, 10));
            row.recordedAt = std::strtoll(PQgetvalue(top.get(), i, 2), nullptr, 10);
            board.rows.push_back(std::move(row));
        }
        const char* entriesValues[] = {game.c_str()};
        Result entries(
            PQexecPrepared(connection, "entries", 1, entriesValues, nullptr, nullptr, 0));
        if (PQresultStatus(entries.get()) != PGRES_TUPLES_OK || PQntuples(entries.get()) != 1)
            return ReadFailure(reader, entries.get());
        board.entries = std::strtoll(PQgetvalue(entries.get(), 0, 0), nullptr, 10);
        AssignRanks(board.rows);
        return StoreStatus::ok;
    }

    StoreStatus Ping() override {
        ConnectionPool<Reader>::Lease reader = readers.Take();
        if (!reader)
            return StoreStatus::unavailable;
        Result result(PQexec(reader->connection.get(), "SELECT 1"));
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
            return ReadFailure(reader, result.get());
        return StoreStatus::ok;
    }

  private:
    bool EnsureWriter() {
        if (writerReady && PQstatus(writer.get()) == CONNECTION_OK)
            return true;
        PQreset(writer.get());
        if (PQstatus(writer.get()) != CONNECTION_OK) {
            std::fprintf(stderr, "lumora-scores: database: %s\n",
                         Trimmed(PQerrorMessage(writer.get())).c_str());
            writerReady = false;
            return false;
        }
        writerReady = Prepare(writer.get(), "record", kRecordSql, 8);
        return writerReady;
    }

    // The whole batch goes in one round trip (libpq's pipeline mode): BEGIN, an upload a
    // statement, COMMIT, then the answers are read in order. After an error the database
    // skips the rest, COMMIT included, and the transaction is rolled back.
    StoreStatus TryBatch(const std::vector<const Upload*>& uploads,
                         std::vector<RecordOutcome>& outcomes, bool& retry) {
        PGconn* connection = writer.get();
        if (PQenterPipelineMode(connection) != 1)
            return Failure(connection, nullptr, retry);
        std::string now = std::to_string(static_cast<int64_t>(std::time(nullptr)));
        bool sent =
            PQsendQueryParams(connection, "BEGIN", 0, nullptr, nullptr, nullptr, nullptr, 0) == 1;
        for (size_t i = 0; sent && i < uploads.size(); ++i) {
            const Upload& upload = *uploads[i];
            std::string score = std::to_string(upload.score);
            std::string bucket = std::to_string(RankBucket(upload.score));
            std::string nextBucket = std::to_string(NextBucketStart(upload.score));
            const char* values[] = {upload.game.c_str(),
                                    upload.name.c_str(),
                                    score.c_str(),
                                    upload.address.empty() ? nullptr : upload.address.c_str(),
                                    upload.email.empty() ? nullptr : upload.email.c_str(),
                                    now.c_str(),
                                    bucket.c_str(),
                                    nextBucket.c_str()};
            sent = PQsendQueryPrepared(connection, "record", 8, values, nullptr, nullptr, 0) == 1;
        }
        sent = sent &&
               PQsendQueryParams(connection, "COMMIT", 0, nullptr, nullptr, nullptr, nullptr, 0) ==
                   1 &&
               PQpipelineSync(connection) == 1;
        StoreStatus status = sent ? ReadBatchAnswers(uploads.size(), outcomes, retry)
                                  : Failure(connection, nullptr, retry);
        if (PQexitPipelineMode(connection) != 1) {
            // Answers still pending: the next batch opens the connection again.
            writerReady = false;
            retry = false;
            return StoreStatus::unavailable;
        }
        if (status != StoreStatus::ok && PQstatus(connection) == CONNECTION_OK)
            Result rollback(PQexec(connection, "ROLLBACK"));
        return status;
    }

    // Reads the answers of BEGIN, the uploads and COMMIT, then the pipeline's end.
    StoreStatus ReadBatchAnswers(size_t count, std::vector<RecordOutcome>& outcomes, bool& retry) {
        PGconn* connection = writer.get();
        outcomes.assign(count, RecordOutcome{});
        StoreStatus status = StoreStatus::ok;
        for (size_t query = 0; query < count + 2; ++query) {
            Result answer(PQgetResult(connection));
            if (!answer)
                return Failure(connection, nullptr, retry);
            ExecStatusType kind = PQresultStatus(answer.get());
            bool isUpload = query >= 1 && query <= count;
            if (kind == PGRES_FATAL_ERROR || kind == PGRES_NONFATAL_ERROR) {
                status = Failure(connection, answer.get(), retry);
            } else if (kind == PGRES_PIPELINE_ABORTED) {
                // skipped after the error already reported
            } else if (isUpload && PQntuples(answer.get()) == 1) {
                RecordOutcome& outcome = outcomes[query - 1];
                outcome.inserted = PQgetvalue(answer.get(), 0, 0)[0] == 't';
                outcome.rank = std::strtoll(PQgetvalue(answer.get(), 0, 1), nullptr, 10);
                outcome.entries = std::strtoll(PQgetvalue(answer.get(), 0, 2), nullptr, 10);
            } else if (isUpload || kind != PGRES_COMMAND_OK) {
                status = Failure(connection, answer.get(), retry);
            }
            Result end(PQgetResult(connection)); // each statement's answers end with a null
        }
        Result sync(PQgetResult(connection));
        if (PQresultStatus(sync.get()) != PGRES_PIPELINE_SYNC)
            return Failure(connection, sync.get(), retry);
        return status;
    }

    StoreStatus ReadFailure(ConnectionPool<Reader>::Lease& reader, const PGresult* result) {
        bool retry = false;
        StoreStatus status = Failure(reader->connection.get(), result, retry);
        if (PQstatus(reader->connection.get()) != CONNECTION_OK)
            reader.Discard();
        return status;
    }

    std::unique_ptr<Reader> OpenReader() {
        std::string error;
        auto reader = std::make_unique<Reader>();
        reader->connection = Connect(address, error);
        if (!reader->connection) {
            std::fprintf(stderr, "lumora-scores: database: %s\n", error.c_str());
            return nullptr;
        }
        PGconn* connection = reader->connection.get();
        if (!Prepare(connection, "top", kTopSql, 2) ||
            !Prepare(connection, "entries", kEntriesSql, 1))
            return nullptr;
        return reader;
    }

    std::string address;
    Connection writer;
    bool writerReady = false;
    ConnectionPool<Reader> readers;
};

} // namespace

std::unique_ptr<ScoreStore> OpenPostgresStore(const std::string& address, std::string& error) {
    Connection connection = Connect(address, error);
    if (!connection)
        return nullptr;
    Result schema(PQexec(connection.get(), Schema().c_str()));
    if (PQresultStatus(schema.get()) != PGRES_COMMAND_OK) {
        error = Trimmed(PQerrorMessage(connection.get()));
        return nullptr;
    }
    auto store = std::make_unique<PostgresStore>(address, std::move(connection));
    if (!store->Ready()) {
        error = "the database's tables do not match this server";
        return nullptr;
    }
    return store;
}

} // namespace scores
