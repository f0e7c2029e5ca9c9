#include "server/score_rules.h"

#include <algorithm>

namespace scores {

bool IsValidGameName(std::string_view name) {
    return !name.empty() && name.size() <= 64 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_';
    });
}

GameCatalog::GameCatalog() {
    Add("Kestrin", KestrinMaximumScore());
}

bool GameCatalog::Add(std::string_view name, int32_t maximumScore) {
    if (!IsValidGameName(name) || maximumScore < 0)
        return false;
    for (GameRules& game : games) {
        if (game.name == name) {
            game.maximumScore = maximumScore;
            return true;
        }
    }
    games.push_back({std::string(name), maximumScore});
    return true;
}

const GameRules* GameCatalog::Find(std::string_view name) const {
    for (const GameRules& game : games)
        if (game.name == name)
            return &game;
    return nullptr;
}

} // namespace scores
