#pragma once
// Everything the player sees of the cards: the table with its hint highlights and shadows, the
// deal card by card, the flight of a moved card, the points floating over a foundation, the
// crowns over completed suits, the clock bar and the score panel. Drawing is immediate: an
// animation presents its own frames and returns when it is over, while input waits.
//
// The table is composed on the dirty rectangles' target (a copy of "background.bmp"); a card in
// flight and floating points go straight into the back surface as one-shot rectangles, so the
// next restore from the target erases them.
#include <memory>
#include <vector>

#include "game/board.h"
#include "game/clock_bar.h"
#include "game/move_rules.h"
#include "gfx/sprite.h"

class CardGame;

// Points shown over a foundation for half a second.
struct FloatingScore : Sprite {
    explicit FloatingScore(const Sprite& prototype) : Sprite(prototype) {}
    int expiresAt = 0; // the clock's millisecond count
};

class TableView : public MoveShow {
  public:
    TableView(CardGame& game, Board& board) : game(game), board(board) {}

    // The game's pictures, loaded afresh for every new game: hint highlight, shadow, crowns,
    // clock cells. Freeing them also drops the floating points.
    void LoadGamePictures();
    void FreeGamePictures();
    // The screen's pictures, held while the screen is entered: score digits, floating points.
    void LoadScreenPictures();
    void FreeScreenPictures();

    // The full redraw after every change; with dealAnimation the cards appear one by one.
    void RedrawTable(int dealAnimation);
    void DrawTable(int dealAnimation);
    void FlyCard(const CardSlot& from, const CardSlot& to);
    void AddFloatingScore(int foundationSlot, int chainStep);
    // Draws the live floating points and drops the expired ones.
    void DrawFloatingScores(Surface* surface);
    void DrawCrowns();
    // The seconds left on the countdown, on the target at the bar's place, and the best and
    // current scores. Both stay on the target between frames, so they are drawn again only when
    // what they show changed, or after ForgetPanels: the target's picture under them was
    // repaired from the background.
    void DrawClock();
    void DrawScorePanel();
    void ForgetPanels();
    // Right-aligned on `right`: every character takes one digit's width, digits are drawn.
    static void DrawNumber(Sprite* font, int right, int y, const char* text, Surface* surface);

    void TableChanged() override;
    void CardFlown(const CardSlot& from, const CardSlot& to) override;
    void PointsChanged() override;
    void FoundationScored(int foundationSlot, int chainStep) override;
    void Refused() override;

    ClockBar* Clock() const { return clockBar.get(); }
    int FloatingScoreCount() const { return static_cast<int>(floatingScores.size()); }
    const FloatingScore* FloatingScoreAt(int i) const { return floatingScores[i].get(); }

    static constexpr int kClockX = 589, kClockY = 26;

  private:
    void DrawCard(const CardSlot& slot, Surface* target);
    void ShowDealtCard(const CardSlot& slot, int shadowMargin);

    CardGame& game;
    Board& board;
    std::unique_ptr<Sprite> highlight, shadow, crowns;
    std::unique_ptr<ClockBar> clockBar;
    std::unique_ptr<Sprite> scoreDigits, floatingPoints;
    std::vector<std::unique_ptr<FloatingScore>> floatingScores;
    // What the clock bar and the score panel show on the target, when they are there.
    bool clockShown = false, panelShown = false;
    int shownCount = 0, shownBest = 0, shownScore = 0;
};
