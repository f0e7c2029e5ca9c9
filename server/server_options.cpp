#include "server/server_options.h"

#include <charconv>
#include <string_view>

namespace scores {
namespace {

bool ParseInt(std::string_view text, int minimum, int maximum, int& value) {
    int parsed = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

// "127.0.0.1:8080", "localhost:0", "[::1]:8080".
bool ParseListen(std::string_view text, std::string& host, int& port) {
    size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0)
        return false;
    std::string_view hostPart = text.substr(0, colon);
    if (hostPart.size() >= 2 && hostPart.front() == '[' && hostPart.back() == ']')
        hostPart = hostPart.substr(1, hostPart.size() - 2);
    if (hostPart.empty() || !ParseInt(text.substr(colon + 1), 0, 65535, port))
        return false;
    host = std::string(hostPart);
    return true;
}

bool ParseGame(std::string_view text, GameCatalog& games) {
    size_t colon = text.rfind(':');
    int maximum = 0;
    return colon != std::string_view::npos &&
           ParseInt(text.substr(colon + 1), 0, 2147483647, maximum) &&
           games.Add(text.substr(0, colon), maximum);
}

} // namespace

const char kUsage[] =
    "Usage: lumora-scores [options]\n"
    "  --listen HOST:PORT       where to listen (default 127.0.0.1:8080; port 0: any free one)\n"
    "  --db FILE|ADDRESS        a SQLite file (default scores.sqlite) or a postgresql://\n"
    "                           address, which several servers may share\n"
    "  --sync normal|full       SQLite: full also flushes each commit to disk (default normal)\n"
    "  --uploads-per-minute N   uploads a client address may make a minute (default 30;\n"
    "                           0: no limit)\n"
    "  --threads N              request threads, the most connections served at once\n"
    "                           (default 32)\n"
    "  --game NAME:MAX          also keep the results of game NAME, scores 0 to MAX\n"
    "  --help                   this text\n";

std::string ParseServerOptions(int argc, const char* const* argv, ServerOptions& options) {
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            continue;
        }
        std::string_view name = argument;
        std::string_view value;
        size_t equals = argument.find('=');
        if (argument.rfind("--", 0) == 0 && equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            return "missing value after " + std::string(argument);
        }
        bool good = true;
        if (name == "--listen") {
            good = ParseListen(value, options.host, options.port);
        } else if (name == "--db") {
            options.database = std::string(value);
            good = !value.empty();
        } else if (name == "--sync") {
            options.fullSync = value == "full";
            good = value == "normal" || value == "full";
        } else if (name == "--uploads-per-minute") {
            good = ParseInt(value, 0, 1000000, options.uploadsPerMinute);
        } else if (name == "--threads") {
            good = ParseInt(value, 1, 1024, options.threads);
        } else if (name == "--game") {
            good = ParseGame(value, options.games);
        } else {
            return "unknown option " + std::string(name);
        }
        if (!good)
            return "bad value for " + std::string(name) + ": " + std::string(value);
    }
    return {};
}

} // namespace scores
