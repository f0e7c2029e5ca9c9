#pragma once
// What the games may send: the mask a score travels under, the games this server knows and the
// most each of them can pay.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scores {

// An uploaded score is the real score combined with this mask by exclusive or.
constexpr uint32_t kUploadMask = 0x0A3C5E71;

constexpr int32_t Unmask(int32_t uploaded) {
    return static_cast<int32_t>(static_cast<uint32_t>(uploaded) ^ kUploadMask);
}

// The longest clock, in seconds, whose time bonus a Kestrin result may hold: the game time the
// game ships with (its clock bar of 22 by 7 cells, a cell a second). The game time is a line of
// the game folder's "setup.ini" that any player can raise, and every second left at a win pays
// 1000 points, so a leaderboard compares like with like only when every game had this clock.
constexpr int32_t kKestrinLongestGameTime = 154;

// The most one game of Kestrin can pay, from its scoring rules:
// - A card laid on a foundation pays the chain points of its step in the chain: 25, 50, 100,
//   200, 400, 800, 1500, 3000, 6000, 12000, 25000, 50000, 100000 for steps 0 to 12. Cards never
//   leave a foundation, so each card is laid once, and the k-th card of a suit (Ace first) is at
//   most step k, since a chain climbs one rank a step from the card clicked. A suit therefore
//   pays at most all thirteen, 199075, when its Ace is clicked and the rest follow by
//   themselves: 796300 for the four suits.
// - 100000 for each King laid on a foundation: 400000.
// - 500000 once, when all four foundations are complete; the game ends there.
// - The time bonus at a win, 1000 a second left. The clock never holds more than the game time
//   (every scoring event gives back five seconds, never beyond it): 154000 at the longest game
//   time accepted.
// Together 1850300.
constexpr int32_t KestrinMaximumScore() {
    constexpr int32_t chainPoints[13] = {25,   50,   100,   200,   400,   800,   1500,
                                         3000, 6000, 12000, 25000, 50000, 100000};
    int32_t oneSuit = 0;
    for (int32_t points : chainPoints)
        oneSuit += points;
    constexpr int32_t suitBonus = 100000;
    constexpr int32_t finalBonus = 500000;
    constexpr int32_t pointsPerSecondLeft = 1000;
    return 4 * (oneSuit + suitBonus) + finalBonus + pointsPerSecondLeft * kKestrinLongestGameTime;
}

// Letters, digits, "-" and "_", 1 to 64 bytes.
bool IsValidGameName(std::string_view name);

struct GameRules {
    std::string name;
    int32_t maximumScore = 0;
};

// The games whose results are accepted. Kestrin is always known; others are added from the
// command line with their maximum score.
class GameCatalog {
  public:
    GameCatalog();
    // Adds a game or replaces its maximum; false for an invalid name or a negative maximum.
    bool Add(std::string_view name, int32_t maximumScore);
    const GameRules* Find(std::string_view name) const;
    const std::vector<GameRules>& Games() const { return games; }

  private:
    std::vector<GameRules> games;
};

} // namespace scores
