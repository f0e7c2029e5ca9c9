#pragma once
// The throwaway PostgreSQL cluster that the test script starts with pg_virtualenv: its address
// comes in SCORES_TEST_POSTGRES. Without it the PostgreSQL cases are not instantiated.
#include <libpq-fe.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace testing_support {

inline std::string PostgresTestAddress() {
    const char* address = std::getenv("SCORES_TEST_POSTGRES");
    return address ? address : "";
}

// "sqlite", and "postgres" when a cluster is there: the databases a test runs against.
inline std::vector<std::string> ScoreDatabases() {
    std::vector<std::string> kinds = {"sqlite"};
    if (!PostgresTestAddress().empty())
        kinds.push_back("postgres");
    return kinds;
}

// Runs SQL on the test cluster; the first column of the first row, or "" (and `ok` false on an
// error).
inline std::string PostgresQuery(const std::string& sql, bool* ok = nullptr) {
    PGconn* connection = PQconnectdb(PostgresTestAddress().c_str());
    PGresult* result = PQexec(connection, sql.c_str());
    ExecStatusType status = PQresultStatus(result);
    std::string value;
    if (status == PGRES_TUPLES_OK && PQntuples(result) > 0)
        value = PQgetvalue(result, 0, 0);
    if (ok)
        *ok = status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK;
    PQclear(result);
    PQfinish(connection);
    return value;
}

// Leaves the test cluster without the server's tables, as a new database.
inline bool DropScoreTables() {
    bool ok = false;
    PostgresQuery("SET client_min_messages = warning;"
                  "DROP TABLE IF EXISTS scores, score_buckets;"
                  "DROP FUNCTION IF EXISTS scores_count_bucket()",
                  &ok);
    return ok;
}

} // namespace testing_support
