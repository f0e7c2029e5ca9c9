#include "server/sqlite_store.h"

#include <sqlite3.h>

#include <cstdio>
#include <ctime>

#include "server/connection_pool.h"

namespace scores {
namespace {

// How long a write waits for another process's lock before the upload is answered "busy".
constexpr int kBusyTimeoutMs = 2000;

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

std::string Schema() {
    std::string shift = std::to_string(kRankBucketShift);
    return "CREATE TABLE IF NOT EXISTS scores ("
           " id INTEGER PRIMARY KEY, game TEXT NOT NULL, name TEXT NOT NULL,"
           " score INTEGER NOT NULL, address TEXT, email TEXT, recorded_at INTEGER NOT NULL,"
           " UNIQUE (game, name, score));"
           "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (game, score DESC, id);"
           "CREATE TABLE IF NOT EXISTS score_buckets (game TEXT NOT NULL,"
           " bucket INTEGER NOT NULL, entries INTEGER NOT NULL, PRIMARY KEY (game, bucket))"
           " WITHOUT ROWID;"
           "CREATE TRIGGER IF NOT EXISTS scores_counted AFTER INSERT ON scores BEGIN"
           " INSERT INTO score_buckets VALUES (NEW.game, NEW.score >> " +
           shift +
           ", 1)"
           "  ON CONFLICT (game, bucket) DO UPDATE SET entries = entries + 1;"
           " END;"
           "CREATE TRIGGER IF NOT EXISTS scores_uncounted AFTER DELETE ON scores BEGIN"
           " UPDATE score_buckets SET entries = entries - 1"
           "  WHERE game = OLD.game AND bucket = OLD.score >> " +
           shift + "; END;";
}

constexpr const char* kInsertSql =
    "INSERT INTO scores (game, name, score, address, email, recorded_at)"
    " VALUES (?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT (game, name, score) DO NOTHING";
// A repeated upload keeps the entry but follows the player's latest choice about contact.
constexpr const char* kUpdateContactSql =
    "UPDATE scores SET address = ?4, email = ?5 WHERE game = ?1 AND name = ?2 AND score = ?3";
constexpr const char* kRankSql =
    "SELECT 1 + (SELECT COALESCE(SUM(entries), 0) FROM score_buckets"
    "             WHERE game = ?1 AND bucket > ?2)"
    "         + (SELECT COUNT(*) FROM scores WHERE game = ?1 AND score > ?3 AND score < ?4),"
    " (SELECT COALESCE(SUM(entries), 0) FROM score_buckets WHERE game = ?1)";
constexpr const char* kTopSql = "SELECT name, score, recorded_at FROM scores WHERE game = ?1"
                                " ORDER BY score DESC, id LIMIT ?2";
constexpr const char* kEntriesSql =
    "SELECT COALESCE(SUM(entries), 0) FROM score_buckets WHERE game = ?1";

StoreStatus StatusOf(int code) {
    int primary = code & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED ? StoreStatus::busy
                                                              : StoreStatus::unavailable;
}

StoreStatus Report(sqlite3* db, int code) {
    std::fprintf(stderr, "lumora-scores: database: %s\n", sqlite3_errmsg(db));
    return StatusOf(code);
}

Statement Prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    return Statement(statement);
}

void BindText(sqlite3_stmt* statement, int index, const std::string& text) {
    if (text.empty())
        sqlite3_bind_null(statement, index);
    else
        sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_STATIC);
}

// Binds game, name and score, the first three parameters of every statement about an entry.
void BindEntry(sqlite3_stmt* statement, const Upload& upload) {
    sqlite3_reset(statement);
    sqlite3_bind_text(statement, 1, upload.game.data(), static_cast<int>(upload.game.size()),
                      SQLITE_STATIC);
    sqlite3_bind_text(statement, 2, upload.name.data(), static_cast<int>(upload.name.size()),
                      SQLITE_STATIC);
    sqlite3_bind_int(statement, 3, upload.score);
}

Database OpenDatabase(const std::string& path, int flags, std::string& error) {
    sqlite3* raw = nullptr;
    int code = sqlite3_open_v2(path.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    Database db(raw);
    if (code != SQLITE_OK) {
        error = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(code);
        return nullptr;
    }
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    return db;
}

bool Execute(sqlite3* db, const std::string& sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

struct Reader {
    Database db;
    Statement top;
    Statement entries;
};

class SqliteStore : public ScoreStore {
  public:
    SqliteStore(std::string path, Database writer)
        : path(std::move(path)), writer(std::move(writer)),
          insert(Prepare(this->writer.get(), kInsertSql)),
          updateContact(Prepare(this->writer.get(), kUpdateContactSql)),
          rank(Prepare(this->writer.get(), kRankSql)), readers([this] { return OpenReader(); }) {}

    bool Prepared() const { return insert && updateContact && rank; }

    StoreStatus RecordBatch(const std::vector<const Upload*>& uploads,
                            std::vector<RecordOutcome>& outcomes) override {
        sqlite3* db = writer.get();
        int code = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        if (code != SQLITE_OK)
            return Report(db, code);
        outcomes.assign(uploads.size(), RecordOutcome{});
        int64_t now = static_cast<int64_t>(std::time(nullptr));
        for (size_t i = 0; i < uploads.size(); ++i) {
            code = RecordOne(*uploads[i], now, outcomes[i]);
            if (code != SQLITE_OK)
                break;
        }
        if (code == SQLITE_OK)
            code = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        if (code == SQLITE_OK)
            return StoreStatus::ok;
        StoreStatus status = Report(db, code);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return status;
    }

    StoreStatus TopScores(const std::string& game, int limit, Leaderboard& board) override {
        ConnectionPool<Reader>::Lease reader = readers.Take();
        if (!reader)
            return StoreStatus::unavailable;
        board = Leaderboard{};
        sqlite3_stmt* top = reader->top.get();
        sqlite3_reset(top);
        sqlite3_bind_text(top, 1, game.data(), static_cast<int>(game.size()), SQLITE_STATIC);
        sqlite3_bind_int(top, 2, limit);
        int code;
        while ((code = sqlite3_step(top)) == SQLITE_ROW) {
            ScoreRow row;
            row.name = reinterpret_cast<const char*>(sqlite3_column_text(top, 0));
            row.score = sqlite3_column_int(top, 1);
            row.recordedAt = sqlite3_column_int64(top, 2);
            board.rows.push_back(std::move(row));
        }
        sqlite3_reset(top);
        if (code != SQLITE_DONE)
            return Report(reader->db.get(), code);
        sqlite3_stmt* entries = reader->entries.get();
        sqlite3_reset(entries);
        sqlite3_bind_text(entries, 1, game.data(), static_cast<int>(game.size()), SQLITE_STATIC);
        code = sqlite3_step(entries);
        if (code != SQLITE_ROW)
            return Report(reader->db.get(), code);
        board.entries = sqlite3_column_int64(entries, 0);
        sqlite3_reset(entries);
        AssignRanks(board.rows);
        return StoreStatus::ok;
    }

    StoreStatus Ping() override {
        ConnectionPool<Reader>::Lease reader = readers.Take();
        if (!reader)
            return StoreStatus::unavailable;
        int code = sqlite3_exec(reader->db.get(), "SELECT 1", nullptr, nullptr, nullptr);
        return code == SQLITE_OK ? StoreStatus::ok : Report(reader->db.get(), code);
    }

  private:
    int RecordOne(const Upload& upload, int64_t now, RecordOutcome& outcome) {
        sqlite3* db = writer.get();
        sqlite3_stmt* statement = insert.get();
        BindEntry(statement, upload);
        BindText(statement, 4, upload.address);
        BindText(statement, 5, upload.email);
        sqlite3_bind_int64(statement, 6, now);
        if (int code = sqlite3_step(statement); code != SQLITE_DONE)
            return code;
        outcome.inserted = sqlite3_changes(db) > 0;
        if (!outcome.inserted) {
            statement = updateContact.get();
            BindEntry(statement, upload);
            BindText(statement, 4, upload.address);
            BindText(statement, 5, upload.email);
            if (int code = sqlite3_step(statement); code != SQLITE_DONE)
                return code;
        }
        statement = rank.get();
        sqlite3_reset(statement);
        sqlite3_bind_text(statement, 1, upload.game.data(), static_cast<int>(upload.game.size()),
                          SQLITE_STATIC);
        sqlite3_bind_int64(statement, 2, RankBucket(upload.score));
        sqlite3_bind_int(statement, 3, upload.score);
        sqlite3_bind_int64(statement, 4, NextBucketStart(upload.score));
        if (int code = sqlite3_step(statement); code != SQLITE_ROW)
            return code;
        outcome.rank = sqlite3_column_int64(statement, 0);
        outcome.entries = sqlite3_column_int64(statement, 1);
        sqlite3_reset(statement);
        return SQLITE_OK;
    }

    std::unique_ptr<Reader> OpenReader() {
        std::string error;
        auto reader = std::make_unique<Reader>();
        reader->db = OpenDatabase(path, SQLITE_OPEN_READWRITE, error);
        if (!reader->db || !Execute(reader->db.get(), "PRAGMA query_only = 1", error)) {
            std::fprintf(stderr, "lumora-scores: database: %s\n", error.c_str());
            return nullptr;
        }
        reader->top = Prepare(reader->db.get(), kTopSql);
        reader->entries = Prepare(reader->db.get(), kEntriesSql);
        if (!reader->top || !reader->entries)
            return nullptr;
        return reader;
    }

    std::string path;
    Database writer;
    Statement insert;
    Statement updateContact;
    Statement rank;
    ConnectionPool<Reader> readers;
};

} // namespace

std::unique_ptr<ScoreStore> OpenSqliteStore(const std::string& path, bool fullSync,
                                            std::string& error) {
    Database db = OpenDatabase(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
    if (!db)
        return nullptr;
    if (sqlite3_db_readonly(db.get(), "main") == 1) {
        error = "the database file is read-only";
        return nullptr;
    }
    // journal_mode answers with the mode it could set: a file system without shared memory
    // for the log stays in another mode, and the readers would then wait for the writer.
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db.get(), "PRAGMA journal_mode = WAL", -1, &raw, nullptr);
    Statement walMode(raw);
    if (!walMode || sqlite3_step(walMode.get()) != SQLITE_ROW) {
        error = sqlite3_errmsg(db.get());
        return nullptr;
    }
    std::string mode = reinterpret_cast<const char*>(sqlite3_column_text(walMode.get(), 0));
    walMode.reset();
    if (mode != "wal") {
        error = "the database cannot use a write-ahead log (journal mode " + mode + ")";
        return nullptr;
    }
    std::string setup = std::string("PRAGMA synchronous = ") + (fullSync ? "FULL" : "NORMAL") +
                        ";BEGIN IMMEDIATE;" + Schema() + "COMMIT;";
    if (!Execute(db.get(), setup, error)) {
        sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        return nullptr;
    }
    auto store = std::make_unique<SqliteStore>(path, std::move(db));
    if (!store->Prepared()) {
        error = "the database's tables do not match this server";
        return nullptr;
    }
    return store;
}

} // namespace scores
