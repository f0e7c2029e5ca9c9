#pragma once
// A game's title screen, "title".
#include "screens/screen.h"

class TitleScreen : public Screen {
  public:
    TitleScreen();
    void Enter(plat::Display* directDraw, Surface* backSurface) override;
    int Update(int active) override;
};

extern TitleScreen titleScreen;
