#pragma once
// Results in a SQLite file in WAL mode: one writing connection, used by the commit thread, and
// a pool of reading ones that never wait for it. A commit is durable against a crash of the
// server (the log is written before the commit returns); with fullSync each commit is also
// flushed to the disk, surviving a power cut.
#include <memory>
#include <string>

#include "server/score_store.h"

namespace scores {

std::unique_ptr<ScoreStore> OpenSqliteStore(const std::string& path, bool fullSync,
                                            std::string& error);

} // namespace scores
