#pragma once
// A bounded load of uploads from concurrent clients on the loopback address, each a
// keep-alive connection sending one upload after another; some uploads are sent twice.
#include <string>

namespace testing_support {

struct LoadSettings {
    int port = 8080;
    std::string game = "Kestrin";
    int maximumScore = 1850300;
    int clients = 16;
    int uploads = 2000;     // at most this many requests in all
    double maxSeconds = 60; // and for no longer than this
    int repeatEvery = 10;   // every so many uploads of a client repeat its previous one
};

struct LoadResult {
    int sent = 0;
    int acknowledged = 0;         // answered 200
    int distinctAcknowledged = 0; // different game, name and score among them
    int failed = 0;               // any other answer, or none
    double seconds = 0;
    double p50Ms = 0, p99Ms = 0, maxMs = 0;
};

LoadResult RunLoad(const LoadSettings& settings);

// The "entries" of a game's JSON, -1 when it cannot be read.
long long GameEntries(int port, const std::string& game);

} // namespace testing_support
