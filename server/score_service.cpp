#include "server/score_service.h"

#include <httplib.h>

#include "server/pages.h"

namespace scores {
namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kJson = "application/json; charset=utf-8";

void SendPage(httplib::Response& response, int status, const std::string& page) {
    response.status = status;
    response.set_content(page, kHtml);
}

void SendUnavailable(httplib::Response& response, StoreStatus status) {
    response.set_header("Retry-After", status == StoreStatus::busy ? "2" : "10");
    SendPage(response, 503,
             MessagePage("Scores unavailable",
                         "The scores cannot be reached just now. Please try again in a moment."));
}

const char* StatusTitle(int status) {
    switch (status) {
    case 400:
        return "Bad request";
    case 404:
        return "Not found";
    case 413:
    case 414:
    case 431:
        return "Request too large";
    default:
        return status >= 500 ? "Server error" : "Request refused";
    }
}

// The query of a request's target, as sent: decoding it is the upload's own business.
std::string_view QueryOf(const std::string& target) {
    size_t question = target.find('?');
    return question == std::string::npos ? std::string_view()
                                         : std::string_view(target).substr(question + 1);
}

size_t HeadSize(const httplib::Request& request) {
    size_t size = request.method.size() + request.target.size() + request.version.size() + 4;
    for (const auto& [key, value] : request.headers)
        size += key.size() + value.size() + 4;
    return size;
}

} // namespace

ScoreService::ScoreService(ScoreStore& store, const GameCatalog& games, int uploadsPerMinute)
    : store(store), games(games), commits(store), limiter(uploadsPerMinute) {}

void ScoreService::Install(httplib::Server& server) {
    using httplib::Request;
    using httplib::Response;
    server.set_payload_max_length(kMaxRequestBytes);
    server.set_pre_routing_handler([](const Request& request, Response& response) {
        if (HeadSize(request) <= kMaxRequestBytes)
            return httplib::Server::HandlerResponse::Unhandled;
        response.status = 431;
        return httplib::Server::HandlerResponse::Handled;
    });
    server.set_error_handler([](const Request&, Response& response) {
        if (response.body.empty())
            response.set_content(
                MessagePage(StatusTitle(response.status), "The server cannot answer this request."),
                kHtml);
    });
    // Pages carry no scripts and load nothing but the stylesheet; a browser should believe no
    // other reading of them.
    server.set_default_headers({
        {"Content-Security-Policy", "default-src 'none'; style-src 'self'; "
                                    "frame-ancestors 'none'; base-uri 'none'; form-action 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"Referrer-Policy", "no-referrer"},
    });
    server.Get("/cgi-bin/hiscore.cgi", [this](const Request& request, Response& response) {
        RecordUpload(request, response);
    });
    server.Get("/",
               [this](const Request& request, Response& response) { ShowHome(request, response); });
    server.Get(R"(/games/([^/]+))",
               [this](const Request& request, Response& response) { ShowGame(request, response); });
    server.Get(R"(/api/games/([^/]+)/scores)", [this](const Request& request, Response& response) {
        ShowGameJson(request, response);
    });
    server.Get("/healthz", [this](const Request& request, Response& response) {
        ReportHealth(request, response);
    });
    server.Get("/style.css", [](const Request&, Response& response) {
        response.set_header("Cache-Control", "max-age=3600");
        response.set_content(kStylesheet, "text/css; charset=utf-8");
    });
}

void ScoreService::RecordUpload(const httplib::Request& request, httplib::Response& response) {
    // An upload changes what the server holds: no cache may answer for it.
    response.set_header("Cache-Control", "no-store");
    int retryAfter = 0;
    if (!limiter.Allow(request.remote_addr, RateLimiter::Clock::now(), retryAfter)) {
        response.set_header("Retry-After", std::to_string(retryAfter));
        SendPage(response, 429,
                 MessagePage("Too many uploads",
                             "Please try again in " + std::to_string(retryAfter) + " seconds."));
        return;
    }
    Upload upload;
    if (std::string reason = ReadUpload(QueryOf(request.target), games, upload); !reason.empty()) {
        SendPage(response, 400,
                 MessagePage("Upload refused", "Nothing was recorded: " + reason + "."));
        return;
    }
    RecordOutcome outcome;
    if (StoreStatus status = commits.Record(upload, outcome); status != StoreStatus::ok) {
        SendUnavailable(response, status);
        return;
    }
    SendPage(response, 200, UploadPage(upload, outcome));
}

void ScoreService::ShowHome(const httplib::Request&, httplib::Response& response) {
    std::vector<GameSummary> summaries;
    for (const GameRules& game : games.Games()) {
        GameSummary summary{game.name, {}};
        if (StoreStatus status = store.TopScores(game.name, 3, summary.best);
            status != StoreStatus::ok) {
            SendUnavailable(response, status);
            return;
        }
        summaries.push_back(std::move(summary));
    }
    SendPage(response, 200, HomePage(summaries));
}

const GameRules* ScoreService::RequestedGame(const httplib::Request& request) const {
    return request.matches.size() > 1 ? games.Find(request.matches[1].str()) : nullptr;
}

void ScoreService::ShowGame(const httplib::Request& request, httplib::Response& response) {
    const GameRules* game = RequestedGame(request);
    if (!game) {
        SendPage(response, 404, MessagePage("Unknown game", "This server keeps no such game."));
        return;
    }
    Leaderboard board;
    if (StoreStatus status = store.TopScores(game->name, kLeaderboardRows, board);
        status != StoreStatus::ok) {
        SendUnavailable(response, status);
        return;
    }
    SendPage(response, 200, LeaderboardPage(game->name, board));
}

void ScoreService::ShowGameJson(const httplib::Request& request, httplib::Response& response) {
    const GameRules* game = RequestedGame(request);
    Leaderboard board;
    StoreStatus status =
        game ? store.TopScores(game->name, kLeaderboardRows, board) : StoreStatus::ok;
    if (!game || status != StoreStatus::ok) {
        response.status = game ? 503 : 404;
        response.set_content(game ? "{\"error\":\"the scores cannot be reached just now\"}\n"
                                  : "{\"error\":\"no such game\"}\n",
                             kJson);
        return;
    }
    response.set_content(LeaderboardJson(game->name, board), kJson);
}

void ScoreService::ReportHealth(const httplib::Request&, httplib::Response& response) {
    bool healthy = store.Ping() == StoreStatus::ok;
    response.status = healthy ? 200 : 503;
    response.set_content(healthy ? "ok\n" : "database unavailable\n", "text/plain; charset=utf-8");
}

} // namespace scores
