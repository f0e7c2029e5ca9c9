#pragma once
// The server's pages, plain HTML rendered here, and the leaderboard as JSON. Every text that
// came from a player is escaped.
#include <string>
#include <string_view>
#include <vector>

#include "server/score_store.h"

namespace scores {

struct GameSummary {
    std::string game;
    Leaderboard best; // the first few rows
};

// The answer to an upload: the score, the player's rank and a link to the leaderboard.
std::string UploadPage(const Upload& upload, const RecordOutcome& outcome);
// A game's leaderboard.
std::string LeaderboardPage(const std::string& game, const Leaderboard& board);
// The suite's site: every game with its best results.
std::string HomePage(const std::vector<GameSummary>& games);
// A refusal or an error: a title and a short reason.
std::string MessagePage(std::string_view title, std::string_view reason);

std::string LeaderboardJson(const std::string& game, const Leaderboard& board);

// The one stylesheet, served as "/style.css".
extern const char kStylesheet[];

} // namespace scores
