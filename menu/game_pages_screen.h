#pragma once
// The menu's first screen, "Lumora": the pages of installed games.
#include "screens/screen.h"

class GamePagesScreen : public Screen {
  public:
    GamePagesScreen();
    void Enter(plat::Display* directDraw, Surface* backSurface) override;
    int Update(int active) override;
    // Opens the title screen of the game the command line names.
    void SelectByProgram(const char* argument);
};

extern GamePagesScreen gamePagesScreen;
