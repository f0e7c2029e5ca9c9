// The load test of a running score server, by hand (bench/server_load.sh starts the servers):
// server_load PORT [clients] [uploads] [seconds]
#include <cstdio>
#include <cstdlib>

#include "load_run.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: server_load PORT [clients] [uploads] [seconds]\n");
        return 2;
    }
    testing_support::LoadSettings settings;
    settings.port = std::atoi(argv[1]);
    if (argc > 2)
        settings.clients = std::atoi(argv[2]);
    if (argc > 3)
        settings.uploads = std::atoi(argv[3]);
    if (argc > 4)
        settings.maxSeconds = std::atof(argv[4]);
    long long before = testing_support::GameEntries(settings.port, settings.game);
    testing_support::LoadResult result = testing_support::RunLoad(settings);
    long long after = testing_support::GameEntries(settings.port, settings.game);
    std::printf("clients %d, requests %d in %.2f s: %.0f uploads/s; latency p50 %.2f ms, "
                "p99 %.2f ms, max %.2f ms\n",
                settings.clients, result.sent, result.seconds, result.sent / result.seconds,
                result.p50Ms, result.p99Ms, result.maxMs);
    std::printf("acknowledged %d (%d distinct), failed %d; new rows %lld\n", result.acknowledged,
                result.distinctAcknowledged, result.failed, after - before);
    return result.failed == 0 && after - before == result.distinctAcknowledged ? 0 : 1;
}
