#pragma once
// The command line of lumora-scores.
#include <string>

#include "server/score_rules.h"

namespace scores {

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8080; // 0 picks a free port
    std::string database = "scores.sqlite";
    bool fullSync = false;
    int uploadsPerMinute = 30; // per client address; 0 for no limit
    int threads = 32;
    GameCatalog games;
    bool help = false;
};

extern const char kUsage[];

// Reads argv[1..] into `options`. Returns an empty string on success, otherwise what is wrong.
std::string ParseServerOptions(int argc, const char* const* argv, ServerOptions& options);

} // namespace scores
