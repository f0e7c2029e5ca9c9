#pragma once
// The menu's first screen, "Lumora": the installed games on pages of twelve buttons, with page
// arrows and number, an information pop-up, a quit button, and the collect marker in the first
// free place, which opens the suite's web site. While it is current, the current directory is
// the suite's folder.
#include <memory>

#include "gfx/sprite.h"
#include "menu/game_scan.h"
#include "screens/screen.h"

constexpr int GAME_SLOTS = 12; // game buttons on a page

class GamePagesScreen : public Screen {
  public:
    GamePagesScreen();
    void Enter(plat::Display* directDraw, Surface* backSurface) override;
    void Leave() override;
    int Update(int active) override;
    int Present() override;

    // Opens the title screen of the first game whose program file begins with the argument
    // (the command line of a game handing control back); without one the pages stay.
    void SelectByProgram(const char* argument);

    int Page() const { return page; }
    const GameList& Games() const { return games; }

  private:
    // Which slots take presses on this page: those that show a game or the collect marker.
    void ActivateSlots();
    void DrawPageNumber(Surface* target);
    void OpenGame(GameRecord* game);
    // Returns 0 when the program is quitting.
    int ShowInformation();

    std::unique_ptr<Sprite> pageDigits;
    std::unique_ptr<Sprite> collectMarker;
    int page = 0;
    int count = 0;
    GameList games;
};

extern GamePagesScreen gamePagesScreen;
