#pragma once
// One game from the deal to its end: the set-up of a new game, the step of every frame while the
// clock runs, the three endings (out of time, no move left, all suits complete), the time bonus
// of a win, and the result recorded in the high score table under the current player's name.
#include <cstddef>

#include "game/board.h"
#include "game/game_base.h"
#include "game/move_rules.h"
#include "game/table_view.h"
#include "records/high_score_table.h"

constexpr int DEFAULT_GAME_TIME = 154; // the 22 x 7 cells of the clock bar
// Keeps every score, time bonus included, within 32 bits.
constexpr int MAX_GAME_TIME = 999999;
// GameStep's answers besides 1 (go on): an end panel (7) or the Hall of Fame panel (0) saw the
// program quit; the program is shut down and nothing may be touched any more.
constexpr int STEP_QUIT_IN_PANEL = 7;
constexpr int STEP_QUIT_IN_HALL = 0;

// "gametime" of the game folder's "setup.ini": its leading number, below 0 as 0 and above
// MAX_GAME_TIME as MAX_GAME_TIME; without a number there (or one past the int range), 154.
int ReadGameTime();

class CardGame : public GameBase {
  public:
    CardGame() : view(*this, board), rules(board, *this, &view) {}

    // A fresh deal, the records and the clock set, but not started: the game stays idle.
    void NewGame() override;
    void Release() override;
    int GameStep() override;

    // Reads the current player into the caption and, when asked, composes the player string.
    void SelectPlayer(char* playerString = nullptr, size_t size = 0);
    // 0 when the program quit while the panel was shown.
    int ShowHallOfFamePopup();
    // "newgame" was pressed: the game runs, and its first frame compares the buttons with a
    // released left button, the state that completed the press.
    void BeginPlay();
    // The screen was entered: its fresh picture shows no table, and the blinking and the
    // button memory start afresh.
    void ScreenEntered();

    int HintsOn() const { return hintsOn; }
    int TableDrawn() const { return tableDrawn; }
    void MarkTableDrawn() { tableDrawn = 1; }
    MoveRules& Rules() { return rules; }
    TableView& View() { return view; }
    const HighScoreTable& HighScores() const { return highScores; }
    int PlayerIndex() const { return playerIndex; }

  private:
    void BlinkNewGameButton();
    int EndOutOfTime();
    int EndWon();
    int EndStuck();
    void PayTimeBonus();
    int RecordResult();

    HighScoreTable highScores;
    TableView view;
    MoveRules rules;
    int hintsOn = 1;
    int tableDrawn = 0;
    int prevButtons = 0; // of the previous playing frame
    int blinkFrame = 0;
    int lastBlink = 0;
};

// The game program's one game.
extern CardGame cardGame;
