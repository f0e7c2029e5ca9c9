// lumora-scores: the suite's score server.
#include <cstdio>

#include "server/run_server.h"

int main(int argc, char** argv) {
    scores::ServerOptions options;
    std::string error = scores::ParseServerOptions(argc, argv, options);
    if (!error.empty()) {
        std::fprintf(stderr, "lumora-scores: %s\n%s", error.c_str(), scores::kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(scores::kUsage, stdout);
        return 0;
    }
    return scores::RunServer(options);
}
