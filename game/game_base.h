#pragma once
// What every game of the suite keeps about the game in progress, behind virtual accessors in a
// fixed slot order: its state, score, player and clock settings.

constexpr int GAME_IDLE = 0;
constexpr int GAME_PLAYING = 1;

class GameBase {
  public:
    virtual ~GameBase() = default;

    virtual void NewGame() = 0;
    virtual void Release() = 0;
    virtual int GameStep() = 0;
    virtual int GetState() { return state; }
    virtual void SetState(int newState) { state = newState; }
    virtual void SetScore(int newScore) { score = newScore; }
    virtual int GetScore() { return score; }
    virtual void SetTimeLimit(int seconds) { timeLimit = seconds; }
    virtual int GetTimeLimit() { return timeLimit; }
    virtual void SetGameTime(int seconds) { gameTime = seconds; }
    virtual int GetGameTime() { return gameTime; }

  protected:
    int state = GAME_IDLE;
    int score = 0;
    int playerIndex = 0;
    int gameTime = 0;
    int timeLimit = 0; // the highest value the countdown may take
};
