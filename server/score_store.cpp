#include "server/score_store.h"

#include "server/postgres_store.h"
#include "server/sqlite_store.h"

namespace scores {

std::unique_ptr<ScoreStore> OpenScoreStore(const StoreSettings& settings, std::string& error) {
    const std::string& database = settings.database;
    if (database.rfind("postgresql://", 0) == 0 || database.rfind("postgres://", 0) == 0)
        return OpenPostgresStore(database, error);
    return OpenSqliteStore(database, settings.fullSync, error);
}

void AssignRanks(std::vector<ScoreRow>& rows) {
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].rank = i > 0 && rows[i].score == rows[i - 1].score ? rows[i - 1].rank
                                                                   : static_cast<int64_t>(i) + 1;
}

} // namespace scores
