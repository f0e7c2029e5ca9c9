#pragma once
// The server's addresses: the upload the menu opens, the site's pages, the JSON and the health
// check, with their limits (request size, uploads a minute per client address) and headers.
#include <string>

#include "server/commit_queue.h"
#include "server/rate_limiter.h"
#include "server/score_rules.h"
#include "server/score_store.h"

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace scores {

// Requests whose line and headers, or whose body, are larger are refused.
constexpr size_t kMaxRequestBytes = 8192;
// Rows on a game's page and in its JSON.
constexpr int kLeaderboardRows = 100;

class ScoreService {
  public:
    ScoreService(ScoreStore& store, const GameCatalog& games, int uploadsPerMinute);
    // Sets routes, limits, headers and error pages on `server`.
    void Install(httplib::Server& server);

  private:
    void RecordUpload(const httplib::Request& request, httplib::Response& response);
    void ShowHome(const httplib::Request& request, httplib::Response& response);
    void ShowGame(const httplib::Request& request, httplib::Response& response);
    void ShowGameJson(const httplib::Request& request, httplib::Response& response);
    void ReportHealth(const httplib::Request& request, httplib::Response& response);
    // The game named by the address, or null when this server keeps none of that name.
    const GameRules* RequestedGame(const httplib::Request& request) const;

    ScoreStore& store;
    const GameCatalog& games;
    CommitQueue commits;
    RateLimiter limiter;
};

} // namespace scores
