#pragma once
// The card game's one screen, "Kestrin": the table picture, the four buttons ("newgame", "help",
// "menu", "exit"), the score digits and floating points, the game's sounds, and each frame: the
// buttons handled, the game's step taken, the frame presented.
#include "screens/screen.h"

class GameScreen : public Screen {
  public:
    GameScreen();
    void Enter(plat::Display* directDraw, Surface* backSurface) override;
    void Leave() override;
    int Update(int active) override;
    // The base Present, for the frames the game's animations present at any time.
    int Present() override;

    // Whether the 52 card pictures were found when the screen was entered.
    bool HasCards() const { return hasCards; }

  private:
    void StartNewGame();
    int ShowRules(); // 0 when the program quit meanwhile

    bool hasCards = false;
};

extern GameScreen gameScreen;

// Starts the suite's menu program from the suite folder the game was started with, asking it to
// open this game. When it cannot be started the player is told so, and the result is false.
bool StartMenuProgram(const char* suiteFolder);
